// Atomic file replacement: temporary file, fsync, rename.
#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/ModuleLoader.h"

namespace platform {
namespace {

bool Fail(int code, const std::string& what, const std::string& path) {
    SetLastError(code, what + " " + path + ": " + std::strerror(code));
    return false;
}

bool ReplaceFile(const std::string& path, std::string_view data);

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view data) {
    if (path.empty()) {
        SetLastError(EINVAL, "No file name given.");
        return false;
    }
    // A symbolic link (say, to a file kept with the user's other settings)
    // stays a link: the file it points to is the one replaced.
    std::string target = path;
    struct stat link;
    if (lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        if (char* resolved = realpath(path.c_str(), nullptr)) {
            target = resolved;
            std::free(resolved);
        }
    }
    return ReplaceFile(target, data);
}

namespace {

bool ReplaceFile(const std::string& path, std::string_view data) {
    std::string pattern = path + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = mkstemp(name.data());
    if (fd < 0) return Fail(errno, "Cannot create a temporary file for", path);
    std::string temp(name.data());

    // Keep the permissions of the file being replaced; a new file gets the
    // usual ones (rw for everybody, less the umask) instead of mkstemp's 0600.
    struct stat existing;
    if (stat(path.c_str(), &existing) == 0) {
        fchmod(fd, existing.st_mode & 07777);
    } else {
        mode_t mask = umask(0);
        umask(mask);
        fchmod(fd, 0666 & ~mask);
    }

    const char* p = data.data();
    size_t left = data.size();
    while (left > 0) {
        ssize_t written = write(fd, p, left);
        if (written < 0) {
            if (errno == EINTR) continue;
            int code = errno;
            close(fd);
            unlink(temp.c_str());
            return Fail(code, "Cannot write", path);
        }
        p += written;
        left -= static_cast<size_t>(written);
    }
    if (fsync(fd) != 0) {
        int code = errno;
        close(fd);
        unlink(temp.c_str());
        return Fail(code, "Cannot write", path);
    }
    if (close(fd) != 0) {
        int code = errno;
        unlink(temp.c_str());
        return Fail(code, "Cannot write", path);
    }
    if (rename(temp.c_str(), path.c_str()) != 0) {
        int code = errno;
        unlink(temp.c_str());
        return Fail(code, "Cannot replace", path);
    }
    return true;
}

}  // namespace
}  // namespace platform
