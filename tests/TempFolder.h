// A private temporary folder for one test, removed with everything in it
// when the object goes (read-only files and folders included).
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>

class TempFolder {
public:
    explicit TempFolder(const std::string& prefix = "plimo-test") {
        std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
        if (mkdtemp(pattern.data()) != nullptr) path = pattern;
    }
    ~TempFolder() {
        if (path.empty()) return;
        std::error_code ignored;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path, ignored))
            if (entry.is_directory(ignored))
                std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                             std::filesystem::perm_options::add, ignored);
        std::filesystem::permissions(path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::filesystem::path operator/(const std::string& name) const { return path / name; }

    // A whole file's bytes, or "" when it cannot be read.
    static std::string Read(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    static void Write(const std::filesystem::path& file, const std::string& text) {
        std::ofstream(file, std::ios::binary) << text;
    }

    std::filesystem::path path;  // empty when the folder could not be made
};
