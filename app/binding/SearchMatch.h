// The rule by which the language module's search decides that a text holds
// a pattern, for searches the program makes beside the module's own: the
// first occurrence only, byte for byte; with `wholeWord` it must not touch a
// letter or digit on either side (Windows-1252 bytes from 0x80 count as
// letters).
#pragma once

#include <string_view>

inline bool SearchTextMatches(std::string_view text, std::string_view pattern, bool wholeWord) {
    const auto isWordCharacter = [](unsigned char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c >= 0x80;
    };
    const size_t at = text.find(pattern);
    if (at == std::string_view::npos) return false;
    if (!wholeWord) return true;
    if (at > 0 && isWordCharacter(static_cast<unsigned char>(text[at - 1]))) return false;
    const size_t end = at + pattern.size();
    return end == text.size() || !isWordCharacter(static_cast<unsigned char>(text[end]));
}
