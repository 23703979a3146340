#include "CFindDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "CommandIds.h"
#include "DialogUnits.h"
#include "LanguageModuleAbi.h"
#include "QtText.h"
#include "StringTable.h"
#include "UserMessage.h"

namespace {
constexpr int FirstLetterCommand = IdInsertFirst;
constexpr int LastLetterCommand = IdInsertLast;

// A control of the dialog with its text, its object name (the control id
// tests and the keyboard order know it by) and its place in dialog units.
template <class Control>
Control* Place(QWidget* dialog, const DialogUnits& du, const QString& text, const QString& name,
               QRect place) {
    auto* control = new Control(text, dialog);
    if (!name.isEmpty()) control->setObjectName(name);
    control->setGeometry(du.Map(place.x(), place.y(), place.width(), place.height()));
    return control;
}
}  // namespace

CFindDlg::CFindDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("findDialog"));
    setWindowTitle(QStringLiteral("Find"));
    setFont(DialogFont());
    const DialogUnits du = DialogUnits::Of(font());
    setFixedSize(du.Map(0, 0, 265, 91).size());

    // In the order of the keyboard.
    edit = new QLineEdit(this);
    edit->setObjectName(QStringLiteral("edit1001"));
    edit->setGeometry(du.Map(54, 7, 131, 12));
    MakeButtons(du);
    MakeOptions(du);
    MakeLanguageChoice(du);
    Place<QLabel>(this, du, QStringLiteral("Find What:"), {}, QRect(7, 8, 42, 9));

    accentButton = new QToolButton(this);
    accentButton->setObjectName(QStringLiteral("button1010"));
    accentButton->setGeometry(du.Map(190, 8, 10, 11));
    accentButton->setArrowType(Qt::DownArrow);
    accentButton->setFocusPolicy(Qt::StrongFocus);
    accentButton->setToolTip(QStringLiteral("Insert an accented letter"));
    connect(accentButton, &QToolButton::clicked, this, &CFindDlg::ShowAccentMenu);

    auto* options = Place<QGroupBox>(this, du, QStringLiteral("Options"), {}, QRect(7, 23, 119, 61));
    options->lower();
    languageGroup->lower();
}

void CFindDlg::MakeButtons(const DialogUnits& du) {
    findButton = Place<QPushButton>(this, du, QStringLiteral("&Find"), QStringLiteral("button1"),
                                    QRect(208, 7, 50, 14));
    findButton->setDefault(true);
    connect(findButton, &QPushButton::clicked, this, &CFindDlg::accept);
    // There is nothing to find until something is typed.
    findButton->setEnabled(false);
    connect(edit, &QLineEdit::textChanged, this,
            [this](const QString& text) { findButton->setEnabled(!text.isEmpty()); });
    auto* cancel = Place<QPushButton>(this, du, QStringLiteral("Cancel"), QStringLiteral("button2"),
                                      QRect(208, 25, 50, 14));
    connect(cancel, &QPushButton::clicked, this, &CFindDlg::reject);
}

void CFindDlg::MakeOptions(const DialogUnits& du) {
    verbsButton = Place<QRadioButton>(this, du, QStringLiteral("Search &Verbs"), QStringLiteral("radio1007"),
                                      QRect(11, 33, 111, 10));
    definitionsButton = Place<QRadioButton>(this, du, QStringLiteral("Search English &Definitions"),
                                            QStringLiteral("radio1008"), QRect(11, 45, 111, 10));
    typeGroup = new QButtonGroup(this);
    typeGroup->addButton(verbsButton, 0);
    typeGroup->addButton(definitionsButton, 1);
    wholeWordBox = Place<QCheckBox>(this, du, QStringLiteral("&Match whole word only"),
                                    QStringLiteral("check1002"), QRect(12, 57, 102, 9));
    ignoreAccentsBox = Place<QCheckBox>(this, du, QStringLiteral("&Ignore accents"),
                                        QStringLiteral("check1015"), QRect(12, 69, 102, 9));
    ignoreAccentsBox->setToolTip(
        QStringLiteral("Find \u00e9tions by typing etions, \u0153uvre by typing oeuvre"));
}

void CFindDlg::MakeLanguageChoice(const DialogUnits& du) {
    languageGroupButtons = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        auto* button =
            Place<QRadioButton>(this, du, QStringLiteral("Language %1").arg(i + 1),
                                QStringLiteral("radio%1").arg(1012 + i), QRect(136, 33 + 12 * i, 60, 8));
        button->hide();
        languageGroupButtons->addButton(button, i);
        languageButtons[i] = button;
    }
    languageGroup = Place<QGroupBox>(this, du, QStringLiteral("Language"), QStringLiteral("group1011"),
                                     QRect(132, 23, 69, 49));
    languageGroup->hide();
}

int CFindDlg::DoModal() {
    OnInitDialog();
    return exec();
}

void CFindDlg::OnInitDialog() {
    DoDataExchange(false);
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
    if (languageNames.size() <= 1) return;
    languageGroup->show();
    for (int i = 0; i < 3 && i < languageNames.size(); ++i) {
        languageButtons[i]->setText(languageNames[i]);
        languageButtons[i]->show();
    }
}

void CFindDlg::DoDataExchange(bool save) {
    if (!save) {
        wholeWord = (searchFlags & WholeWord) ? 1 : 0;
        searchType = (searchFlags & SearchForms) ? 0 : 1;
        wholeWordBox->setChecked(wholeWord != 0);
        ignoreAccentsBox->setChecked((searchFlags & IgnoreAccents) != 0);
        edit->setText(searchText);
        if (QAbstractButton* button = typeGroup->button(searchType)) button->setChecked(true);
        if (QAbstractButton* button = languageGroupButtons->button(language)) button->setChecked(true);
        return;
    }
    wholeWord = wholeWordBox->isChecked() ? 1 : 0;
    searchText = edit->text();
    searchType = typeGroup->checkedId();
    language = std::max(0, languageGroupButtons->checkedId());
    searchFlags = (wholeWord ? uint32_t(WholeWord) : 0u) |
                  (searchType == 0 ? uint32_t(SearchForms) : uint32_t(SearchDefinitions)) |
                  (ignoreAccentsBox->isChecked() ? uint32_t(IgnoreAccents) : 0u);
}

void CFindDlg::accept() {
    const QString text = edit->text();
    if (text.isEmpty()) return;
    // What cannot reach the module unchanged is refused here, with the text
    // kept for the user to correct.
    if (text.size() > MaxSearchLength) {
        ShowUserMessage(this, QMessageBox::Warning,
                        QStringLiteral("The text to find is %1 characters long. No verb form or English "
                                       "definition is longer than %2 characters: shorten the text.")
                            .arg(text.size())
                            .arg(MaxSearchLength));
        edit->setFocus(Qt::OtherFocusReason);
        edit->setSelection(MaxSearchLength, int(text.size()) - MaxSearchLength);
        return;
    }
    QString error;
    std::optional<std::string> bytes = ToCp1252(text, &error);
    if (!bytes) {
        ShowUserMessage(this, QMessageBox::Warning, error);
        // Select the first character that cannot be searched for.
        int bad = 0;
        while (bad < text.size()) {
            const int length = text[bad].isHighSurrogate() && bad + 1 < text.size() ? 2 : 1;
            if (!ToCp1252(text.mid(bad, length))) {
                edit->setFocus(Qt::OtherFocusReason);
                edit->setSelection(bad, length);
                break;
            }
            bad += length;
        }
        return;
    }
    DoDataExchange(true);
    searchBytes = std::move(*bytes);
    QDialog::accept();
}

void CFindDlg::ShowAccentMenu() {
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("accentMenu"));
    for (int id = FirstLetterCommand; id <= LastLetterCommand; ++id) {
        QAction* action = menu.addAction(LoadString(id).mid(7));
        action->setData(id);
    }
    accentMenu = &menu;
    QAction* chosen = menu.exec(accentButton->mapToGlobal(QPoint(accentButton->width(), 0)));
    accentMenu = nullptr;
    if (chosen != nullptr) InsertLetter(chosen->data().toInt());
}

void CFindDlg::InsertLetter(int commandId) {
    if (commandId < FirstLetterCommand || commandId > LastLetterCommand) return;
    const QString letter = LoadString(commandId).mid(7);
    edit->insert(letter);
    edit->setFocus(Qt::OtherFocusReason);
}
