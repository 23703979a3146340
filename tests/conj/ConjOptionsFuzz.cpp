// Fuzz target: arbitrary command lines (arguments separated by NUL bytes)
// through plimo-conj's parser, and arbitrary bytes through the way messages
// show an argument.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "ConjOptions.h"

namespace {

// True when `text` is well-formed UTF-8 without control characters.
bool CleanUtf8(const std::string& text) {
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        size_t length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (length == 0 || i + length > text.size() || (length == 1 && (c < 0x20 || c == 0x7F))) return false;
        for (size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        i += length;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> arguments;
    size_t start = 0;
    for (size_t nul; (nul = input.find('\0', start)) != std::string::npos; start = nul + 1)
        arguments.push_back(input.substr(start, nul - start));
    arguments.push_back(input.substr(start));

    ConjParse parse = ParseConjOptions(arguments);
    if (!parse.ok) {
        // Every refusal says why, in a line a terminal shows as it is.
        if (parse.error.empty() || parse.error.size() > 200 || !CleanUtf8(parse.error)) std::abort();
    } else {
        const ConjOptions& o = parse.options;
        if (o.mode == ConjMode::Find && o.pattern.empty()) std::abort();
        if ((o.mode == ConjMode::Conjugate || o.mode == ConjMode::Define) && o.verb.empty()) std::abort();
        if (o.moduleFile.empty()) std::abort();
    }
    const std::string shown = ShownArgument(input);
    if (!CleanUtf8(shown) || shown.size() > 4 * 40 + 3) std::abort();
    return 0;
}
