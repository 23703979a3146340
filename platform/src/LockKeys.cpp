#include "platform/LockKeys.h"

#if defined(_WIN32)
#include <windows.h>
#elif defined(PLIMO_HAVE_XKB)
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#endif

namespace platform {

#if defined(_WIN32)

std::optional<LockKeys> ReadLockKeys(void*) {
    LockKeys keys;
    keys.capsLock = (GetKeyState(VK_CAPITAL) & 1) != 0;
    keys.numLock = (GetKeyState(VK_NUMLOCK) & 1) != 0;
    keys.scrollLock = (GetKeyState(VK_SCROLL) & 1) != 0;
    return keys;
}

#elif defined(PLIMO_HAVE_XKB)

namespace {

// The state of the keyboard indicator named `name`; false when the keymap
// has no such indicator.
bool IndicatorOn(Display* display, const char* name, bool* found) {
    const Atom atom = XInternAtom(display, name, True);
    if (atom == None) return false;
    Bool on = False;
    if (!XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr)) return false;
    *found = true;
    return on != False;
}

}  // namespace

std::optional<LockKeys> ReadLockKeys(void* nativeDisplay) {
    auto* display = static_cast<Display*>(nativeDisplay);
    if (display == nullptr) return std::nullopt;
    int opcode = 0, event = 0, error = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
    if (!XkbQueryExtension(display, &opcode, &event, &error, &major, &minor)) return std::nullopt;
    LockKeys keys;
    bool found = false;
    keys.capsLock = IndicatorOn(display, "Caps Lock", &found);
    keys.numLock = IndicatorOn(display, "Num Lock", &found);
    keys.scrollLock = IndicatorOn(display, "Scroll Lock", &found);
    if (!found) return std::nullopt;
    return keys;
}

#else

std::optional<LockKeys> ReadLockKeys(void*) { return std::nullopt; }

#endif

}  // namespace platform
