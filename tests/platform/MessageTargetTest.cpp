#include <gtest/gtest.h>

#include <vector>

#include "platform/CallbackMessageTarget.h"

using namespace platform;

TEST(MessageTarget, DeliversMessagesSynchronouslyThroughTheCHandle) {
    struct Seen {
        uint32_t message;
        uintptr_t wParam;
        intptr_t lParam;
    };
    std::vector<Seen> seen;
    CallbackMessageTarget target([&](uint32_t message, uintptr_t wParam, intptr_t lParam) {
        seen.push_back({message, wParam, lParam});
        return intptr_t{7};
    });
    HWND window = target.handle();
    // This is how the module calls it: through the C struct only.
    EXPECT_EQ(window->send(window, WM_USER, 55, 0), 7);
    EXPECT_EQ(SendMessageTo(window, WM_USER + 1, 100, -3), 7);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].message, 0x0400u);
    EXPECT_EQ(seen[0].wParam, 55u);
    EXPECT_EQ(seen[1].message, 0x0401u);
    EXPECT_EQ(seen[1].lParam, -3);
}

TEST(MessageTarget, NullHandlesAndEmptyHandlersAreHarmless) {
    EXPECT_EQ(SendMessageTo(nullptr, WM_USER, 1, 0), 0);
    CallbackMessageTarget empty(nullptr);
    EXPECT_EQ(SendMessageTo(empty.handle(), WM_USER, 1, 0), 0);
    MessageTarget noSend{nullptr};
    EXPECT_EQ(SendMessageTo(&noSend, WM_USER, 1, 0), 0);
}
