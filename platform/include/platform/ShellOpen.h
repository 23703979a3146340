// Opening a web address or file through the desktop (xdg-open), and asking
// the desktop which application handles a type of file (xdg-mime).
#pragma once

#include <string>

#include "platform/ExternalTool.h"

namespace platform {

// Opens `address` in the user's preferred application. Fails with a clear
// message when xdg-open is missing or cannot open it.
ToolResult OpenUrl(const std::string& address);

// The desktop file name of the default application for `mimeType`
// ("text/html" -> "firefox.desktop") in result.output, without the line end;
// fails when xdg-mime is missing or no default is set.
ToolResult DefaultApplicationFor(const std::string& mimeType);

}  // namespace platform
