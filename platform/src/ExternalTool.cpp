// Running a helper program without a shell, collecting its output.
#include "platform/ExternalTool.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

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
    std::string pattern = std::string(tmp != nullptr && tmp[0] == '/' ? tmp : "/tmp") +
                          "/plimo-tool-XXXXXX";
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

}  // namespace

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

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    if (captureOutput)
        posix_spawn_file_actions_adddup2(&actions, outFile, 1);
    else
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, errFile, 2);

    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    pid_t pid = 0;
    int spawnError = posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawnError != 0) {
        if (outFile >= 0) close(outFile);
        close(errFile);
        result.missing = spawnError == ENOENT;
        result.message = result.missing
                             ? program + " is not installed. Install the xdg-utils package."
                             : "Cannot start " + program + ": " + std::strerror(spawnError) + ".";
        SetLastError(spawnError, result.message);
        return result;
    }

    // Wait for the tool itself, not for anything it started.
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    std::string errors = ReadScratchFile(errFile);
    close(errFile);
    if (captureOutput) {
        result.output = ReadScratchFile(outFile);
        close(outFile);
    }
    if (WIFEXITED(status)) {
        result.exitCode = WEXITSTATUS(status);
        result.ok = result.exitCode == 0;
    }
    if (!result.ok) {
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
    }
    return result;
}

}  // namespace platform
