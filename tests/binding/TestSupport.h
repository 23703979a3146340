// Helpers for the binding tests: each test runs in its own temporary
// working directory, because the definitions file lives in the current
// directory.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

class InTempDirectory : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        std::string pattern = (std::filesystem::temp_directory_path() / "plimo-binding-XXXXXX").string();
        dir_ = mkdtemp(pattern.data());
        std::filesystem::current_path(dir_);
    }
    void TearDown() override {
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(dir_);
    }

    static std::string ReadFile(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    static void WriteFile(const std::filesystem::path& file, const std::string& text) {
        std::ofstream(file, std::ios::binary) << text;
    }

    std::filesystem::path dir_;
    std::filesystem::path previous_;
};

inline const std::string DefinitionsHeaderLine = "Verb, Pronominal ( 0 or 1), English Definition\r\n";
