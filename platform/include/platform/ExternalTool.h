// Running a desktop helper program (xdg-email, xdg-open, xdg-mime) and
// reporting clearly what went wrong. Used by Mail.h and ShellOpen.h.
#pragma once

#include <string>
#include <vector>

namespace platform {

struct ToolResult {
    bool ok = false;
    int exitCode = -1;      // the tool's exit status; -1 when it did not run or was killed
    bool missing = false;   // the tool is not installed (not found on PATH)
    std::string message;    // for the user when !ok, e.g. "xdg-email is not installed."
    std::string output;     // the tool's standard output, when asked for
};

// Runs `program` (looked up on PATH) with `arguments`, without a shell, and
// waits for it. Standard input is /dev/null; standard output is captured into
// result.output when `captureOutput`, otherwise discarded.
ToolResult RunTool(const std::string& program, const std::vector<std::string>& arguments,
                   bool captureOutput = false);

}  // namespace platform
