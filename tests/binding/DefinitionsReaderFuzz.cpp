// Fuzz target for the definitions file reader: any bytes must read without
// a crash, and what was read must survive a write and a second read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unordered_map>

#include "LanguageModule.h"

namespace {

// The text SaveDefinitions writes for a map (in the map's order).
std::string Written(const std::unordered_map<std::string, std::string>& map) {
    std::string text(DefinitionsFileHeader);
    text += "\r\n";
    for (const auto& [key, value] : map) {
        text += key.substr(0, key.size() - 1);
        text += ',';
        text += key.back();
        text += ',';
        text += value;
        text += "\r\n";
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::unordered_map<std::string, std::string> first;
    LanguageModule::ReadDefinitions(input, first);
    for (const auto& [key, value] : first) {
        // Every key ends in its flag; no value is empty or spans lines.
        if (key.empty() || (key.back() != '0' && key.back() != '1')) std::abort();
        if (value.empty() || value.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos)
            std::abort();
        if (key.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos) std::abort();
    }
    std::unordered_map<std::string, std::string> second;
    LanguageModule::ReadDefinitions(Written(first), second);
    if (second != first) std::abort();
    return 0;
}
