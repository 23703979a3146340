// Windows-1252 text conversion.
//
// The language module and the definitions file hold Windows-1252 text; the
// terminal and Qt widgets use Unicode. The mapping covers all 256 bytes:
// 0x80-0x9F carry the Windows-1252 letters and signs ("œ" is 0x9C, "€" is
// 0x80), and the five bytes Windows-1252 leaves unassigned (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) map to the C1 control characters of the same value, so every
// byte string survives a round trip.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace cp1252 {

// The Unicode code point of one Windows-1252 byte.
char32_t ToUnicode(unsigned char byte);

// The Windows-1252 byte for a code point, or nothing when there is none.
std::optional<unsigned char> FromUnicode(char32_t codePoint);

std::string ToUtf8(std::string_view cp1252Text);
std::u16string ToUtf16(std::string_view cp1252Text);

// The result of converting Unicode text to Windows-1252. When `ok` is false,
// `text` is empty, `errorOffset` is the position of the offending character
// (in bytes for UTF-8 input, in UTF-16 units for UTF-16 input), `codePoint`
// the character that has no Windows-1252 byte, and `invalidEncoding` is true
// when the input itself was not valid UTF-8 / UTF-16.
struct Conversion {
    bool ok = false;
    std::string text;
    std::size_t errorOffset = 0;
    char32_t codePoint = 0;
    bool invalidEncoding = false;

    // A sentence for the user, e.g. "The character "ł" (U+0142) has no
    // Windows-1252 equivalent and cannot be used here." Empty when ok.
    std::string ErrorMessage() const;
};

Conversion FromUtf8(std::string_view utf8Text);
Conversion FromUtf16(std::u16string_view utf16Text);

}  // namespace cp1252
