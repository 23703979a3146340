// Atomic file replacement: temporary file, fsync, rename.
#include "platform/AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <string_view>
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
    // stays a link: the file it points to is the one replaced. When that
    // file's folder is missing (an unmounted drive), writing fails and the
    // link is left as it is.
    std::string target = path;
    struct stat link;
    if (lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        if (char* resolved = realpath(path.c_str(), nullptr)) {
            target = resolved;
            std::free(resolved);
        } else {
            target = FollowLinks(path);
            if (target.empty()) return Fail(ELOOP, "Cannot follow the link", path);
        }
    }
    return ReplaceFile(target, data);
}

int ReadWholeFile(const std::string& path, std::string& contents, long maxSize) {
    contents.clear();
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return errno;
    struct stat info;
    int code = 0;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        code = S_ISDIR(info.st_mode) ? EISDIR : ENOTSUP;
    else if (info.st_size > maxSize)
        code = EFBIG;
    char buffer[65536];
    while (code == 0) {
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) code = errno;
        if (n <= 0) break;
        contents.append(buffer, static_cast<size_t>(n));
        if (contents.size() > size_t(maxSize)) code = EFBIG;
    }
    close(fd);
    return code;
}

std::string FollowLinks(const std::string& path) {
    std::string current = path;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info;
        if (lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
        std::vector<char> buffer(4096);
        ssize_t n = readlink(current.c_str(), buffer.data(), buffer.size());
        if (n <= 0 || size_t(n) >= buffer.size()) return {};
        std::string next(buffer.data(), size_t(n));
        if (next[0] != '/') {
            size_t slash = current.rfind('/');
            next = (slash == std::string::npos ? std::string() : current.substr(0, slash + 1)) + next;
        }
        current = next;
    }
    return {};
}

namespace {

// "name.XXXXXX" as mkstemp makes it from "name".
bool IsTemporaryName(std::string_view entry, std::string_view base) {
    if (entry.size() != base.size() + 7 || entry.substr(0, base.size()) != base || entry[base.size()] != '.')
        return false;
    for (char c : entry.substr(base.size() + 1))
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
    return true;
}

void RemoveStaleBeside(const std::string& path, int minimumAgeSeconds) {
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    if (base.empty()) return;
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) return;
    const time_t now = time(nullptr);
    while (dirent* entry = readdir(dir)) {
        if (!IsTemporaryName(entry->d_name, base)) continue;
        const std::string file = folder + "/" + entry->d_name;
        struct stat info;
        if (lstat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != geteuid()) continue;
        if (now - info.st_mtime < minimumAgeSeconds) continue;  // a save may be writing it now
        unlink(file.c_str());
    }
    closedir(dir);
}

}  // namespace

void RemoveStaleTemporaryFiles(const std::string& path, int minimumAgeSeconds) {
    if (path.empty()) return;
    RemoveStaleBeside(path, minimumAgeSeconds);
    std::string target = FollowLinks(path);
    if (!target.empty() && target != path) RemoveStaleBeside(target, minimumAgeSeconds);
}

namespace {

// A save holds a lock on its temporary file until it has renamed it; a save
// that was killed has lost its lock. Those temporaries of `path` are removed
// before a new one is made, whatever their age, so that saves killed one
// after another leave no more than one behind. A temporary younger than a
// second may be one that another save has just made and not yet locked.
void RemoveDeadTemporaries(const std::string& path) {
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    if (base.empty()) return;
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) return;
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    while (dirent* entry = readdir(dir)) {
        if (!IsTemporaryName(entry->d_name, base)) continue;
        const std::string file = folder + "/" + entry->d_name;
        struct stat info;
        if (lstat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != geteuid()) continue;
        const double age =
            double(now.tv_sec - info.st_mtim.tv_sec) + (now.tv_nsec - info.st_mtim.tv_nsec) / 1e9;
        if (age < 1.0) continue;
        const int fd = open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        if (flock(fd, LOCK_EX | LOCK_NB) == 0) unlink(file.c_str());
        close(fd);
    }
    closedir(dir);
}

bool ReplaceFile(const std::string& path, std::string_view data) {
    RemoveDeadTemporaries(path);
    std::string pattern = path + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = mkstemp(name.data());
    if (fd < 0) return Fail(errno, "Cannot create a temporary file for", path);
    std::string temp(name.data());
    flock(fd, LOCK_EX | LOCK_NB);  // this save is alive: see RemoveDeadTemporaries

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
