// Composing a mail in the desktop's mail program (xdg-email). The user sends
// it from there; nothing is sent without them.
#pragma once

#include <string>
#include <vector>

#include "platform/ExternalTool.h"

namespace platform {

// Subject and body are UTF-8 text (xdg-email is run with --utf8); convert
// Windows-1252 text before filling them in.
struct MailMessage {
    std::vector<std::string> recipients;  // addresses, e.g. "support@example.org"
    std::string subject;
    std::string body;
    std::vector<std::string> attachments;  // full paths of files to attach
};

// Opens the composer with the message filled in. Fails with a clear message
// when xdg-email is missing, an attachment does not exist, or the tool fails.
ToolResult ComposeMail(const MailMessage& message);

}  // namespace platform
