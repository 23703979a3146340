#include <gtest/gtest.h>

#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <vector>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "../TempFolder.h"
#include "platform/AtomicFile.h"
#include "platform/ModuleLoader.h"

namespace fs = std::filesystem;

TEST(AtomicFile, CreatesAndReplacesAndLeavesNoTemporaryFiles) {
    TempFolder dir;
    std::string file = (dir.path / "data.txt").string();
    ASSERT_TRUE(platform::WriteFileAtomically(file, std::string("one\0two", 7)));
    EXPECT_EQ(TempFolder::Read(file), std::string("one\0two", 7));
    chmod(file.c_str(), 0640);
    ASSERT_TRUE(platform::WriteFileAtomically(file, "second"));
    EXPECT_EQ(TempFolder::Read(file), "second");
    struct stat info;
    ASSERT_EQ(stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);  // the replaced file's permissions are kept
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);
}

TEST(AtomicFile, AFailedWriteKeepsTheOldFile) {
    if (geteuid() == 0) {
        // root writes into read-only folders; use a folder that does not exist.
        TempFolder dir;
        std::string file = (dir.path / "missing" / "data.txt").string();
        EXPECT_FALSE(platform::WriteFileAtomically(file, "x"));
        EXPECT_EQ(platform::LastErrorCode(), ENOENT);
        return;
    }
    TempFolder dir;
    std::string file = (dir.path / "data.txt").string();
    ASSERT_TRUE(platform::WriteFileAtomically(file, "old"));
    fs::permissions(dir.path, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(platform::WriteFileAtomically(file, "new"));
    EXPECT_EQ(platform::LastErrorCode(), EACCES);
    EXPECT_EQ(TempFolder::Read(file), "old");
}

TEST(AtomicFile, AFailedRenameLeavesNoTemporaryFile) {
    // A directory cannot be replaced by a file: the rename fails after the
    // temporary file was written, which must then be removed again.
    TempFolder dir;
    fs::create_directory(dir.path / "target");
    EXPECT_FALSE(platform::WriteFileAtomically((dir.path / "target").string(), "x"));
    EXPECT_TRUE(fs::is_directory(dir.path / "target"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);
}

TEST(AtomicFile, ASymbolicLinkStaysALink) {
    TempFolder dir;
    fs::create_directory(dir.path / "kept");
    fs::path real = dir.path / "kept" / "data.txt";
    fs::path link = dir.path / "data.txt";
    ASSERT_TRUE(platform::WriteFileAtomically(real.string(), "old"));
    fs::create_symlink(real, link);
    ASSERT_TRUE(platform::WriteFileAtomically(link.string(), "new"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(TempFolder::Read(real), "new");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path / "kept"), fs::directory_iterator()), 1);
}

// A link whose target folder is missing (an unmounted drive) is never
// replaced by a file of its own: the save fails and says so.
TEST(AtomicFile, ALinkToAMissingFolderIsLeftAlone) {
    TempFolder dir;
    const fs::path link = dir.path / "French.txt";
    fs::create_symlink(dir.path / "unmounted" / "French.txt", link);
    EXPECT_FALSE(platform::WriteFileAtomically(link.string(), "data"));
    EXPECT_EQ(platform::LastErrorCode(), ENOENT);
    EXPECT_TRUE(fs::is_symlink(link));
    fs::create_directory(dir.path / "unmounted");
    EXPECT_TRUE(platform::WriteFileAtomically(link.string(), "data"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(TempFolder::Read(dir.path / "unmounted" / "French.txt"), "data");
}

// Only our own stale temporary files go: the pattern, a regular file, and
// old enough that no save can be writing it.
TEST(AtomicFile, StaleTemporaryFilesAreRemoved) {
    TempFolder dir;
    fs::create_directory(dir.path / "real");
    fs::create_symlink(dir.path / "real" / "French.txt", dir.path / "French.txt");
    auto make = [](const fs::path& file, bool old) {
        std::ofstream(file) << "x";
        if (old) fs::last_write_time(file, fs::file_time_type::clock::now() - std::chrono::minutes(5));
    };
    make(dir.path / "French.txt.a1B2c3", true);            // stale: removed
    make(dir.path / "real" / "French.txt.Zz9yY8", true);   // beside the link's target: removed
    make(dir.path / "French.txt.q1w2e3", false);           // a save may be writing it: kept
    make(dir.path / "French.txt.bak", true);               // not our pattern: kept
    make(dir.path / "French.txt.ab-cd!", true);            // not our pattern: kept
    make(dir.path / "Other.txt.a1B2c3", true);             // another file's: kept
    fs::create_directory(dir.path / "French.txt.d1r3ct");  // a folder: kept
    platform::RemoveStaleTemporaryFiles((dir.path / "French.txt").string());
    std::vector<std::string> left;
    for (const auto& entry : fs::recursive_directory_iterator(dir.path))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"French.txt", "French.txt.ab-cd!", "French.txt.bak",
                                              "French.txt.d1r3ct", "French.txt.q1w2e3", "Other.txt.a1B2c3",
                                              "real"}));
}

TEST(AtomicFile, ASaveRemovesWhatKilledSavesLeftButNotALiveSavesFile) {
    // Saves killed one after another within the stale window: each left its
    // temporary unlocked. Another instance's save, still writing, holds a
    // lock on its own; one made a moment ago may not hold it yet.
    TempFolder dir;
    const fs::path file = dir.path / "French.txt";
    auto temporary = [&](int secondsOld) {
        std::string pattern = file.string() + ".XXXXXX";
        const int fd = mkstemp(pattern.data());
        EXPECT_GE(fd, 0);
        write(fd, "half a save", 11);
        if (secondsOld > 0)
            fs::last_write_time(pattern, fs::file_time_type::clock::now() - std::chrono::seconds(secondsOld));
        return std::make_pair(fd, fs::path(pattern).filename().string());
    };
    for (int i = 0; i < 12; ++i) close(temporary(10 + i).first);
    const auto live = temporary(20);
    ASSERT_EQ(flock(live.first, LOCK_EX | LOCK_NB), 0);
    const auto young = temporary(0);
    close(young.first);

    ASSERT_TRUE(platform::WriteFileAtomically(file.string(), "saved"));
    EXPECT_EQ(TempFolder::Read(file), "saved");
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(dir.path))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    std::vector<std::string> expected{"French.txt", live.second, young.second};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(left, expected);
    close(live.first);
}
