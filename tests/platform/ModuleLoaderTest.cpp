#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/ModuleLoader.h"
#include "platform/ModuleResources.h"
#include "../TempFolder.h"

namespace fs = std::filesystem;
using namespace platform;

namespace {

// The test module is built into the program's own directory, so loading it
// by its bare name exercises the "own directory first" rule.
constexpr const char* TestModuleName = "platform_test_module.ldl";

}  // namespace

TEST(ModuleLoader, LoadsFromTheProgramDirectoryAndFindsEntryPoints) {
    ModuleHandle module = LoadModule(TestModuleName);
    ASSERT_NE(module, nullptr) << LastErrorMessage();
    auto answer = reinterpret_cast<int32_t (*)()>(FindEntryPoint(module, "TestAnswer"));
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer(), 42);

    EXPECT_EQ(FindEntryPoint(module, "NoSuchFunction"), nullptr);
    EXPECT_EQ(LastErrorCode(), ENOSYS);
    EXPECT_NE(LastErrorMessage().find("NoSuchFunction"), std::string::npos);
    EXPECT_TRUE(FreeModule(module));
    // A success keeps the code of the last failure.
    EXPECT_EQ(LastErrorCode(), ENOSYS);
}

TEST(ModuleLoader, LoadsByPath) {
    ModuleHandle module = LoadModule(ProgramDirectory() + "/" + TestModuleName);
    ASSERT_NE(module, nullptr) << LastErrorMessage();
    EXPECT_TRUE(FreeModule(module));
}

TEST(ModuleLoader, ReportsWhyALoadFailed) {
    EXPECT_EQ(LoadModule("NoSuchModule.ldl"), nullptr);
    EXPECT_EQ(LastErrorCode(), ENOENT);
    EXPECT_FALSE(LastErrorMessage().empty());

    TempFolder dir;
    fs::path text = dir.path / "Text.ldl";
    std::ofstream(text) << "not a library\n";
    EXPECT_EQ(LoadModule(text.string()), nullptr);
    EXPECT_EQ(LastErrorCode(), ENOEXEC);

    fs::path empty = dir.path / "Empty.ldl";
    std::ofstream(empty).close();
    EXPECT_EQ(LoadModule(empty.string()), nullptr);
    EXPECT_EQ(LastErrorCode(), ENOEXEC);

    EXPECT_EQ(LoadModule((dir.path / "missing.ldl").string()), nullptr);
    EXPECT_EQ(LastErrorCode(), ENOENT);

    EXPECT_EQ(LoadModule(""), nullptr);
    EXPECT_EQ(LastErrorCode(), EINVAL);
}

TEST(ModuleLoader, ALibraryCutShortIsRefusedBeforeTheLoaderMapsIt) {
    // The loader would map the missing part all the same; touching it ends
    // the process with SIGBUS.
    const fs::path whole = ProgramDirectory() + "/" + TestModuleName;
    std::ifstream in(whole, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_GT(bytes.size(), 8192u);
    TempFolder dir;
    for (size_t length : {size_t(1000), size_t(4096), bytes.size() / 2}) {
        const fs::path cut = dir.path / ("Cut" + std::to_string(length) + ".ldl");
        std::ofstream(cut, std::ios::binary).write(bytes.data(), std::streamsize(length));
        EXPECT_EQ(LoadModule(cut.string()), nullptr) << length;
        EXPECT_EQ(LastErrorCode(), ENOEXEC) << length;
        EXPECT_NE(LastErrorMessage().find("file too short"), std::string::npos) << LastErrorMessage();
    }
    // The whole file, copied, still loads.
    const fs::path copy = dir.path / "Whole.ldl";
    std::ofstream(copy, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    ModuleHandle module = LoadModule(copy.string());
    ASSERT_NE(module, nullptr) << LastErrorMessage();
    FreeModule(module);
}

TEST(ModuleLoader, ABareNameIsNeverLookedUpThroughTheSystemSearch) {
    // libc is where the system's search finds it, and nowhere we look.
    EXPECT_EQ(LoadModule("libc.so.6"), nullptr);
    EXPECT_EQ(LastErrorCode(), ENOENT);
    EXPECT_NE(LastErrorMessage().find(ProgramDirectory()), std::string::npos);
}

TEST(ModuleLoader, NullHandlesAreRefused) {
    EXPECT_EQ(FindEntryPoint(nullptr, "TestAnswer"), nullptr);
    EXPECT_EQ(LastErrorCode(), EINVAL);
    EXPECT_FALSE(FreeModule(nullptr));
    EXPECT_EQ(FindModuleResource(nullptr, "ICON", 10000), nullptr);
}

TEST(ModuleResources, FindsEntriesByTypeAndId) {
    ModuleHandle module = LoadModule(TestModuleName);
    ASSERT_NE(module, nullptr);
    const ResourceEntry* blob = FindModuleResource(module, "PLIMO", 200);
    ASSERT_NE(blob, nullptr);
    EXPECT_STREQ(static_cast<const char*>(blob->data), "blob 200");
    EXPECT_EQ(blob->size, 9u);

    // Same id, different type: the type decides.
    const ResourceEntry* icon = FindModuleResource(module, "ICON", 10000);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->size, 6u);
    const ResourceEntry* bitmap = FindModuleResource(module, "BITMAP", 10000);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->size, 4u);

    EXPECT_EQ(FindModuleResource(module, "PLIMO", 201), nullptr);
    EXPECT_EQ(LastErrorCode(), ENOENT);
    EXPECT_EQ(FindModuleResource(module, "plimo", 200), nullptr);
    EXPECT_EQ(FindModuleResource(module, nullptr, 200), nullptr);
    FreeModule(module);
}

TEST(ModuleResources, AModuleWithoutDirectoryHasNoResources) {
    // The test program itself is no module with a directory; the C library
    // (found by its path) is a library without one.
    Dl_info info{};
    ASSERT_NE(dladdr(reinterpret_cast<void*>(&std::fclose), &info), 0);
    ModuleHandle libc = LoadModule(info.dli_fname);
    ASSERT_NE(libc, nullptr) << LastErrorMessage();
    EXPECT_EQ(FindResourceDirectory(libc), nullptr);
    EXPECT_EQ(FindModuleResource(libc, "ICON", 10000), nullptr);
    EXPECT_EQ(LastErrorCode(), ENOENT);
    FreeModule(libc);
}
