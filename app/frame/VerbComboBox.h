// The verb box of one language module: an editable drop-down list of all the
// module's infinitives in verb-index order, so that an item's index is the
// verb index. It is never sorted or filtered.
//
// Typing a whole infinitive (in any case, spaces around it ignored) shows
// that verb at once; partial names are never completed. Enter on a name that
// is no verb says so (unknownVerb) and leaves the text to be corrected. Leaving the box or pressing Esc brings back the
// last verb accepted. Moving through the open list with the arrow keys shows
// each verb in turn; the list opens at the first verb that starts with the
// typed text, and Enter takes it. Of two equal infinitives, typing finds the
// first; the second can only be chosen in the list, where each of them
// shows the first words of its definition after its name.
//
// A text that is no start of a verb name, or that is a form as well, opens
// the list of forms under the box (FormLookupList); a reading chosen there
// is applied as a verb chosen in the verb list, in its form and variant.
#pragma once

#include <QComboBox>

class FormLookupList;
class LanguageModule;
class VerbComboEdit;
struct FormReading;

class VerbComboBox : public QComboBox {
    Q_OBJECT

public:
    static constexpr int FirstControlId = 138;
    static constexpr int SenseRole = Qt::UserRole + 1;

    VerbComboBox(int controlId, QWidget* parent);

    int ControlId() const { return controlId; }

    // Adds every infinitive of `module` in verb-index order. An infinitive
    // that names two verbs carries each verb's sense (SenseRole), which the
    // open list shows after the name; the item's text stays the infinitive.
    void Fill(const LanguageModule& module);

    // The index of the item whose whole text equals `text` without regard to
    // case or to spaces around it; for a text without accents, else the one
    // verb spelled so once its accents are left out ("eteindre"); or -1.
    int FindExact(const QString& text) const;

    // What a change of the edit text by the user does: an exact match (in
    // any case) is selected and applied unless the list is open. So is a
    // French pronominal infinitive ("se souvenir", "s'asseoir") of a verb
    // that has a pronominal form: that verb is applied in that form.
    void OnTextEdited();

    // The item that `text` names in its pronominal form ("s'asseoir" ->
    // asseoir), or -1.
    int FindPronominal(const QString& text) const;
    // True while the verb being applied was typed in its pronominal form.
    bool PronominalTyped() const { return pronominalTyped; }
    // While the verb being applied was chosen in the list of forms, the
    // reading chosen (its form, variant and slot); null otherwise.
    const FormReading* ChosenReading() const { return chosenReading; }
    // Selects the verb of `reading` and applies it as the verb list does.
    void ApplyReading(const FormReading& reading);
    FormLookupList* LookupList() const { return lookupList; }

    // Opens the list at the first verb that starts with the typed text.
    void showPopup() override;

    QString lastVerbText;
    // The verb names without accents, case or ligatures, made on the first
    // name typed without accents ("eteindre").
    mutable QStringList unaccentedNames;
    VerbComboEdit* edit = nullptr;

signals:
    // The user chose the verb now selected; the frame shows it.
    void verbChosen(int controlId);
    // Enter was pressed on `text`, which names no verb (spaces around it
    // already taken off).
    void unknownVerb(int controlId, const QString& text);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool PopupVisible() const;
    // The item Enter takes in the open list: the verb shown if the text is
    // its name, else the exact name (or pronominal infinitive, which sets
    // `pronominal`), else the first verb starting with the text, else the top
    // of the visible part of the list.
    int ItemForEnter(bool* pronominal) const;
    int FirstStartingWith(const QString& text) const;
    void EnterInList();
    void EscapeToLastVerb();

    // The exact item or the pronominal infinitive `text` names.
    int FindTyped(const QString& text, bool* pronominal = nullptr) const;

    int controlId;
    const LanguageModule* module = nullptr;
    QStringList reflexivePrefixes;  // "se ", "s'": the module's language is French
    bool pronominalTyped = false;
    const FormReading* chosenReading = nullptr;
    FormLookupList* lookupList = nullptr;
    bool keyNavigation = false;  // the list's highlight moves by keyboard
};
