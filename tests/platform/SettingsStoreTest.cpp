#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/SettingsStore.h"
#include "../TempFolder.h"

namespace fs = std::filesystem;
using platform::SettingsStore;
using platform::SettingsValueType;

namespace {

constexpr const char* Key = "Software\\Dulmek\\Plimo\\2.1";

}  // namespace

TEST(SettingsStore, DefaultPathFollowsXdgConfigHome) {
    const char* saved = std::getenv("XDG_CONFIG_HOME");
    std::string savedValue = saved ? saved : "";
    setenv("XDG_CONFIG_HOME", "/tmp/plimo-xdg", 1);
    EXPECT_EQ(SettingsStore::DefaultPath(), fs::path("/tmp/plimo-xdg/Plimo/settings.reg"));
    // A relative value is not valid by the XDG rules: fall back to ~/.config.
    setenv("XDG_CONFIG_HOME", "relative", 1);
    std::string home = std::getenv("HOME") ? std::getenv("HOME") : ".";
    EXPECT_EQ(SettingsStore::DefaultPath(), fs::path(home) / ".config/Plimo/settings.reg");
    if (saved)
        setenv("XDG_CONFIG_HOME", savedValue.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
}

TEST(SettingsStore, ValuesSurviveAWriteAndReadWithTheirTypes) {
    TempFolder dir;
    fs::path file = dir.path / "sub" / "settings.reg";
    const unsigned char font[] = {0xF4, 0xFF, 0xFF, 0xFF, 0, 0, 'A', 'r', 'i', 'a', 'l', 0};
    const std::string tricky = std::string("C:\\Plimo \"2\"\n\xE9t\xE9\x01", 17);
    {
        SettingsStore store(file);
        EXPECT_TRUE(store.SetDword(Key, "Maximized", 0xDEADBEEF));
        EXPECT_TRUE(store.SetBinary(Key, "Font", font, sizeof font));
        EXPECT_TRUE(store.SetString(Key, "Directory", tricky));
        EXPECT_TRUE(store.SetString(Key, "", "default"));
        EXPECT_TRUE(store.SetBinary(std::string(Key) + "\\Child 0", "Empty", nullptr, 0));
        EXPECT_TRUE(store.Flush());
    }
    std::string text = TempFolder::Read(file);
    EXPECT_NE(text.find("[Software\\Dulmek\\Plimo\\2.1]"), std::string::npos);
    EXPECT_NE(text.find("\"Maximized\"=dword:deadbeef"), std::string::npos);
    EXPECT_NE(text.find("\"Font\"=hex:f4,ff,ff,ff,00,00,41"), std::string::npos);

    SettingsStore store(file);
    EXPECT_EQ(store.GetDword(Key, "maximized"), 0xDEADBEEFu);  // names ignore case
    unsigned char back[sizeof font] = {};
    EXPECT_TRUE(store.GetBinary(Key, "Font", back, sizeof back));
    EXPECT_EQ(std::memcmp(back, font, sizeof font), 0);
    EXPECT_EQ(store.GetString(Key, "Directory"), tricky);
    EXPECT_EQ(store.GetString(Key, ""), "default");
    EXPECT_EQ(store.GetBinary(std::string(Key) + "\\child 0", "Empty")->size(), 0u);
    EXPECT_EQ(store.ValueNames(Key).size(), 4u);
    EXPECT_EQ(store.SubKeyNames(Key), std::vector<std::string>{"Child 0"});
}

TEST(SettingsStore, ReadsCheckTypeAndSize) {
    TempFolder dir;
    SettingsStore store(dir.path / "settings.reg");
    store.SetDword(Key, "Number", 5);
    store.SetString(Key, "Text", "5");
    store.SetBinary(Key, "Block", "abcd", 4);

    EXPECT_FALSE(store.GetDword(Key, "Text"));
    EXPECT_FALSE(store.GetDword(Key, "Block"));
    EXPECT_FALSE(store.GetString(Key, "Number"));
    EXPECT_FALSE(store.GetBinary(Key, "Number"));
    char buffer[8];
    EXPECT_FALSE(store.GetBinary(Key, "Block", buffer, 3));
    EXPECT_FALSE(store.GetBinary(Key, "Block", buffer, 5));
    EXPECT_TRUE(store.GetBinary(Key, "Block", buffer, 4));
    EXPECT_FALSE(store.GetDword(Key, "Missing"));
    EXPECT_FALSE(store.GetDword("Software\\Nobody", "Number"));
    EXPECT_EQ(store.ValueType(Key, "Text"), SettingsValueType::String);

    // A write replaces the value whatever its earlier type.
    store.SetString(Key, "Number", "now text");
    EXPECT_FALSE(store.GetDword(Key, "Number"));
    EXPECT_EQ(store.GetString(Key, "Number"), "now text");
}

TEST(SettingsStore, KeysAreCreatedOnWriteAndDeletedWithTheirSubkeys) {
    TempFolder dir;
    fs::path file = dir.path / "settings.reg";
    {
        SettingsStore store(file);
        EXPECT_FALSE(store.KeyExists(Key));
        store.SetDword(std::string(Key) + "\\Child 0", "Flags", 1);
        store.SetDword(std::string(Key) + "\\Child 1", "Flags", 2);
        store.SetDword(std::string(Key) + "\\Child 1\\Deep", "X", 3);
        EXPECT_TRUE(store.KeyExists("software\\DULMEK"));
        EXPECT_TRUE(store.KeyExists("\\Software\\Dulmek\\\\Plimo\\"));  // empty parts ignored
        EXPECT_TRUE(store.DeleteKey(std::string(Key) + "\\CHILD 1"));
        EXPECT_FALSE(store.DeleteKey(std::string(Key) + "\\Child 1"));
        EXPECT_FALSE(store.GetDword(std::string(Key) + "\\Child 1\\Deep", "X"));
        EXPECT_TRUE(store.DeleteValue(std::string(Key) + "\\Child 0", "flags"));
        EXPECT_FALSE(store.DeleteValue(std::string(Key) + "\\Child 0", "flags"));
        EXPECT_FALSE(store.CreateKey(""));
        EXPECT_FALSE(store.SetDword("", "x", 1));
        EXPECT_FALSE(store.CreateKey("Bad\nName"));
    }
    SettingsStore store(file);
    EXPECT_EQ(store.SubKeyNames(Key), std::vector<std::string>{"Child 0"});
    EXPECT_TRUE(store.ValueNames(std::string(Key) + "\\Child 0").empty());
}

TEST(SettingsStore, NothingIsWrittenWithoutChanges) {
    TempFolder dir;
    fs::path file = dir.path / "settings.reg";
    { SettingsStore store(file); }
    EXPECT_FALSE(fs::exists(file));
    TempFolder::Write(file, "[A]\n\"x\"=dword:00000001\n");
    auto before = fs::last_write_time(file);
    {
        SettingsStore store(file);
        EXPECT_EQ(store.GetDword("A", "x"), 1u);
    }
    EXPECT_EQ(TempFolder::Read(file), "[A]\n\"x\"=dword:00000001\n");
    EXPECT_EQ(fs::last_write_time(file), before);
}

TEST(SettingsStore, ACorruptOrTruncatedFileIsReadAsFarAsItIsValid) {
    TempFolder dir;
    fs::path file = dir.path / "settings.reg";
    TempFolder::Write(file,
                      "\"orphan\"=dword:00000001\r\n"  // before any key: dropped
                      "[Good]\r\n"
                      "\"a\"=dword:00000010\r\n"
                      "\"b\"=dword:123\r\n"   // short: read as 0x123
                      "\"c\"=hex:01,02,\r\n"  // trailing comma
                      "\"d\"=hex:01,0g\r\n"   // bad digit
                      "\"e\"=\"no end quote\r\n"
                      "\"f\"=\"odd \\q escape\"\r\n"  // the backslash is kept
                      "\"g\"=\"text\" trailing\r\n"
                      "garbage line\r\n"
                      "\"h\"=hex:0a,0b\r\n"
                      "[Broken section\r\n"
                      "\"lost\"=dword:00000001\r\n"  // belongs to no valid key
                      "[]\r\n"
                      "[Other]\r\n"
                      "\"i\"=\"ok\"\r\n"
                      "\"j\"=\"trunc");
    SettingsStore store(file);
    EXPECT_EQ(store.GetDword("Good", "a"), 16u);
    EXPECT_EQ(store.ValueNames("Good"), (std::vector<std::string>{"a", "b", "f", "h"}));
    EXPECT_EQ(store.GetDword("Good", "b"), 0x123u);
    EXPECT_EQ(store.GetString("Good", "f"), "odd \\q escape");
    EXPECT_EQ(store.GetString("Other", "i"), "ok");
    EXPECT_FALSE(store.ValueType("Other", "j"));
    EXPECT_FALSE(store.KeyExists("Broken section"));
    EXPECT_EQ(store.SubKeyNames("Good").size(), 0u);
}

TEST(SettingsStore, BinaryGarbageNeverCrashes) {
    TempFolder dir;
    fs::path file = dir.path / "settings.reg";
    std::string junk;
    uint32_t seed = 12345;
    for (int i = 0; i < 200000; ++i) {
        seed = seed * 1103515245 + 12345;
        junk += static_cast<char>(seed >> 24);
        if (i % 97 == 0) junk += "\n[K\\";
        if (i % 89 == 0) junk += "\n\"v\"=";
    }
    TempFolder::Write(file, junk);
    SettingsStore store(file);
    // Whatever survived must write out and read back the same.
    store.SetDword("Z", "z", 1);
    std::string first = store.Serialize();
    ASSERT_TRUE(store.Flush());
    SettingsStore again(file);
    EXPECT_EQ(again.Serialize(), first);
}

TEST(SettingsStore, AFailedFlushKeepsTheChangesAndReportsFailure) {
    TempFolder dir;
    fs::create_directory(dir.path / "settings.reg");  // a directory where the file should be
    SettingsStore store(dir.path / "settings.reg");
    store.SetDword("A", "x", 1);
    EXPECT_FALSE(store.Flush());
    EXPECT_EQ(store.GetDword("A", "x"), 1u);
    fs::remove(dir.path / "settings.reg");
    EXPECT_TRUE(store.Flush());  // still dirty, so the next flush writes
    EXPECT_TRUE(fs::is_regular_file(dir.path / "settings.reg"));
}

// A key nested without end, or with a huge name, is ignored like any other
// line that cannot be read: reading, writing and closing stay bounded.
TEST(SettingsStore, HostileKeysAreIgnoredAndTheRestKept) {
    TempFolder dir;
    fs::path file = dir.path / "settings.reg";
    std::string deep = "[k";
    for (int i = 0; i < 100000; ++i) deep += "\\k";
    std::string nested32 = "[a";
    for (int i = 1; i < 32; ++i) nested32 += "\\a";
    TempFolder::Write(file, "[Good]\n\"a\"=dword:00000010\n\n" + deep + "]\n\"x\"=dword:00000001\n\n[" +
                                std::string(2000, 'n') + "]\n\"y\"=dword:00000001\n\n" + nested32 +
                                "]\n\"z\"=\"deep\"\n");
    {
        SettingsStore store(file);
        EXPECT_EQ(store.GetDword("Good", "a"), 16u);
        EXPECT_FALSE(store.KeyExists("k"));
        EXPECT_FALSE(store.KeyExists(std::string(2000, 'n')));
        EXPECT_EQ(store.GetString(nested32.substr(1), "z"), "deep");
        EXPECT_FALSE(store.SetDword(deep.substr(1), "x", 1));
        EXPECT_TRUE(store.SetDword("Good", "b", 2));
        EXPECT_TRUE(store.Flush());
    }
    const std::string written = TempFolder::Read(file);
    EXPECT_LT(written.size(), 4096u);
    SettingsStore again(file);
    EXPECT_EQ(again.GetDword("Good", "b"), 2u);
    EXPECT_EQ(again.GetString(nested32.substr(1), "z"), "deep");
}

// A settings file that is there but cannot be read (a folder or a pipe in its
// place) leaves the defaults in use and is never overwritten.
TEST(SettingsStore, AnUnreadableFileIsNeverOverwritten) {
    TempFolder dir;
    fs::path file = dir.path / "settings.reg";
    for (int kind = 0; kind < 2; ++kind) {
        if (kind == 0)
            fs::create_directory(file);
        else
            ASSERT_EQ(mkfifo(file.c_str(), 0600), 0);
        {
            SettingsStore store(file);
            EXPECT_NE(store.ReadError(), 0);
            EXPECT_TRUE(store.SetDword(Key, "Pos", 3));
            EXPECT_FALSE(store.Flush());
        }
        EXPECT_EQ(fs::is_directory(file), kind == 0);
        EXPECT_EQ(fs::is_fifo(file), kind == 1);
        fs::remove(file);
    }
    SettingsStore fresh(file);
    EXPECT_EQ(fresh.ReadError(), 0);
}

// Lines a person writes by hand in .reg files are read; what cannot be read
// is reported and written back exactly as it was.
TEST(SettingsStore, HandEditedLinesAreReadOrKept) {
    TempFolder dir;
    fs::path file = dir.path / "settings.reg";
    TempFolder::Write(file,
                      "; school-wide settings\n"
                      "[Software\\Dulmek\\Plimo\\2.1]\n"
                      "  \"Support Address\" = \"it-desk@school.example\"  \n"
                      "\"Path\"=\"C:\\mine\\italic\"\n"
                      "\"Status Bar\" = DWORD:0\n"
                      "; keep the bar hidden\n"
                      "\"Mystery\"=hex(2):41,00\n");
    std::vector<std::string> skipped;
    {
        SettingsStore store(file);
        EXPECT_EQ(store.GetString(Key, "Support Address"), "it-desk@school.example");
        EXPECT_EQ(store.GetString(Key, "Path"), "C:\\mine\\italic");
        EXPECT_EQ(store.GetDword(Key, "Status Bar"), 0u);
        EXPECT_EQ(store.SkippedLines(), std::vector<std::string>{"line 7: \"Mystery\"=hex(2):41,00"});
        store.SetDword(Key, "English Bar", 1);
    }
    const std::string text = TempFolder::Read(file);
    for (const char* line : {"; school-wide settings\n", "; keep the bar hidden\n",
                             "\"Mystery\"=hex(2):41,00\n", "\"English Bar\"=dword:00000001\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
    SettingsStore again(file);
    EXPECT_EQ(again.GetString(Key, "Support Address"), "it-desk@school.example");
    EXPECT_EQ(again.SkippedLines().size(), 1u);
}

// Two programs, each writing only what it changed over what the other wrote.
TEST(SettingsStore, EachStoreWritesOnlyItsOwnChanges) {
    TempFolder dir;
    fs::path file = dir.path / "settings.reg";
    TempFolder::Write(file,
                      "[A]\n\"Status Bar\"=dword:00000001\n\"English Bar\"=dword:00000001\n[A\\Child "
                      "0]\n\"Verb\"=\"aimer\"\n");
    SettingsStore first(file), second(file);
    first.SetDword("A", "Status Bar", 0);
    first.DeleteKey("A\\Child 0");
    ASSERT_TRUE(first.Flush());
    // The second writes back what it read for both bars: no change of its own.
    second.SetDword("A", "Status Bar", 1);
    second.SetDword("A", "English Bar", 1);
    second.SetString("A", "Support Address", "x@example.net");
    ASSERT_TRUE(second.Flush());
    SettingsStore result(file);
    EXPECT_EQ(result.GetDword("A", "Status Bar"), 0u);
    EXPECT_EQ(result.GetDword("A", "English Bar"), 1u);
    EXPECT_EQ(result.GetString("A", "Support Address"), "x@example.net");
    EXPECT_FALSE(result.KeyExists("A\\Child 0"));
}
