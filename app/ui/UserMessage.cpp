#include "UserMessage.h"

#include <QPushButton>

namespace {
UserMessageHook& Hook() {
    static UserMessageHook hook;
    return hook;
}
UserChoiceHook& ChoiceHook() {
    static UserChoiceHook hook;
    return hook;
}
}  // namespace

void ShowUserMessage(QWidget* parent, QMessageBox::Icon icon, const QString& text, const QString& caption) {
    if (Hook()) {
        Hook()(icon, text, caption);
        return;
    }
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

void SetUserMessageHook(UserMessageHook hook) { Hook() = std::move(hook); }

int AskUser(QWidget* parent, QMessageBox::Icon icon, const QString& text, const QStringList& buttons,
            const QString& caption) {
    if (Hook()) {
        Hook()(icon, text, caption);
        return ChoiceHook() ? ChoiceHook()(text, buttons) : int(buttons.size()) - 1;
    }
    QMessageBox box(icon, caption, text, QMessageBox::NoButton, parent);
    QList<QAbstractButton*> added;
    for (const QString& label : buttons) added.append(box.addButton(label, QMessageBox::ActionRole));
    if (!added.isEmpty()) box.setDefaultButton(qobject_cast<QPushButton*>(added.first()));
    box.exec();
    return int(added.indexOf(box.clickedButton()));
}

void SetUserChoiceHook(UserChoiceHook hook) { ChoiceHook() = std::move(hook); }
