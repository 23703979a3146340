// A window handle that crosses the language module boundary.
//
// On POSIX a "window handle" given to the module (SetSearchProgressHwnd) is a
// pointer to a MessageTarget. The module delivers a message by calling `send`
// synchronously on its own thread, the way SendMessage would on Windows.
// Header-only and C-compatible: the module includes it without linking to
// anything of ours.
#pragma once

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

struct MessageTarget {
    intptr_t (*send)(struct MessageTarget* target, uint32_t message, uintptr_t wParam,
                     intptr_t lParam);
};

#ifndef _WIN32
typedef struct MessageTarget* HWND;
#endif

enum { WM_USER = 0x0400 };

#ifdef __cplusplus
}
#endif
