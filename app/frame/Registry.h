// The registry layer of the settings: keys named by full path strings such
// as "HKEY_CURRENT_USER\Software\Dulmek\Plimo\2.1", typed reads and writes,
// and the records of window placements and open verb windows.
//
// It sits on the platform's settings store (one file under the user's
// configuration folder); every call finds its key anew and keeps no handle.
// Nothing here reports errors to the user: a failing call returns false and
// leaves its outputs untouched.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/SettingsStore.h"

// The store behind the registry layer, opened on first use.
platform::SettingsStore& SettingsRegistry();
// Writes pending changes to the settings file; false when that failed.
bool FlushSettingsRegistry();
// Writes and closes the store; the next use reads the file again.
void CloseSettingsRegistry();
// Why the settings file that is there could not be read, or which of its
// lines could not be, for the user; empty when it was read whole (or is
// missing).
std::string SettingsReadError();

// A key opened by OpenKeyPath: its path inside the store ("" for the root
// of the current user).
struct RegistryKey {
    std::string storePath;
};

// Resolves `path`, whose first component must be one of HKEY_LOCAL_MACHINE,
// HKEY_CLASSES_ROOT, HKEY_USERS or HKEY_CURRENT_USER; with `create`, missing
// keys are created. Paths longer than 998 characters are refused.
std::optional<RegistryKey> OpenKeyPath(std::string_view path, bool create);

bool ReadDword(std::string_view path, std::string_view name, uint32_t& out);
bool ReadBinary(std::string_view path, std::string_view name, void* buffer, size_t size);
bool ReadString(std::string_view path, std::string_view name, std::string& out);
bool WriteDword(std::string_view path, std::string_view name, uint32_t value);
bool WriteBinary(std::string_view path, std::string_view name, const void* data, size_t size);
// Fails without writing when `text` is null.
bool WriteString(std::string_view path, std::string_view name, const char* text);
// Deletes the direct subkey `subkeyName` of `path`.
bool DeleteKey(std::string_view path, std::string_view subkeyName);

// A window rectangle as stored: left, top, right, bottom.
struct StoredRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

// "Flags" bits of a verb window's record beyond pronominal (1) and the
// second variant (2): the window showed the tabbed layout. Readers that know
// only the first two bits ignore it.
inline constexpr uint32_t ChildFlagTabbed = 4;

// "Pos" bits.
inline constexpr uint32_t PosMinimized = 0x20000000;
inline constexpr uint32_t PosMaximized = 0x01000000;

// Reads "Left", "Top", "Right", "Bottom", "Pos" in this order, stopping at
// the first failure; `rect` changes only when all five were read.
bool ReadPlacement(std::string_view path, StoredRect& rect, uint32_t& pos);
void WritePlacement(std::string_view path, const StoredRect& rect, uint32_t pos);

// A placement, then "Verb", "Flags" and "Language"; a negative top of the
// rectangle is set to 0 whether or not the read succeeded.
bool ReadChildRecord(std::string_view path, StoredRect& rect, uint32_t& pos, std::string& language,
                     std::string& verb, uint32_t& flags);
void WriteChildRecord(std::string_view path, const StoredRect& rect, uint32_t pos,
                      const std::string& language, const std::string& verb, uint32_t flags);

// Key paths and value names of the program's settings.
namespace settings {
inline constexpr std::string_view SettingsKey = "HKEY_CURRENT_USER\\Software\\Dulmek\\Plimo\\2.1";
inline constexpr std::string_view LanguageKey = "HKEY_CURRENT_USER\\Software\\Dulmek\\Plimo\\Language";
inline constexpr std::string_view MainWindow = "\\Main Window";
inline constexpr std::string_view ChildPrefix = "\\Child ";
inline constexpr std::string_view ChildSubkeyPrefix = "Child ";
inline constexpr std::string_view Font = "Font";
inline constexpr std::string_view FontColor = "Font Color";
inline constexpr std::string_view EnglishBar = "English Bar";
inline constexpr std::string_view StatusBar = "Status Bar";
inline constexpr std::string_view NumberOfChildren = "Number of Children";
inline constexpr std::string_view Path = "Path";
inline constexpr std::string_view FindIgnoreAccents = "Find Ignore Accents";
}  // namespace settings
