// Running a helper program without a shell, collecting its output.
#include "platform/ExternalTool.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
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

}  // namespace

ToolResult RunTool(const std::string& program, const std::vector<std::string>& arguments,
                   bool captureOutput) {
    ToolResult result;
    int outPipe[2] = {-1, -1};
    int errPipe[2] = {-1, -1};
    if (pipe2(outPipe, O_CLOEXEC) != 0 || pipe2(errPipe, O_CLOEXEC) != 0) {
        int code = errno;
        for (int fd : {outPipe[0], outPipe[1], errPipe[0], errPipe[1]})
            if (fd >= 0) close(fd);
        result.message = "Cannot start " + program + ": " + std::strerror(code) + ".";
        SetLastError(code, result.message);
        return result;
    }

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, outPipe[1], 1);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], 2);

    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    pid_t pid = 0;
    int spawnError = posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(outPipe[1]);
    close(errPipe[1]);
    if (spawnError != 0) {
        close(outPipe[0]);
        close(errPipe[0]);
        result.missing = spawnError == ENOENT;
        result.message = result.missing
                             ? program + " is not installed. Install the xdg-utils package."
                             : "Cannot start " + program + ": " + std::strerror(spawnError) + ".";
        SetLastError(spawnError, result.message);
        return result;
    }

    std::string output;
    std::string errors;
    pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    int open = 2;
    while (open > 0) {
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) continue;
            char buffer[4096];
            ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                std::string& target = i == 0 ? output : errors;
                if (target.size() < MaxCapture) target.append(buffer, static_cast<size_t>(n));
            } else if (n == 0 || errno != EINTR) {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    for (const pollfd& p : fds)
        if (p.fd >= 0) close(p.fd);

    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (captureOutput) result.output = std::move(output);
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
