// Windows-1252 <-> UTF-8 / UTF-16.
#include "Cp1252.h"

#include <cstdio>

namespace cp1252 {
namespace {

// Code points of bytes 0x80-0x9F; the unassigned ones map to themselves.
constexpr char16_t HighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

Conversion Refuse(std::size_t offset, char32_t cp, bool invalidEncoding) {
    Conversion result;
    result.ok = false;
    result.errorOffset = offset;
    result.codePoint = cp;
    result.invalidEncoding = invalidEncoding;
    return result;
}

}  // namespace

char32_t ToUnicode(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0) return HighControls[byte - 0x80];
    return byte;
}

std::optional<unsigned char> FromUnicode(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<unsigned char>(cp);
    for (int i = 0; i < 32; ++i)
        if (HighControls[i] == cp) return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

std::string ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (char c : text) {
        unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 0x80)
            out += c;
        else
            AppendUtf8(out, ToUnicode(byte));
    }
    return out;
}

std::u16string ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (char c : text) out += static_cast<char16_t>(ToUnicode(static_cast<unsigned char>(c)));
    return out;
}

Conversion FromUtf8(std::string_view text) {
    Conversion result;
    result.text.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        unsigned char lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            result.text += static_cast<char>(lead);
            ++i;
            continue;
        }
        int length = 0;
        char32_t cp = 0;
        char32_t minimum = 0;
        if ((lead & 0xE0) == 0xC0) {
            length = 2, cp = lead & 0x1F, minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, cp = lead & 0x0F, minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, cp = lead & 0x07, minimum = 0x10000;
        } else {
            return Refuse(i, 0, true);
        }
        if (i + length > text.size()) return Refuse(i, 0, true);
        for (int k = 1; k < length; ++k) {
            unsigned char next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return Refuse(i, 0, true);
            cp = (cp << 6) | (next & 0x3F);
        }
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return Refuse(i, 0, true);
        std::optional<unsigned char> byte = FromUnicode(cp);
        if (!byte) return Refuse(i, cp, false);
        result.text += static_cast<char>(*byte);
        i += length;
    }
    result.ok = true;
    return result;
}

Conversion FromUtf16(std::u16string_view text) {
    Conversion result;
    result.text.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF) {
            if (i + 1 >= text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF)
                return Refuse(i, 0, true);
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            return Refuse(i, cp, false);  // nothing outside the BMP has a byte
        }
        if (cp >= 0xDC00 && cp <= 0xDFFF) return Refuse(i, 0, true);
        std::optional<unsigned char> byte = FromUnicode(cp);
        if (!byte) return Refuse(i, cp, false);
        result.text += static_cast<char>(*byte);
    }
    result.ok = true;
    return result;
}

std::string Conversion::ErrorMessage() const {
    if (ok) return {};
    if (invalidEncoding) return "The text is not valid Unicode text and cannot be used here.";
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(codePoint));
    std::string shown;
    AppendUtf8(shown, codePoint);
    return "The character \"" + shown + "\" (" + code +
           ") has no Windows-1252 equivalent and cannot be used here.";
}

}  // namespace cp1252
