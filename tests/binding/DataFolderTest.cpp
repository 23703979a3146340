// The data folder of a Plimo started from the menu, and the definitions an
// earlier version left in the home folder.
#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

#include "DataFolder.h"
#include "TestSupport.h"

namespace {

class DataFolder : public InTempDirectory {
protected:
    void SetUp() override {
        InTempDirectory::SetUp();
        for (const char* name : {"HOME", "XDG_DATA_HOME"}) {
            const char* value = std::getenv(name);
            saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
        }
        std::filesystem::create_directory(dir_ / "home");
        setenv("HOME", (dir_ / "home").c_str(), 1);
        unsetenv("XDG_DATA_HOME");
    }
    void TearDown() override {
        for (const auto& [name, value] : saved_)
            value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
        InTempDirectory::TearDown();
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

}  // namespace

TEST_F(DataFolder, IsMadeEnteredAndGetsTheDefinitionsAnEarlierVersionLeft) {
    const std::string old = DefinitionsHeaderLine + "placer,0,to put\r\n";
    WriteFile(dir_ / "home" / "French.txt", old);
    setenv("XDG_DATA_HOME", "relative/ignored", 1);  // not absolute: ~/.local/share
    std::string error;
    ASSERT_TRUE(EnterUserDataFolder("French.txt", error)) << error;
    const std::filesystem::path folder = dir_ / "home" / ".local" / "share" / "Plimo";
    EXPECT_EQ(UserDataFolder(), folder.string());
    EXPECT_EQ(std::filesystem::current_path(), folder);
    EXPECT_EQ(ReadFile(folder / "French.txt"), old);
    EXPECT_EQ(ReadFile(dir_ / "home" / "French.txt"), old);  // copied, never moved

    // Once the data folder has its own file, the home folder's is not copied again.
    WriteFile(folder / "French.txt", DefinitionsHeaderLine + "placer,0,newer\r\n");
    ASSERT_TRUE(EnterUserDataFolder("French.txt", error));
    EXPECT_EQ(ReadFile(folder / "French.txt"), DefinitionsHeaderLine + "placer,0,newer\r\n");
}

TEST_F(DataFolder, TakesNothingButADefinitionsFileAndSaysWhenItCannotBeMade) {
    WriteFile(dir_ / "home" / "French.txt",
              "Mes notes de fran\xE7"
              "ais\nbonjour = hello\n");
    setenv("XDG_DATA_HOME", (dir_ / "data").c_str(), 1);
    std::string error;
    ASSERT_TRUE(EnterUserDataFolder("French.txt", error));
    EXPECT_EQ(std::filesystem::current_path(), dir_ / "data" / "Plimo");
    EXPECT_FALSE(std::filesystem::exists(dir_ / "data" / "Plimo" / "French.txt"));

    WriteFile(dir_ / "blocked", "a file where the folder should be");
    setenv("XDG_DATA_HOME", (dir_ / "blocked").c_str(), 1);
    EXPECT_FALSE(EnterUserDataFolder("French.txt", error));
    EXPECT_NE(error.find((dir_ / "blocked" / "Plimo").string()), std::string::npos) << error;
    EXPECT_EQ(std::filesystem::current_path(), dir_ / "data" / "Plimo");
}
