// Mail composition through xdg-email.
#include "platform/Mail.h"

#include <unistd.h>

#include <cerrno>

#include "platform/ModuleLoader.h"

namespace platform {
namespace {

constexpr const char* Composer = "xdg-email";
// xdg-email's exit status when it finds no mail program to hand the message to.
constexpr int NoMailProgram = 3;

// The xdg-email arguments for `message`, or false with `failure` filled in
// when an attachment cannot be read (the tool is then not started).
bool ComposerArguments(const MailMessage& message, std::vector<std::string>& arguments, ToolResult& failure) {
    for (const std::string& file : message.attachments) {
        if (access(file.c_str(), R_OK) != 0) {
            failure.message = "Cannot attach " + file + ": the file does not exist or cannot be read.";
            SetLastError(ENOENT, failure.message);
            return false;
        }
    }
    arguments = {"--utf8"};
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
    return true;
}

}  // namespace

ToolAvailability MailComposerAvailability() { return FindTool(Composer); }

void DescribeMailResult(ToolResult& result) {
    if (result.ok || result.missing || result.exitCode != NoMailProgram) return;
    result.missing = true;
    result.message = "No mail program was found to compose the message. " + result.message;
}

ToolResult ComposeMail(const MailMessage& message) {
    std::vector<std::string> arguments;
    ToolResult result;
    if (!ComposerArguments(message, arguments, result)) return result;
    result = RunTool(Composer, arguments);
    DescribeMailResult(result);
    return result;
}

ToolStart StartMailComposer(const MailMessage& message) {
    std::vector<std::string> arguments;
    ToolStart start;
    if (!ComposerArguments(message, arguments, start.failure)) return start;
    start = StartTool(Composer, arguments);
    DescribeMailResult(start.failure);
    return start;
}

}  // namespace platform
