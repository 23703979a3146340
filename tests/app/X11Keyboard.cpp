#include "X11Keyboard.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#if defined(PLIMO_TEST_HAVE_X11) && QT_CONFIG(xcb)
// After Qt: Xlib's macros would clash with it.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>

bool LockCapsLock(bool on) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    Display* display = x11 ? x11->display() : nullptr;
    if (display == nullptr) return false;
    XkbLockModifiers(display, XkbUseCoreKbd, LockMask, on ? LockMask : 0);
    XSync(display, False);
    return true;
}
#else
bool LockCapsLock(bool) { return false; }
#endif
