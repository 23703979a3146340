// Running a helper program without a shell, waiting for it or not.
#include "platform/ExternalTool.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "platform/ModuleLoader.h"

extern char** environ;

namespace platform {
namespace {

constexpr size_t MaxCapture = 1 << 20;

std::string Trim(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    return text;
}

// An anonymous temporary file (already unlinked), or -1. The tool writes its
// output and error text there rather than into pipes: a tool such as
// xdg-open may start a program (the browser) that inherits those handles and
// keeps them long after the tool has finished. With pipes we would either
// wait for the browser to exit or, closing our end, have it killed by
// SIGPIPE the next time it writes a warning; a file has neither problem.
int OpenScratchFile() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp != nullptr && tmp[0] == '/' ? tmp : "/tmp") + "/plimo-tool-XXXXXX";
    int fd = mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0 && pattern.rfind("/tmp/", 0) != 0) {
        pattern = "/tmp/plimo-tool-XXXXXX";
        fd = mkostemp(pattern.data(), O_CLOEXEC);
    }
    if (fd >= 0) unlink(pattern.c_str());
    return fd;
}

// Up to MaxCapture bytes from the start of a scratch file.
std::string ReadScratchFile(int fd) {
    std::string text;
    char buffer[4096];
    off_t offset = 0;
    while (text.size() < MaxCapture) {
        ssize_t n = pread(fd, buffer, sizeof buffer, offset);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        text.append(buffer, static_cast<size_t>(n));
        offset += n;
    }
    if (text.size() > MaxCapture) text.resize(MaxCapture);
    return text;
}

std::vector<pid_t>& AbandonedTools() {
    static std::vector<pid_t> pids;
    return pids;
}

// Collects the exit of tools whose StartedTool went away while they ran, so
// that they do not linger as zombies.
void ReapAbandonedTools() {
    std::vector<pid_t>& pids = AbandonedTools();
    std::erase_if(pids, [](pid_t pid) {
        int status = 0;
        pid_t done = waitpid(pid, &status, WNOHANG);
        return done == pid || (done < 0 && errno == ECHILD);
    });
}

bool IsExecutableFile(const std::string& path, bool& exists) {
    struct stat info {};
    exists = stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
    return exists && access(path.c_str(), X_OK) == 0;
}

}  // namespace

// Starting a tool and turning its exit status into a result; shared by the
// waiting and the non-waiting way of running it.
struct ToolSpawner {
    // Starts the tool; false (with `result` telling why) when it cannot.
    static bool Spawn(const std::string& program, const std::vector<std::string>& arguments, int outFile,
                      int errFile, pid_t& pid, ToolResult& result) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        if (outFile >= 0)
            posix_spawn_file_actions_adddup2(&actions, outFile, 1);
        else
            posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_adddup2(&actions, errFile, 2);

        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);

        int spawnError = posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (spawnError == 0) return true;
        result.missing = spawnError == ENOENT;
        result.message = result.missing ? program + " is not installed. Install the xdg-utils package."
                                        : "Cannot start " + program + ": " + std::strerror(spawnError) + ".";
        SetLastError(spawnError, result.message);
        return false;
    }

    // The result of a tool that ended with wait status `status`; its error
    // text is read from `errFile`.
    static ToolResult Finish(const std::string& program, int status, int errFile) {
        ToolResult result;
        std::string errors = ReadScratchFile(errFile);
        if (WIFEXITED(status)) {
            result.exitCode = WEXITSTATUS(status);
            result.ok = result.exitCode == 0;
        } else {
            result.stopped = true;
        }
        if (result.ok) return result;
        if (result.exitCode == 127) {
            // A wrapper script that could not find a program it needs.
            result.missing = true;
        }
        result.message = program + " failed";
        if (result.exitCode >= 0)
            result.message += " (exit code " + std::to_string(result.exitCode) + ")";
        else
            result.message += " (it was stopped)";
        std::string detail = Trim(errors);
        if (!detail.empty()) result.message += ": " + detail;
        result.message += ".";
        SetLastError(result.exitCode > 0 ? result.exitCode : ECHILD, result.message);
        return result;
    }

    static std::unique_ptr<StartedTool> Started(const std::string& program, pid_t pid, int errFile) {
        int notice = -1;
#ifdef SYS_pidfd_open
        notice = int(syscall(SYS_pidfd_open, pid, 0));  // close-on-exec by nature
#endif
        return std::unique_ptr<StartedTool>(new StartedTool(program, pid, errFile, notice));
    }
};

ToolResult RunTool(const std::string& program, const std::vector<std::string>& arguments,
                   bool captureOutput) {
    ToolResult result;
    int outFile = captureOutput ? OpenScratchFile() : -1;
    int errFile = OpenScratchFile();
    if ((captureOutput && outFile < 0) || errFile < 0) {
        int code = errno;
        if (outFile >= 0) close(outFile);
        if (errFile >= 0) close(errFile);
        result.message = "Cannot start " + program + ": " + std::strerror(code) + ".";
        SetLastError(code, result.message);
        return result;
    }
    pid_t pid = 0;
    if (!ToolSpawner::Spawn(program, arguments, outFile, errFile, pid, result)) {
        if (outFile >= 0) close(outFile);
        close(errFile);
        return result;
    }

    // Wait for the tool itself, not for anything it started.
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    result = ToolSpawner::Finish(program, status, errFile);
    close(errFile);
    if (captureOutput) {
        result.output = ReadScratchFile(outFile);
        close(outFile);
    }
    return result;
}

ToolAvailability FindTool(const std::string& program) {
    bool exists = false;
    if (program.find('/') != std::string::npos) {
        if (IsExecutableFile(program, exists)) return ToolAvailability::Found;
        return exists ? ToolAvailability::NotExecutable : ToolAvailability::Missing;
    }
    const char* path = std::getenv("PATH");
    std::string_view folders = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
    bool seen = false;
    while (true) {
        size_t end = folders.find(':');
        std::string folder(folders.substr(0, end));
        if (folder.empty()) folder = ".";
        if (IsExecutableFile(folder + "/" + program, exists)) return ToolAvailability::Found;
        seen = seen || exists;
        if (end == std::string_view::npos) break;
        folders.remove_prefix(end + 1);
    }
    return seen ? ToolAvailability::NotExecutable : ToolAvailability::Missing;
}

StartedTool::StartedTool(std::string program, long pid, int errFile, int notice)
    : program_(std::move(program)), pid_(pid), errFile_(errFile), notice_(notice) {}

StartedTool::~StartedTool() {
    if (!result_) {
        Poll();
        if (!result_) AbandonedTools().push_back(pid_t(pid_));
    }
    if (errFile_ >= 0) close(errFile_);
    if (notice_ >= 0) close(notice_);
}

std::optional<ToolResult> StartedTool::Poll() {
    if (result_) return result_;
    int status = 0;
    pid_t done;
    while ((done = waitpid(pid_t(pid_), &status, WNOHANG)) < 0 && errno == EINTR) {
    }
    if (done == 0) return std::nullopt;
    if (done < 0) {
        // Collected elsewhere: the status is lost, report what is known.
        ToolResult lost;
        lost.stopped = true;
        lost.message = program_ + " ended without an exit status.";
        result_ = lost;
    } else {
        result_ = ToolSpawner::Finish(program_, status, errFile_);
    }
    return result_;
}

ToolStart StartTool(const std::string& program, const std::vector<std::string>& arguments) {
    ReapAbandonedTools();
    ToolStart start;
    int errFile = OpenScratchFile();
    if (errFile < 0) {
        int code = errno;
        start.failure.message = "Cannot start " + program + ": " + std::strerror(code) + ".";
        SetLastError(code, start.failure.message);
        return start;
    }
    pid_t pid = 0;
    if (!ToolSpawner::Spawn(program, arguments, -1, errFile, pid, start.failure)) {
        close(errFile);
        return start;
    }
    start.tool = ToolSpawner::Started(program, pid, errFile);
    return start;
}

}  // namespace platform
