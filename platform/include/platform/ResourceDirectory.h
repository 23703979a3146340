// The resource directory a module carries in place of Windows resources.
//
// The module's build emits one table of (type name, id, data, size) entries and
// exports it under the data symbol named by kResourceDirectorySymbol. The
// module reads it for its own database on load; the program reads it through
// FindModuleResource (ModuleResources.h). Header-only and C-compatible.
//
// Type names used:
//   "PLIMO"  ids 200-206: the verb database blobs (language/src/DatabaseFormat.h)
//   "ICON"   a complete .ico file (all images of the icon group)
//   "BITMAP" a device-independent bitmap as Windows stores it: a
//            BITMAPINFOHEADER, its colour table, then the pixel rows
#pragma once

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

struct ResourceEntry {
    const char* type;
    int32_t id;
    const void* data;
    uint32_t size;
};

struct ResourceDirectory {
    uint32_t count;
    const struct ResourceEntry* entries;
};

#define PLIMO_RESOURCE_DIRECTORY_SYMBOL "PlimoResourceDirectory"

#ifdef __cplusplus
}
#endif
