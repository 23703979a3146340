#include "DataFolder.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "DefinitionsFile.h"
#include "platform/AtomicFile.h"

namespace {

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    return home != nullptr && home[0] != '\0' ? home : ".";
}

// Copies an earlier version's definitions file from the home folder into
// `folder`, if there is one and `folder` has none.
void CarryOverDefinitions(const std::filesystem::path& folder, const std::string& fileName) {
    const std::filesystem::path target = folder / fileName;
    const std::filesystem::path old = std::filesystem::path(HomeFolder()) / fileName;
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::symlink_status(target, error)) ||
        !std::filesystem::is_regular_file(old, error) || std::filesystem::file_size(old, error) > (16u << 20))
        return;
    std::ifstream in(old, std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    if (!in.good() && !in.eof()) return;
    // Only what Plimo wrote: a file that starts with the header line.
    if (!definitions::Parse(contents.str()).header) return;
    platform::WriteFileAtomically(target.string(), contents.str());
}

}  // namespace

std::string UserDataFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    std::filesystem::path base = data != nullptr && data[0] == '/'
                                     ? std::filesystem::path(data)
                                     : std::filesystem::path(HomeFolder()) / ".local" / "share";
    return (base / "Plimo").string();
}

bool EnterUserDataFolder(const std::string& definitionsFileName, std::string& error) {
    const std::filesystem::path folder = UserDataFolder();
    std::error_code code;
    std::filesystem::create_directories(folder, code);
    if (code || chdir(folder.c_str()) != 0) {
        error = "Plimo cannot use its data folder " + folder.string() + " (" +
                (code ? code.message() : std::string(std::strerror(errno))) + ").";
        return false;
    }
    CarryOverDefinitions(folder, definitionsFileName);
    return true;
}
