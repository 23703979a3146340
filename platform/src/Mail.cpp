// Mail composition through xdg-email.
#include "platform/Mail.h"

#include <unistd.h>

#include <cerrno>

#include "platform/ModuleLoader.h"

namespace platform {

ToolResult ComposeMail(const MailMessage& message) {
    for (const std::string& file : message.attachments) {
        if (access(file.c_str(), R_OK) != 0) {
            ToolResult result;
            result.message = "Cannot attach " + file + ": the file does not exist or cannot be read.";
            SetLastError(ENOENT, result.message);
            return result;
        }
    }
    std::vector<std::string> arguments = {"--utf8"};
    if (!message.subject.empty()) {
        arguments.push_back("--subject");
        arguments.push_back(message.subject);
    }
    if (!message.body.empty()) {
        arguments.push_back("--body");
        arguments.push_back(message.body);
    }
    for (const std::string& file : message.attachments) {
        arguments.push_back("--attach");
        arguments.push_back(file);
    }
    for (const std::string& recipient : message.recipients) arguments.push_back(recipient);
    ToolResult result = RunTool("xdg-email", arguments);
    if (!result.ok && !result.missing && result.exitCode == 3)
        result.message = "No mail program was found to compose the message. " + result.message;
    return result;
}

}  // namespace platform
