#include "UserMessage.h"

namespace {
UserMessageHook& Hook() {
    static UserMessageHook hook;
    return hook;
}
}  // namespace

void ShowUserMessage(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                     const QString& caption) {
    if (Hook()) {
        Hook()(icon, text, caption);
        return;
    }
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

void SetUserMessageHook(UserMessageHook hook) { Hook() = std::move(hook); }
