// The lock keys' state read from a real X server: the keyboard extension's
// Caps Lock and Num Lock indicators follow the locked modifiers.
#include <gtest/gtest.h>

#include "platform/LockKeys.h"

// After gtest: Xlib's macros (None, Bool, ...) would clash with it.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace {

// The modifier bit that Num Lock locks in this keymap.
unsigned NumLockMask(Display* display) { return XkbKeysymToModifiers(display, XK_Num_Lock); }

void Lock(Display* display, unsigned mask, bool on) {
    XkbLockModifiers(display, XkbUseCoreKbd, mask, on ? mask : 0);
    XSync(display, False);
}

}  // namespace

TEST(LockKeys, NothingWithoutADisplay) { EXPECT_FALSE(platform::ReadLockKeys(nullptr)); }

TEST(LockKeys, FollowTheKeyboard) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) GTEST_SKIP() << "no X display";
    XkbStateRec before{};
    XkbGetState(display, XkbUseCoreKbd, &before);
    const unsigned num = NumLockMask(display);

    Lock(display, LockMask, true);
    Lock(display, num, false);
    std::optional<platform::LockKeys> keys = platform::ReadLockKeys(display);
    ASSERT_TRUE(keys);
    EXPECT_TRUE(keys->capsLock);
    EXPECT_FALSE(keys->numLock);

    Lock(display, LockMask, false);
    Lock(display, num, true);
    keys = platform::ReadLockKeys(display);
    ASSERT_TRUE(keys);
    EXPECT_FALSE(keys->capsLock);
    EXPECT_TRUE(keys->numLock);

    XkbLockModifiers(display, XkbUseCoreKbd, LockMask | num, before.locked_mods & (LockMask | num));
    XCloseDisplay(display);
}
