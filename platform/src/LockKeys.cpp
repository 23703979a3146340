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

// What does not change while a display is open: whether it has the keyboard
// extension, and the names of the three indicators. Asked once, not at
// every key.
struct DisplayFacts {
    Display* display = nullptr;
    bool extension = false;
    Atom caps = None, num = None, scroll = None;
};

const DisplayFacts& FactsOf(Display* display) {
    static DisplayFacts facts;
    if (facts.display != display) {
        facts = DisplayFacts{};
        facts.display = display;
        int opcode = 0, event = 0, error = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
        facts.extension = XkbQueryExtension(display, &opcode, &event, &error, &major, &minor);
        if (facts.extension) {
            facts.caps = XInternAtom(display, "Caps Lock", True);
            facts.num = XInternAtom(display, "Num Lock", True);
            facts.scroll = XInternAtom(display, "Scroll Lock", True);
        }
    }
    return facts;
}

// The state of the keyboard indicator `name`; false when the keymap has no
// such indicator.
bool IndicatorOn(Display* display, Atom name, bool* found) {
    if (name == None) return false;
    Bool on = False;
    if (!XkbGetNamedIndicator(display, name, nullptr, &on, nullptr, nullptr)) return false;
    *found = true;
    return on != False;
}

}  // namespace

std::optional<LockKeys> ReadLockKeys(void* nativeDisplay) {
    auto* display = static_cast<Display*>(nativeDisplay);
    if (display == nullptr) return std::nullopt;
    const DisplayFacts& facts = FactsOf(display);
    if (!facts.extension) return std::nullopt;
    LockKeys keys;
    bool found = false;
    keys.capsLock = IndicatorOn(display, facts.caps, &found);
    keys.numLock = IndicatorOn(display, facts.num, &found);
    keys.scrollLock = IndicatorOn(display, facts.scroll, &found);
    if (!found) return std::nullopt;
    return keys;
}

#else

std::optional<LockKeys> ReadLockKeys(void*) { return std::nullopt; }

#endif

}  // namespace platform
