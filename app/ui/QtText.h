// Conversions between the Windows-1252 text of the language module and
// QString, at the boundary of the widgets.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

// Windows-1252 bytes to a QString; null gives an empty string.
QString FromCp1252(const char* text);
QString FromCp1252(std::string_view text);

// A QString to Windows-1252 bytes; nothing when a character has no
// Windows-1252 byte, with the reason for the user in `error`.
std::optional<std::string> ToCp1252(const QString& text, QString* error = nullptr);
