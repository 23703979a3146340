// UTF-8 to Windows-1252 for the database sources.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dbc {

// Converts UTF-8 text to Windows-1252; nullopt when a character has no
// Windows-1252 byte or the UTF-8 is malformed.
std::optional<std::string> Utf8ToCp1252(std::string_view utf8);

}  // namespace dbc
