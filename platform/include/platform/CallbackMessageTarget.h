// A message target (MessageTarget.h) that hands every message to a C++
// callable. Give its address to the language module as the window handle of
// SetSearchProgressHwnd; the module then calls the callable synchronously,
// on its own thread, for each message it sends.
#pragma once

#include <functional>
#include <utility>

#include "platform/MessageTarget.h"

namespace platform {

class CallbackMessageTarget : public MessageTarget {
public:
    using Handler = std::function<intptr_t(uint32_t message, uintptr_t wParam, intptr_t lParam)>;

    explicit CallbackMessageTarget(Handler handler) : handler_(std::move(handler)) {
        send = &CallbackMessageTarget::Dispatch;
    }
    CallbackMessageTarget(const CallbackMessageTarget&) = delete;
    CallbackMessageTarget& operator=(const CallbackMessageTarget&) = delete;

    HWND handle() { return this; }

private:
    static intptr_t Dispatch(MessageTarget* target, uint32_t message, uintptr_t wParam, intptr_t lParam) {
        auto* self = static_cast<CallbackMessageTarget*>(target);
        return self->handler_ ? self->handler_(message, wParam, lParam) : 0;
    }

    Handler handler_;
};

// Sends a message to a window handle the way the module does: synchronously,
// returning the handler's result; 0 for a null handle or a target without
// a send function.
inline intptr_t SendMessageTo(HWND window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    if (window == nullptr || window->send == nullptr) return 0;
    return window->send(window, message, wParam, lParam);
}

}  // namespace platform
