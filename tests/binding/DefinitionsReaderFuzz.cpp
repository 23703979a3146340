// Fuzz target for the definitions file reader: any bytes must read without
// a crash, and what was read must survive a write and a second read; the
// file's lines give back its exact bytes, and a definition stored into them
// is read back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unordered_map>

#include "DefinitionsFile.h"
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
    // Written as Windows-1252, read back the same (unless those bytes happen
    // to be valid UTF-8, which is then how they read).
    const std::string written = Written(first);
    std::unordered_map<std::string, std::string> second;
    LanguageModule::ReadDefinitions(written, second);
    if (!definitions::Parse(written).utf8 && second != first) std::abort();

    definitions::FileText file = definitions::Parse(input);
    if (definitions::Serialize(file) != input) std::abort();
    definitions::Store(file,
                       "fuzz\xE9"
                       "0",
                       "stored \xE0 text");
    std::unordered_map<std::string, std::string> after;
    definitions::Read(definitions::Parse(definitions::Serialize(file)), after);
    if (file.definitionsOnly && after["fuzz\xE9"
                                      "0"] != "stored \xE0 text")
        std::abort();
    return 0;
}
