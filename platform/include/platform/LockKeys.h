// The lock keys' state (Caps Lock, Num Lock, Scroll Lock) as the keyboard's
// indicators show it, where the platform can tell: on X11 through the X
// keyboard extension of the program's own display connection, on Windows
// with GetKeyState.
#pragma once

#include <optional>

namespace platform {

struct LockKeys {
    bool capsLock = false;
    bool numLock = false;
    bool scrollLock = false;
};

// `display` is the Xlib Display* of the program's X connection (ignored on
// Windows). Nothing when the state cannot be known: no display, no keyboard
// extension, or a build without X11.
std::optional<LockKeys> ReadLockKeys(void* display);

}  // namespace platform
