// Message boxes for the user, with the program's title as caption.
//
// Every report to the user goes through ShowUserMessage so that tests can
// record the messages instead of showing modal boxes.
#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>

// Shows a message box with an OK button; returns when it is closed.
void ShowUserMessage(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                     const QString& caption = QStringLiteral("Plimo"));

// Asks a question with the given buttons (none of them taken by Esc) and
// returns the index of the one chosen. While a message hook is set, the
// question goes to it as a message and the choice hook answers it (the last
// button when no choice hook is set).
int AskUser(QWidget* parent, QMessageBox::Icon icon, const QString& text, const QStringList& buttons,
            const QString& caption = QStringLiteral("Plimo"));

// While set, messages go to this function instead of a message box.
using UserMessageHook =
    std::function<void(QMessageBox::Icon icon, const QString& text, const QString& caption)>;
void SetUserMessageHook(UserMessageHook hook);

using UserChoiceHook = std::function<int(const QString& text, const QStringList& buttons)>;
void SetUserChoiceHook(UserChoiceHook hook);
