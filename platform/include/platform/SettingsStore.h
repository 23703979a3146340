// A typed settings store standing in for the registry of the current user.
//
// Keys form a tree addressed by backslash-separated paths such as
// "Software\\Dulmek\\Plimo\\2.1\\Child 0"; key and value names are matched
// without regard to ASCII case and keep the case they were created with.
// A value is a 32-bit number (Dword), a byte block (Binary) or a string of
// Windows-1252 bytes (String). The empty value name is the key's default
// value.
//
// The whole store lives in one human-readable text file (default
// $XDG_CONFIG_HOME/Plimo/settings.reg, XDG_CONFIG_HOME defaulting to
// ~/.config), in a .reg-like format:
//
//     [Software\Dulmek\Plimo\2.1]
//     "Maximized"=dword:00000001
//     "Font"=hex:f4,ff,ff,ff,00
//     "Directory"="/home/user/plimo"
//     @="default value"
//
// Strings escape '\\' and '"' with a backslash and any byte outside printable
// ASCII as \xHH. Reading takes the usual variations of hand-written .reg
// files (spaces around "=" and at the ends of lines, type names in any case,
// dwords of fewer than eight digits, a backslash before any other character
// kept as it stands) and never fails on a bad file: a line it cannot read is
// kept verbatim under its key (or at the top), written back as it was, and
// listed in SkippedLines; comments are kept the same way.
//
// Flush (also run by the destructor) writes only what this store changed:
// it reads the file again, applies this store's changes in the order they
// were made (a value set to what it already held is no change), and
// replaces the file with the result through a temporary file renamed over
// it, so that a second program's settings or a hand edit made meanwhile are
// kept and a crash mid-write never leaves a broken file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

enum class SettingsValueType { Dword, Binary, String };

class SettingsStore {
public:
    // $XDG_CONFIG_HOME/Plimo/settings.reg, or ~/.config/Plimo/settings.reg.
    static std::filesystem::path DefaultPath();

    // Opens the store kept in `file` (read at once; a missing file is an
    // empty store). Nothing is written until Flush.
    explicit SettingsStore(std::filesystem::path file = DefaultPath());
    ~SettingsStore();  // Flush
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    const std::filesystem::path& path() const { return file_; }

    // Keys.
    bool KeyExists(std::string_view keyPath) const;
    bool CreateKey(std::string_view keyPath);  // with every missing parent; false for an empty path
    bool DeleteKey(std::string_view keyPath);  // the key with all its subkeys and values
    std::vector<std::string> SubKeyNames(std::string_view keyPath) const;
    std::vector<std::string> ValueNames(std::string_view keyPath) const;

    // Writing creates the key path as needed and replaces any earlier value
    // of any type. False only for an empty key path.
    bool SetDword(std::string_view keyPath, std::string_view name, uint32_t value);
    bool SetBinary(std::string_view keyPath, std::string_view name, const void* data, std::size_t size);
    bool SetString(std::string_view keyPath, std::string_view name, std::string_view value);
    bool DeleteValue(std::string_view keyPath, std::string_view name);

    // Reading checks the type (and the size where one is given); a missing
    // key or value, another type or another size gives nothing.
    std::optional<SettingsValueType> ValueType(std::string_view keyPath, std::string_view name) const;
    std::optional<uint32_t> GetDword(std::string_view keyPath, std::string_view name) const;
    std::optional<std::vector<uint8_t>> GetBinary(std::string_view keyPath, std::string_view name) const;
    // Copies exactly `size` bytes into `buffer`; false unless the stored
    // block has exactly that size.
    bool GetBinary(std::string_view keyPath, std::string_view name, void* buffer, std::size_t size) const;
    std::optional<std::string> GetString(std::string_view keyPath, std::string_view name) const;

    // Writes this store's changes into the file as it is now, if there are
    // any. False when the file could not be read or written (the old file is
    // then left as it was, and the changes kept for the next Flush).
    bool Flush();

    // The lines of the file that could not be read as settings (comments and
    // blank lines aside), "line N: text", as the constructor found them.
    const std::vector<std::string>& SkippedLines() const { return skipped_; }

    // Drops the in-memory state and reads the file again. A file that is
    // there but cannot be read (no permission, not a regular file, larger
    // than 64 MB) leaves the store empty and is never overwritten: Flush
    // then fails with that error.
    void Reload();

    // The error (errno) that kept the file from being read, or 0.
    int ReadError() const { return readError_; }

    // The file text for the current contents, and the parser behind the
    // constructor; exposed for tests and the fuzz target.
    std::string Serialize() const;
    void Parse(std::string_view text);

    struct Value {
        std::string name;
        SettingsValueType type = SettingsValueType::String;
        std::string data;  // the dword's 4 bytes little-endian, the block or the string
    };
    struct Key {
        std::string name;
        std::map<std::string, std::unique_ptr<Key>> subKeys;  // by lower-cased name
        std::map<std::string, Value> values;                  // by lower-cased name
        std::vector<std::string> keptLines;                   // lines not understood, verbatim
    };

private:
    // One change, as Flush applies it again over the file's current text.
    struct Change {
        enum Kind { ValueSet, ValueDeleted, KeyCreated, KeyDeleted } kind;
        std::string keyPath;
        Value value;  // the name alone for DeleteValue
    };
    int ReadFile(std::string& contents) const;
    void Record(Change change);

    Key* Find(std::string_view keyPath) const;
    Key* Create(std::string_view keyPath);
    bool SetValue(std::string_view keyPath, std::string_view name, SettingsValueType type, std::string data);
    const Value* FindValue(std::string_view keyPath, std::string_view name) const;

    std::filesystem::path file_;
    std::unique_ptr<Key> root_;
    std::vector<Change> changes_;
    bool replaying_ = false;  // while Flush applies changes_ again: nothing is recorded
    std::vector<std::string> skipped_;
    int readError_ = 0;
};

}  // namespace platform
