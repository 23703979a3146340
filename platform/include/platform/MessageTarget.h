// A window handle that crosses the language module boundary.
//
// On POSIX a "window handle" given to the module (SetSearchProgressHwnd) is a
// pointer to a MessageTarget. The module delivers a message by calling `send`
// synchronously on its own thread, the way SendMessage would on Windows.
// Header-only and C-compatible. The language module's interface header
// (LanguageModuleAbi.h) carries the same definitions under the same guard,
// so that it stands alone; either header may come first.
#pragma once

#include <stdint.h>

#ifndef PLIMO_MESSAGE_TARGET_DEFINED
#define PLIMO_MESSAGE_TARGET_DEFINED

#ifdef __cplusplus
extern "C" {
#endif

struct MessageTarget {
    intptr_t (*send)(struct MessageTarget* target, uint32_t message, uintptr_t wParam, intptr_t lParam);
};

#ifdef __cplusplus
}
#endif

// On Windows both come from <windows.h>.
#ifndef _WIN32
typedef struct MessageTarget* HWND;
enum { WM_USER = 0x0400 };
#endif

#endif
