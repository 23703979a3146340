// The Find dialog: the text to find, whether to look through the conjugated
// forms or the English definitions, whole words only, and the language when
// more than one module is loaded. A small button beside the text box drops a
// menu of the accented French letters.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <string>

struct DialogUnits;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QToolButton;

class CFindDlg : public QDialog {
    Q_OBJECT

public:
    // The longest text worth searching for: no form or definition is longer.
    static constexpr int MaxSearchLength = 255;

    explicit CFindDlg(QWidget* parent = nullptr);

    // Shows the dialog modally, its controls set from the fields; the
    // fields hold the user's choices after OK (QDialog::Accepted).
    int DoModal();

    // Controls from the fields (`save` false) or fields from the controls.
    void DoDataExchange(bool save);

    // Shows the accent menu below-right of button 1010 and inserts the
    // chosen letter.
    void ShowAccentMenu();
    // Replaces the text box's selection (or inserts at the caret) with the
    // letter of the commands IdInsertFirst ... IdInsertLast.
    void InsertLetter(int commandId);

    // The accent menu while it is open (tests look at it); null otherwise.
    QMenu* AccentMenu() const { return accentMenu; }

    // Fields.
    uint32_t searchFlags = 0;
    QStringList languageNames;
    int wholeWord = 0;
    QString searchText;
    int searchType = -1;
    int language = 0;
    // After OK: the search text as the module takes it (Windows-1252).
    std::string searchBytes;

    QLineEdit* Edit() const { return edit; }

public slots:
    void accept() override;

private:
    // Parts of the constructor.
    void MakeButtons(const DialogUnits& du);
    void MakeOptions(const DialogUnits& du);
    void MakeLanguageChoice(const DialogUnits& du);

    void OnInitDialog();

    QLineEdit* edit = nullptr;
    QPushButton* findButton = nullptr;
    QRadioButton* verbsButton = nullptr;
    QRadioButton* definitionsButton = nullptr;
    QCheckBox* wholeWordBox = nullptr;
    QCheckBox* ignoreAccentsBox = nullptr;  // IgnoreAccents in searchFlags
    QRadioButton* languageButtons[3] = {};
    QToolButton* accentButton = nullptr;
    QGroupBox* languageGroup = nullptr;
    QButtonGroup* typeGroup = nullptr;
    QButtonGroup* languageGroupButtons = nullptr;
    QMenu* accentMenu = nullptr;
};
