// Resources of a loaded module through its exported resource directory.
#include "platform/ModuleResources.h"

#include <cerrno>
#include <cstring>
#include <string>

namespace platform {

const ResourceDirectory* FindResourceDirectory(ModuleHandle module) {
    if (module == nullptr) {
        SetLastError(EINVAL, "No module given.");
        return nullptr;
    }
    void* symbol = FindEntryPoint(module, PLIMO_RESOURCE_DIRECTORY_SYMBOL);
    if (symbol == nullptr) {
        SetLastError(ENOENT, "The module has no resource directory.");
        return nullptr;
    }
    return static_cast<const ResourceDirectory*>(symbol);
}

const ResourceEntry* FindModuleResource(ModuleHandle module, const char* type, int32_t id) {
    if (type == nullptr) {
        SetLastError(EINVAL, "No resource type given.");
        return nullptr;
    }
    const ResourceDirectory* directory = FindResourceDirectory(module);
    if (directory == nullptr) return nullptr;
    if (directory->entries != nullptr) {
        for (uint32_t i = 0; i < directory->count; ++i) {
            const ResourceEntry& entry = directory->entries[i];
            if (entry.id == id && entry.type != nullptr && std::strcmp(entry.type, type) == 0) return &entry;
        }
    }
    SetLastError(ENOENT, std::string("The module has no resource ") + type + " " + std::to_string(id) + ".");
    return nullptr;
}

}  // namespace platform
