#include "DefinitionEdit.h"

#include <QKeyEvent>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

#include "CChildFrame.h"
#include "ProgramObjects.h"
#include "QtText.h"
#include "UserMessage.h"

DefinitionEdit::DefinitionEdit(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("definitionEdit"));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setTabChangesFocus(true);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    document()->setDocumentMargin(2);
    // Any change the user makes counts, also one made with the mouse or a
    // menu command (an inserted letter, a paste).
    connect(document(), &QTextDocument::contentsChanged, this, [this] {
        if (!settingText && hasFocus()) modified = true;
    });
}

void DefinitionEdit::SetText(const QString& text) {
    settingText = true;
    setPlainText(text);
    settingText = false;
}

void DefinitionEdit::StartEditFor(CChildFrame* window, const QString& text) {
    SetText(text);
    savedText = text;
    modified = false;
    targetWindow = window;
}

void DefinitionEdit::focusInEvent(QFocusEvent* event) {
    QPlainTextEdit::focusInEvent(event);
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason) return;
    if (refused) {
        // Back to fix the text: it is still the edit begun before.
        refused = false;
        return;
    }
    savedText = toPlainText();
    modified = false;
    targetWindow = activeVerbWindow ? activeVerbWindow() : nullptr;
}

void DefinitionEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        SetText(savedText);
        modified = false;
        refused = false;
        event->accept();
        return;
    }
    modified = true;
    QPlainTextEdit::keyPressEvent(event);
}

void DefinitionEdit::focusOutEvent(QFocusEvent* event) {
    QPlainTextEdit::focusOutEvent(event);
    // A menu, a dialog or another application taking the focus may read or
    // send the definitions (mail, print, search) or end the program: what
    // was typed is stored first. Text that cannot be stored is told of only
    // when the user really leaves the field.
    const Qt::FocusReason reason = event->reason();
    const bool away = reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason ||
                      reason == Qt::MenuBarFocusReason;
    CommitIfModified(away);
}

bool DefinitionEdit::CommitIfModified(bool quiet) {
    if (!modified) return true;
    CChildFrame* target = targetWindow.data();
    // The window may have been closed or replaced since the field got the focus.
    if (target == nullptr || !VerbWindowList.contains(target)) {
        modified = false;
        return true;
    }
    const QString text = toPlainText();
    if (quiet && !ToCp1252(text)) return false;  // still modified: told when the field is left
    modified = false;
    QPointer<DefinitionEdit> self = this;
    if (Commit(target, text, window(), [self] {
            if (self && self->refused) self->setFocus(Qt::OtherFocusReason);
        })) {
        savedText = text;
        return true;
    }
    KeepRefusedText();
    refused = !hasFocus();
    return false;
}

void DefinitionEdit::KeepRefusedText() {
    modified = true;
    const QString text = toPlainText();
    int at = 0;
    while (at < text.size()) {
        const int length = text[at].isHighSurrogate() && at + 1 < text.size() ? 2 : 1;
        if (!ToCp1252(text.mid(at, length))) break;
        at += length;
    }
    QTextCursor cursor = textCursor();
    cursor.setPosition(at);
    setTextCursor(cursor);
}

bool DefinitionEdit::Commit(CChildFrame* target, const QString& text, QWidget* messageParent,
                            std::function<void()> afterMessage) {
    QString oneLine = text;
    oneLine.replace(QLatin1String("\r\n"), QLatin1String(" "));
    for (QChar& c : oneLine)
        if (c == '\r' || c == '\n' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator) c = ' ';
    QString error;
    std::optional<std::string> bytes = ToCp1252(oneLine, &error);
    if (!bytes) {
        // Shown once the focus change that triggered the commit is over.
        QPointer<QWidget> parent = messageParent;
        QTimer::singleShot(0, [parent, error, afterMessage] {
            ShowUserMessage(parent, QMessageBox::Warning,
                            error + QStringLiteral("\nThe definition was not stored."));
            if (afterMessage) afterMessage();
        });
        return false;
    }
    target->CommitDefinition(*bytes);
    return true;
}
