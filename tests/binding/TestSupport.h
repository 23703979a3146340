// Helpers for the binding tests: each test runs in its own temporary
// working directory, because the definitions file lives in the current
// directory.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "../TempFolder.h"

class InTempDirectory : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        folder_ = std::make_unique<TempFolder>("plimo-binding");
        dir_ = folder_->path;
        std::filesystem::current_path(dir_);
    }
    void TearDown() override {
        std::filesystem::current_path(previous_);
        folder_.reset();
    }

    static std::string ReadFile(const std::filesystem::path& file) { return TempFolder::Read(file); }
    static void WriteFile(const std::filesystem::path& file, const std::string& text) {
        TempFolder::Write(file, text);
    }

    std::unique_ptr<TempFolder> folder_;
    std::filesystem::path dir_;
    std::filesystem::path previous_;
};

inline const std::string DefinitionsHeaderLine = "Verb, Pronominal ( 0 or 1), English Definition\r\n";
