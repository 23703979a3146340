// Module loading on POSIX with dlopen/dlsym/dlclose.
#include "platform/ModuleLoader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <string>

namespace platform {
namespace {

thread_local int lastErrorCode = 0;
thread_local std::string lastErrorMessage;

std::string DlErrorText() {
    const char* text = dlerror();
    return text ? text : "";
}

// dlopen does not give an error number; tell the cases apart by what is on
// disk and by the loader's text.
int ClassifyLoadFailure(const std::string& path, const std::string& loaderText) {
    if (path.find('/') != std::string::npos) {
        if (access(path.c_str(), F_OK) != 0) return ENOENT;
        if (access(path.c_str(), R_OK) != 0) return EACCES;
        return ENOEXEC;
    }
    if (loaderText.find("No such file") != std::string::npos) return ENOENT;
    if (loaderText.find("Permission denied") != std::string::npos) return EACCES;
    return ENOEXEC;
}

void* Open(const std::string& path) { return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL); }

}  // namespace

int LastErrorCode() { return lastErrorCode; }
std::string LastErrorMessage() { return lastErrorMessage; }

void SetLastError(int code, std::string message) {
    lastErrorCode = code;
    lastErrorMessage = message.empty() ? std::strerror(code) : std::move(message);
}

std::string ProgramDirectory() {
    char buffer[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0) return ".";
    std::string path(buffer, static_cast<size_t>(length));
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

ModuleHandle LoadModule(const std::string& fileName) {
    if (fileName.empty()) {
        SetLastError(EINVAL, "No module file name given.");
        return nullptr;
    }
    dlerror();
    if (fileName.find('/') != std::string::npos) {
        if (void* handle = Open(fileName)) return static_cast<ModuleHandle>(handle);
        std::string text = DlErrorText();
        SetLastError(ClassifyLoadFailure(fileName, text), text);
        return nullptr;
    }
    // The program's own directory first.
    std::string local = ProgramDirectory() + "/" + fileName;
    if (access(local.c_str(), F_OK) == 0) {
        if (void* handle = Open(local)) return static_cast<ModuleHandle>(handle);
        std::string text = DlErrorText();
        SetLastError(ClassifyLoadFailure(local, text), text);
        return nullptr;
    }
    // Then the system's library search.
    if (void* handle = Open(fileName)) return static_cast<ModuleHandle>(handle);
    std::string text = DlErrorText();
    SetLastError(ClassifyLoadFailure(fileName, text), text);
    return nullptr;
}

void* FindEntryPoint(ModuleHandle module, const char* name) {
    if (module == nullptr || name == nullptr) {
        SetLastError(EINVAL, "No module or entry point name given.");
        return nullptr;
    }
    dlerror();
    void* address = dlsym(static_cast<void*>(module), name);
    if (address == nullptr) {
        std::string text = DlErrorText();
        SetLastError(ENOSYS, text.empty() ? std::string("The module has no entry point ") + name
                                          : text);
    }
    return address;
}

bool FreeModule(ModuleHandle module) {
    if (module == nullptr) {
        SetLastError(EINVAL, "No module given.");
        return false;
    }
    dlerror();
    if (dlclose(static_cast<void*>(module)) != 0) {
        SetLastError(EINVAL, DlErrorText());
        return false;
    }
    return true;
}

}  // namespace platform
