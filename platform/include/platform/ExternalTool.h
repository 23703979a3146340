// Running a desktop helper program (xdg-email, xdg-open, xdg-mime) and
// reporting clearly what went wrong. Used by Mail.h and ShellOpen.h.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

struct ToolResult {
    bool ok = false;
    int exitCode = -1;     // the tool's exit status; -1 when it did not run or was killed
    bool missing = false;  // the tool is not installed (not found on PATH)
    bool stopped = false;  // the tool was ended by a signal before it exited
    std::string message;   // for the user when !ok, e.g. "xdg-email is not installed."
    std::string output;    // the tool's standard output, when asked for
};

// Runs `program` (looked up on PATH) with `arguments`, without a shell, and
// waits for it. Standard input is /dev/null; standard output is captured into
// result.output when `captureOutput`, otherwise discarded.
ToolResult RunTool(const std::string& program, const std::vector<std::string>& arguments,
                   bool captureOutput = false);

// Whether `program` can be found on PATH and run.
enum class ToolAvailability { Found, Missing, NotExecutable };
ToolAvailability FindTool(const std::string& program);

// A helper program started without waiting for it: the mail composer may
// stay open for as long as the user writes. The caller's event loop watches
// ExitNotice() (or calls Poll now and then) and collects the result.
class StartedTool {
public:
    ~StartedTool();  // a tool still running is left to run; its exit is collected later
    StartedTool(const StartedTool&) = delete;
    StartedTool& operator=(const StartedTool&) = delete;

    // A descriptor that becomes readable once the tool has exited, for an
    // event loop to watch; -1 when the system offers none (then poll).
    int ExitNotice() const { return notice_; }
    // The tool's result once it has exited, nothing while it runs; never
    // blocks. After the result has been returned once, it is returned again.
    std::optional<ToolResult> Poll();
    long ProcessId() const { return pid_; }

private:
    friend struct ToolSpawner;
    StartedTool(std::string program, long pid, int errFile, int notice);

    std::string program_;
    long pid_ = 0;
    int errFile_ = -1;
    int notice_ = -1;
    std::optional<ToolResult> result_;
};

struct ToolStart {
    std::unique_ptr<StartedTool> tool;  // null when the tool could not be started
    ToolResult failure;                 // then: why (result.missing for a missing tool)
};

// Starts `program` (looked up on PATH) with `arguments`, without a shell,
// and returns at once. Standard input and output are /dev/null.
ToolStart StartTool(const std::string& program, const std::vector<std::string>& arguments);

}  // namespace platform
