// Resources of a loaded module, found by type name and id through the
// resource directory the module exports (ResourceDirectory.h).
#pragma once

#include <cstdint>

#include "platform/ModuleLoader.h"
#include "platform/ResourceDirectory.h"

namespace platform {

// The module's resource directory, or null (ENOENT) when it exports none.
const ResourceDirectory* FindResourceDirectory(ModuleHandle module);

// The entry of type `type` (compared exactly) and id `id`, or null (ENOENT).
// The data stays valid while the module is loaded.
const ResourceEntry* FindModuleResource(ModuleHandle module, const char* type, int32_t id);

}  // namespace platform
