#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/AtomicFile.h"
#include "platform/ModuleLoader.h"

namespace fs = std::filesystem;

namespace {

struct TempDir {
    fs::path path;
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "plimo-atomic-XXXXXX").string();
        path = mkdtemp(pattern.data());
    }
    ~TempDir() {
        fs::permissions(path, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(path);
    }
};

std::string ReadAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

TEST(AtomicFile, CreatesAndReplacesAndLeavesNoTemporaryFiles) {
    TempDir dir;
    std::string file = (dir.path / "data.txt").string();
    ASSERT_TRUE(platform::WriteFileAtomically(file, std::string("one\0two", 7)));
    EXPECT_EQ(ReadAll(file), std::string("one\0two", 7));
    chmod(file.c_str(), 0640);
    ASSERT_TRUE(platform::WriteFileAtomically(file, "second"));
    EXPECT_EQ(ReadAll(file), "second");
    struct stat info;
    ASSERT_EQ(stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);  // the replaced file's permissions are kept
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);
}

TEST(AtomicFile, AFailedWriteKeepsTheOldFile) {
    if (geteuid() == 0) {
        // root writes into read-only folders; use a folder that does not exist.
        TempDir dir;
        std::string file = (dir.path / "missing" / "data.txt").string();
        EXPECT_FALSE(platform::WriteFileAtomically(file, "x"));
        EXPECT_EQ(platform::LastErrorCode(), ENOENT);
        return;
    }
    TempDir dir;
    std::string file = (dir.path / "data.txt").string();
    ASSERT_TRUE(platform::WriteFileAtomically(file, "old"));
    fs::permissions(dir.path, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(platform::WriteFileAtomically(file, "new"));
    EXPECT_EQ(platform::LastErrorCode(), EACCES);
    EXPECT_EQ(ReadAll(file), "old");
}

TEST(AtomicFile, AFailedRenameLeavesNoTemporaryFile) {
    // A directory cannot be replaced by a file: the rename fails after the
    // temporary file was written, which must then be removed again.
    TempDir dir;
    fs::create_directory(dir.path / "target");
    EXPECT_FALSE(platform::WriteFileAtomically((dir.path / "target").string(), "x"));
    EXPECT_TRUE(fs::is_directory(dir.path / "target"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);
}

TEST(AtomicFile, ASymbolicLinkStaysALink) {
    TempDir dir;
    fs::create_directory(dir.path / "kept");
    fs::path real = dir.path / "kept" / "data.txt";
    fs::path link = dir.path / "data.txt";
    ASSERT_TRUE(platform::WriteFileAtomically(real.string(), "old"));
    fs::create_symlink(real, link);
    ASSERT_TRUE(platform::WriteFileAtomically(link.string(), "new"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadAll(real), "new");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path / "kept"), fs::directory_iterator()), 1);
}
