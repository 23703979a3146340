// Opening addresses through xdg-open; default applications through xdg-mime.
#include "platform/ShellOpen.h"

#include <cerrno>

#include "platform/ModuleLoader.h"

namespace platform {

ToolResult OpenUrl(const std::string& address) {
    if (address.empty()) {
        ToolResult result;
        result.message = "No address to open.";
        SetLastError(EINVAL, result.message);
        return result;
    }
    return RunTool("xdg-open", {address});
}

ToolResult DefaultApplicationFor(const std::string& mimeType) {
    ToolResult result = RunTool("xdg-mime", {"query", "default", mimeType}, true);
    while (!result.output.empty() && (result.output.back() == '\n' || result.output.back() == '\r'))
        result.output.pop_back();
    if (result.ok && result.output.empty()) {
        result.ok = false;
        result.message = "No application is set to open " + mimeType + ".";
        SetLastError(ENOENT, result.message);
    }
    return result;
}

}  // namespace platform
