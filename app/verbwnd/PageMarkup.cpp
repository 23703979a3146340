#include "PageMarkup.h"

#include <cstring>

ColourCode ColourCodeAt(const char* text) {
    if (text == nullptr || text[0] != '\\') return {};
    if (std::strncmp(text + 1, "blue", 4) == 0) return {5, MarkupBlue};
    if (std::strncmp(text + 1, "red", 3) == 0) return {4, MarkupRed};
    if (std::strncmp(text + 1, "black", 5) == 0) return {6, MarkupBlack};
    return {};
}

std::string VisibleText(const char* line) {
    std::string visible;
    if (line == nullptr) return visible;
    const char* p = line;
    while (*p != '\0' && visible.size() < size_t(MaxVisibleLineLength)) {
        ColourCode code = ColourCodeAt(p);
        if (code.length > 0) {
            p += code.length;
            continue;
        }
        visible.push_back(*p++);
    }
    return visible;
}
