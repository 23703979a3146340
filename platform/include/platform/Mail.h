// Composing a mail in the desktop's mail program (xdg-email). The user sends
// it from there; nothing is sent without them.
#pragma once

#include <string>
#include <vector>

#include "platform/ExternalTool.h"

namespace platform {

// Subject and body are UTF-8 text (xdg-email is run with --utf8); convert
// Windows-1252 text before filling them in. Attachment paths are file-system
// bytes and are passed on exactly as given.
struct MailMessage {
    std::vector<std::string> recipients;  // addresses, e.g. "support@example.org"
    std::string subject;
    std::string body;
    std::vector<std::string> attachments;  // full paths of files to attach
};

// Whether the mail composer (xdg-email) is installed and can be run.
ToolAvailability MailComposerAvailability();

// Opens the composer with the message filled in and waits for xdg-email.
// Fails with a clear message when xdg-email is missing, an attachment does
// not exist, or the tool fails.
ToolResult ComposeMail(const MailMessage& message);

// The same, without waiting: xdg-email may not return before the user closes
// the composer. Its result, collected later through the StartedTool, is read
// with DescribeMailResult.
ToolStart StartMailComposer(const MailMessage& message);

// Adds to a failed xdg-email result what its exit status means for the user
// (3: no mail program was found). Exit status 3 and a missing tool both mean
// that no composer is available: result.missing is then set.
void DescribeMailResult(ToolResult& result);

}  // namespace platform
