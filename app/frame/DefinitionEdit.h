// The edit field of the English definition bar.
//
// It shows the definition of the verb in the active verb window (and is
// read-only while no verb window is active). Whenever the field loses the
// focus after the user changed its text (to another control, a menu, a
// dialog or another application), the text is stored as the user's
// definition of that verb (and its pronominal state) in the window that was
// active when the field got the focus. Esc before leaving brings
// the old text back and stores nothing. Enter is a line break like any other
// character; line breaks are stored as spaces. Text that cannot be stored
// (a character without a Windows-1252 byte) stays in the field after the
// user has been told, with the caret at that character and the focus back
// in the field, until it is fixed or Esc brings the old text back.
#pragma once

#include <QPlainTextEdit>
#include <QPointer>
#include <functional>

class CChildFrame;

class DefinitionEdit : public QPlainTextEdit {
    Q_OBJECT

public:
    static constexpr int ControlId = 126;

    explicit DefinitionEdit(QWidget* parent);

    // The frame's active verb window, or null.
    std::function<CChildFrame*()> activeVerbWindow;

    // Replaces the text without counting as a change by the user.
    void SetText(const QString& text);
    QString Text() const { return toPlainText(); }

    // Stores the text in the target window now, if the user changed it.
    // Returns false when the text was refused (a character without a
    // Windows-1252 byte); the user has then been told, unless `quiet`: the
    // text then stays, still to be stored.
    bool CommitIfModified(bool quiet = false);

    // Stores `text` as the definition of `window`'s verb; refuses (with a
    // message, after which `afterMessage` runs) text that cannot be kept in
    // Windows-1252.
    static bool Commit(CChildFrame* window, const QString& text, QWidget* messageParent,
                       std::function<void()> afterMessage = {});

    // Keeps refused text as it is, still to be stored, with the caret at
    // its first character that cannot be stored.
    void KeepRefusedText();
    // True while refused text waits for the focus to come back to the field.
    bool HoldsRefusedText() const { return refused; }

    // True while the text holds a change the user made and that is not stored.
    bool IsModified() const { return modified; }
    // A change made through a command (a paste, a letter from the menu).
    void MarkModified() { modified = true; }
    // Shows `window`'s definition as the text the next edit starts from.
    void StartEditFor(CChildFrame* window, const QString& text);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString savedText;  // what Esc brings back
    bool modified = false;
    QPointer<CChildFrame> targetWindow;  // where the text is stored
    bool settingText = false;
    bool refused = false;
};
