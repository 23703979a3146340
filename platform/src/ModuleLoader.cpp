// Module loading on POSIX with dlopen/dlsym/dlclose.
#include "platform/ModuleLoader.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

namespace platform {
namespace {

thread_local int lastErrorCode = 0;
thread_local std::string lastErrorMessage;

std::string DlErrorText() {
    const char* text = dlerror();
    return text ? text : "";
}

// dlopen does not give an error number; tell the cases apart by what is on
// disk (the loader is only ever given a path).
int ClassifyLoadFailure(const std::string& path) {
    if (access(path.c_str(), F_OK) != 0) return ENOENT;
    if (access(path.c_str(), R_OK) != 0) return EACCES;
    return ENOEXEC;
}

#ifndef PLIMO_INSTALL_MODULE_DIR
#define PLIMO_INSTALL_MODULE_DIR ""
#endif

// The identification of a library of this platform: class and byte order.
constexpr unsigned char NativeClass = sizeof(ElfW(Addr)) == 8 ? ELFCLASS64 : ELFCLASS32;
constexpr unsigned char NativeByteOrder =
    __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__ ? ELFDATA2LSB : ELFDATA2MSB;

bool ReadAt(int fd, void* buffer, size_t size, off_t offset) {
    return pread(fd, buffer, size, offset) == static_cast<ssize_t>(size);
}

// The loader maps a library's segments straight from the file; a segment
// that reaches past the end of a cut-off file is mapped all the same, and
// the first touch of it kills the process (SIGBUS). So a library of this
// platform's own kind must hold every segment its header announces. Files
// of any other kind are left to the loader, which refuses them cleanly.
bool WholeLibrary(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return true;  // the loader says why
    struct stat info;
    ElfW(Ehdr) header;
    bool whole = true;
    uint64_t size = 0;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ReadAt(fd, &header, sizeof header, 0) &&
        std::memcmp(header.e_ident, ELFMAG, SELFMAG) == 0 && header.e_ident[EI_CLASS] == NativeClass &&
        header.e_ident[EI_DATA] == NativeByteOrder) {
        size = static_cast<uint64_t>(info.st_size);
        const uint64_t tableEnd = uint64_t(header.e_phoff) + uint64_t(header.e_phnum) * header.e_phentsize;
        whole = header.e_phentsize == sizeof(ElfW(Phdr)) && tableEnd <= size;
        for (unsigned i = 0; whole && i < header.e_phnum; ++i) {
            ElfW(Phdr) segment;
            if (!ReadAt(fd, &segment, sizeof segment, off_t(header.e_phoff + i * sizeof segment))) {
                whole = false;
            } else if (segment.p_filesz > 0) {
                whole = segment.p_offset <= size && segment.p_filesz <= size - segment.p_offset;
            }
        }
    }
    close(fd);
    if (!whole)
        SetLastError(ENOEXEC,
                     path + ": file too short (" + std::to_string(size) + " bytes; the library is cut off)");
    return whole;
}

void* Open(const std::string& path) {
    if (!WholeLibrary(path)) return nullptr;
    dlerror();
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        std::string text = DlErrorText();
        SetLastError(ClassifyLoadFailure(path), text);
    }
    return handle;
}

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
    if (fileName.find('/') != std::string::npos) return static_cast<ModuleHandle>(Open(fileName));
    // A bare name: the program's own folder, then the install folder, and
    // nowhere else. The loader's own search (LD_LIBRARY_PATH, whose empty
    // entries mean the current folder, the cache, the system folders) would
    // run whatever library of that name is planted there.
    // ProgramDirectory gives "." only when the program's own path cannot be
    // read; that would be the current folder, so it is left out.
    std::vector<std::string> folders;
    const std::string own = ProgramDirectory();
    const std::string installed = PLIMO_INSTALL_MODULE_DIR;
    if (own != ".") folders.push_back(own);
    if (!installed.empty() && installed != own) folders.push_back(installed);
    std::string searched;
    for (const std::string& folder : folders) {
        const std::string path = folder + "/" + fileName;
        if (access(path.c_str(), F_OK) == 0) return static_cast<ModuleHandle>(Open(path));
        searched += (searched.empty() ? "" : " nor in ") + folder;
    }
    SetLastError(ENOENT,
                 fileName + ": not found in " + (searched.empty() ? "the program's folder" : searched));
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
        SetLastError(ENOSYS, text.empty() ? std::string("The module has no entry point ") + name : text);
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
