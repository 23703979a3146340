// The settings store: a key tree in memory, kept in a .reg-like text file.
#include "platform/SettingsStore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "platform/AtomicFile.h"
#include "platform/ModuleLoader.h"

namespace platform {
namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

// The non-empty parts of a backslash-separated key path.
std::vector<std::string_view> SplitPath(std::string_view path) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('\\', start);
        if (end == std::string_view::npos) end = path.size();
        if (end > start) parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

const char HexDigits[] = "0123456789abcdef";

// A quoted string with \\, \", \n, \r, \t and \xHH escapes.
void WriteQuoted(std::string& out, std::string_view text) {
    out += '"';
    for (char c : text) {
        unsigned char byte = static_cast<unsigned char>(c);
        if (c == '\\' || c == '"') {
            out += '\\';
            out += c;
        } else if (byte >= 0x20 && byte < 0x7F) {
            out += c;
        } else {
            out += "\\x";
            out += HexDigits[byte >> 4];
            out += HexDigits[byte & 15];
        }
    }
    out += '"';
}

// Reads a quoted string starting at text[pos] == '"'; on success sets `pos`
// past the closing quote.
bool ReadQuoted(std::string_view text, size_t& pos, std::string& value) {
    if (pos >= text.size() || text[pos] != '"') return false;
    value.clear();
    for (size_t i = pos + 1; i < text.size(); ++i) {
        char c = text[i];
        if (c == '"') {
            pos = i + 1;
            return true;
        }
        if (c != '\\') {
            value += c;
            continue;
        }
        if (++i >= text.size()) return false;
        char e = text[i];
        const int high = e == 'x' && i + 2 < text.size() ? HexDigit(text[i + 1]) : -1;
        const int low = high >= 0 ? HexDigit(text[i + 2]) : -1;
        if (e == '\\' || e == '"') {
            value += e;
        } else if (low >= 0) {
            value += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            // "C:\mine" typed by hand: the backslash is part of the text.
            value += '\\';
            value += e;
        }
    }
    return false;  // no closing quote: a truncated line
}

bool ParseDword(std::string_view text, std::string& data) {
    if (text.empty() || text.size() > 8) return false;
    uint32_t value = 0;
    for (char c : text) {
        int digit = HexDigit(c);
        if (digit < 0) return false;
        value = value * 16 + static_cast<uint32_t>(digit);
    }
    data.resize(4);
    for (int i = 0; i < 4; ++i) data[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return true;
}

// "xx,xx,xx" (possibly empty, spaces allowed after a comma); a trailing
// comma or a lone digit is invalid.
bool ParseHex(std::string_view text, std::string& data) {
    data.clear();
    if (text.empty()) return true;
    size_t pos = 0;
    while (true) {
        while (pos < text.size() && data.size() > 0 && text[pos] == ' ') ++pos;
        if (pos + 2 > text.size()) return false;
        int high = HexDigit(text[pos]);
        int low = HexDigit(text[pos + 1]);
        if (high < 0 || low < 0) return false;
        data += static_cast<char>(high * 16 + low);
        pos += 2;
        if (pos == text.size()) return true;
        if (text[pos] != ',') return false;
        ++pos;
    }
}

void SerializeValues(const SettingsStore::Key& key, const std::string& path, std::string& out) {
    out += '[';
    out += path;
    out += "]\n";
    for (const std::string& line : key.keptLines) {
        out += line;
        out += '\n';
    }
    for (const auto& [lower, value] : key.values) {
        if (value.name.empty())
            out += '@';
        else
            WriteQuoted(out, value.name);
        out += '=';
        switch (value.type) {
        case SettingsValueType::Dword: {
            uint32_t number = 0;
            for (int i = 3; i >= 0; --i) number = number * 256 + static_cast<unsigned char>(value.data[i]);
            char buffer[16];
            std::snprintf(buffer, sizeof buffer, "dword:%08x", number);
            out += buffer;
            break;
        }
        case SettingsValueType::Binary:
            out += "hex:";
            for (size_t i = 0; i < value.data.size(); ++i) {
                unsigned char byte = static_cast<unsigned char>(value.data[i]);
                if (i > 0) out += ',';
                out += HexDigits[byte >> 4];
                out += HexDigits[byte & 15];
            }
            break;
        case SettingsValueType::String:
            WriteQuoted(out, value.data);
            break;
        }
        out += '\n';
    }
    out += '\n';
}

// Every key below `root`, parents before their subkeys, subkeys in name
// order; with a stack of its own, so that no depth can exhaust the call stack.
void SerializeTree(const SettingsStore::Key& root, std::string& out) {
    std::vector<std::pair<const SettingsStore::Key*, std::string>> pending;
    for (auto it = root.subKeys.rbegin(); it != root.subKeys.rend(); ++it)
        pending.emplace_back(it->second.get(), it->second->name);
    while (!pending.empty()) {
        auto [key, path] = std::move(pending.back());
        pending.pop_back();
        SerializeValues(*key, path, out);
        for (auto it = key->subKeys.rbegin(); it != key->subKeys.rend(); ++it)
            pending.emplace_back(it->second.get(), path + "\\" + it->second->name);
    }
}

// Keys deeper or longer than this are not read or made: no setting of ours
// comes near, and a hostile file must not make the store grow without end.
constexpr size_t MaxKeyDepth = 32;
constexpr size_t MaxKeyPathLength = 1024;
// A line longer than this that cannot be read is not kept either.
constexpr size_t MaxKeptLineLength = 4096;

constexpr std::string_view FileHeader = "; Plimo settings";

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

bool StartsWithNoCase(std::string_view text, std::string_view start) {
    return text.size() >= start.size() && Lower(text.substr(0, start.size())) == start;
}

// The value of a value line after its "=", or false.
bool ParseValue(std::string_view rest, SettingsStore::Value& value) {
    if (StartsWithNoCase(rest, "dword:")) {
        value.type = SettingsValueType::Dword;
        return ParseDword(Trim(rest.substr(6)), value.data);
    }
    if (StartsWithNoCase(rest, "hex:")) {
        value.type = SettingsValueType::Binary;
        return ParseHex(Trim(rest.substr(4)), value.data);
    }
    if (!rest.empty() && rest[0] == '"') {
        value.type = SettingsValueType::String;
        size_t p = 0;
        return ReadQuoted(rest, p, value.data) && p == rest.size();
    }
    return false;
}

}  // namespace

std::filesystem::path SettingsStore::DefaultPath() {
    std::filesystem::path base;
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/') {
        base = config;
    } else {
        const char* home = std::getenv("HOME");
        base = std::filesystem::path(home != nullptr && home[0] != '\0' ? home : ".") / ".config";
    }
    return base / "Plimo" / "settings.reg";
}

SettingsStore::SettingsStore(std::filesystem::path file)
    : file_(std::move(file)), root_(std::make_unique<Key>()) {
    RemoveStaleTemporaryFiles(file_.string());
    Reload();
}

SettingsStore::~SettingsStore() { Flush(); }

int SettingsStore::ReadFile(std::string& contents) const {
    const int code = ReadWholeFile(file_.string(), contents, 64L << 20);
    return code == ENOENT || code == ENOTDIR ? 0 : code;  // missing: empty
}

void SettingsStore::Reload() {
    root_ = std::make_unique<Key>();
    changes_.clear();
    skipped_.clear();
    std::string contents;
    readError_ = ReadFile(contents);
    if (readError_ == 0) Parse(contents);
}

void SettingsStore::Parse(std::string_view text) {
    Key* current = nullptr;
    size_t start = 0;
    int number = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view raw = text.substr(start, end - start);
        start = end + 1;
        ++number;
        while (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
        const std::string_view line = Trim(raw);
        // A line not understood stays where it was found, as it was.
        const auto keep = [&](bool report) {
            if (report && !replaying_)
                skipped_.push_back("line " + std::to_string(number) + ": " + std::string(raw.substr(0, 200)));
            if (raw.size() <= MaxKeptLineLength)
                (current ? current : root_.get())->keptLines.emplace_back(raw);
        };
        if (line.empty() || line == FileHeader) continue;
        if (line[0] == ';' || line == "REGEDIT4" || line.substr(0, 23) == "Windows Registry Editor") {
            keep(false);
            continue;
        }
        if (line[0] == '[') {
            // A section line names a key; the lines under one that cannot be
            // read are kept at the top, since they belong to no key of ours.
            current = nullptr;
            std::string_view path =
                line.size() >= 3 && line.back() == ']' ? line.substr(1, line.size() - 2) : std::string_view();
            if (!path.empty() && path.find('\0') == std::string_view::npos) current = Create(path);
            if (current == nullptr) keep(true);
            continue;
        }
        Value value;
        size_t pos = 0;
        if (current == nullptr || !(line[0] == '@' ? (pos = 1) : ReadQuoted(line, pos, value.name))) {
            keep(true);
            continue;
        }
        const std::string_view afterName = Trim(line.substr(pos));
        if (afterName.empty() || afterName[0] != '=' || !ParseValue(Trim(afterName.substr(1)), value)) {
            keep(true);
            continue;
        }
        const std::string lower = Lower(value.name);
        current->values[lower] = std::move(value);
    }
}

std::string SettingsStore::Serialize() const {
    std::string out(FileHeader);
    out += "\n\n";
    for (const std::string& line : root_->keptLines) {
        out += line;
        out += '\n';
    }
    if (!root_->keptLines.empty()) out += '\n';
    SerializeTree(*root_, out);
    return out;
}

bool SettingsStore::Flush() {
    if (changes_.empty()) return true;
    // Nothing that could not be read is overwritten.
    std::string contents;
    const int code = ReadFile(contents);
    if (code != 0) {
        readError_ = code;
        SetLastError(code, "The settings file " + file_.string() +
                               " could not be read, so it is not overwritten: " + std::strerror(code));
        return false;
    }
    readError_ = 0;
    // The file as it is now (another program's settings, a hand edit), with
    // this store's changes made again over it.
    root_ = std::make_unique<Key>();
    replaying_ = true;
    Parse(contents);
    for (const Change& change : changes_) {
        switch (change.kind) {
        case Change::ValueSet:
            SetValue(change.keyPath, change.value.name, change.value.type, change.value.data);
            break;
        case Change::ValueDeleted:
            DeleteValue(change.keyPath, change.value.name);
            break;
        case Change::KeyCreated:
            CreateKey(change.keyPath);
            break;
        case Change::KeyDeleted:
            DeleteKey(change.keyPath);
            break;
        }
    }
    replaying_ = false;
    std::error_code error;
    std::filesystem::create_directories(file_.parent_path(), error);
    if (!WriteFileAtomically(file_.string(), Serialize())) return false;
    changes_.clear();
    return true;
}

void SettingsStore::Record(Change change) {
    if (!replaying_) changes_.push_back(std::move(change));
}

SettingsStore::Key* SettingsStore::Find(std::string_view keyPath) const {
    std::vector<std::string_view> parts = SplitPath(keyPath);
    if (parts.empty()) return nullptr;
    Key* key = root_.get();
    for (std::string_view part : parts) {
        auto it = key->subKeys.find(Lower(part));
        if (it == key->subKeys.end()) return nullptr;
        key = it->second.get();
    }
    return key;
}

SettingsStore::Key* SettingsStore::Create(std::string_view keyPath) {
    if (keyPath.size() > MaxKeyPathLength) return nullptr;
    std::vector<std::string_view> parts = SplitPath(keyPath);
    if (parts.empty() || parts.size() > MaxKeyDepth) return nullptr;
    for (std::string_view part : parts)
        for (char c : part)
            if (static_cast<unsigned char>(c) < 0x20) return nullptr;  // would break the file
    Key* key = root_.get();
    for (std::string_view part : parts) {
        std::unique_ptr<Key>& sub = key->subKeys[Lower(part)];
        if (!sub) {
            sub = std::make_unique<Key>();
            sub->name = std::string(part);
        }
        key = sub.get();
    }
    return key;
}

bool SettingsStore::KeyExists(std::string_view keyPath) const { return Find(keyPath) != nullptr; }

bool SettingsStore::CreateKey(std::string_view keyPath) {
    const bool existed = Find(keyPath) != nullptr;
    if (Create(keyPath) == nullptr) return false;
    if (!existed) Record({Change::KeyCreated, std::string(keyPath), {}});
    return true;
}

bool SettingsStore::DeleteKey(std::string_view keyPath) {
    std::vector<std::string_view> parts = SplitPath(keyPath);
    if (parts.empty()) return false;
    Key* parent = root_.get();
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
        auto it = parent->subKeys.find(Lower(parts[i]));
        if (it == parent->subKeys.end()) return false;
        parent = it->second.get();
    }
    if (parent->subKeys.erase(Lower(parts.back())) == 0) return false;
    Record({Change::KeyDeleted, std::string(keyPath), {}});
    return true;
}

std::vector<std::string> SettingsStore::SubKeyNames(std::string_view keyPath) const {
    std::vector<std::string> names;
    if (const Key* key = Find(keyPath))
        for (const auto& [lower, sub] : key->subKeys) names.push_back(sub->name);
    return names;
}

std::vector<std::string> SettingsStore::ValueNames(std::string_view keyPath) const {
    std::vector<std::string> names;
    if (const Key* key = Find(keyPath))
        for (const auto& [lower, value] : key->values) names.push_back(value.name);
    return names;
}

bool SettingsStore::SetValue(std::string_view keyPath, std::string_view name, SettingsValueType type,
                             std::string data) {
    Key* key = Create(keyPath);
    if (key == nullptr) return false;
    const std::string lower = Lower(name);
    // Writing back what is already there is no change of this store's.
    auto it = key->values.find(lower);
    if (it != key->values.end() && it->second.name == name && it->second.type == type &&
        it->second.data == data)
        return true;
    Value& value = key->values[lower];
    value.name = std::string(name);
    value.type = type;
    value.data = std::move(data);
    Record({Change::ValueSet, std::string(keyPath), value});
    return true;
}

bool SettingsStore::SetDword(std::string_view keyPath, std::string_view name, uint32_t number) {
    std::string data(4, '\0');
    for (int i = 0; i < 4; ++i) data[i] = static_cast<char>((number >> (8 * i)) & 0xFF);
    return SetValue(keyPath, name, SettingsValueType::Dword, std::move(data));
}

bool SettingsStore::SetBinary(std::string_view keyPath, std::string_view name, const void* data,
                              std::size_t size) {
    if (data == nullptr && size != 0) return false;
    std::string bytes(static_cast<const char*>(data), size);
    return SetValue(keyPath, name, SettingsValueType::Binary, std::move(bytes));
}

bool SettingsStore::SetString(std::string_view keyPath, std::string_view name, std::string_view text) {
    return SetValue(keyPath, name, SettingsValueType::String, std::string(text));
}

bool SettingsStore::DeleteValue(std::string_view keyPath, std::string_view name) {
    Key* key = Find(keyPath);
    if (key == nullptr || key->values.erase(Lower(name)) == 0) return false;
    Value removed;
    removed.name = std::string(name);
    Record({Change::ValueDeleted, std::string(keyPath), std::move(removed)});
    return true;
}

const SettingsStore::Value* SettingsStore::FindValue(std::string_view keyPath, std::string_view name) const {
    const Key* key = Find(keyPath);
    if (key == nullptr) return nullptr;
    auto it = key->values.find(Lower(name));
    return it == key->values.end() ? nullptr : &it->second;
}

std::optional<SettingsValueType> SettingsStore::ValueType(std::string_view keyPath,
                                                          std::string_view name) const {
    const Value* value = FindValue(keyPath, name);
    if (value == nullptr) return std::nullopt;
    return value->type;
}

std::optional<uint32_t> SettingsStore::GetDword(std::string_view keyPath, std::string_view name) const {
    const Value* value = FindValue(keyPath, name);
    if (value == nullptr || value->type != SettingsValueType::Dword || value->data.size() != 4)
        return std::nullopt;
    uint32_t number = 0;
    for (int i = 3; i >= 0; --i) number = number * 256 + static_cast<unsigned char>(value->data[i]);
    return number;
}

std::optional<std::vector<uint8_t>> SettingsStore::GetBinary(std::string_view keyPath,
                                                             std::string_view name) const {
    const Value* value = FindValue(keyPath, name);
    if (value == nullptr || value->type != SettingsValueType::Binary) return std::nullopt;
    return std::vector<uint8_t>(value->data.begin(), value->data.end());
}

bool SettingsStore::GetBinary(std::string_view keyPath, std::string_view name, void* buffer,
                              std::size_t size) const {
    const Value* value = FindValue(keyPath, name);
    if (value == nullptr || value->type != SettingsValueType::Binary || value->data.size() != size ||
        (buffer == nullptr && size != 0))
        return false;
    if (size != 0) std::memcpy(buffer, value->data.data(), size);
    return true;
}

std::optional<std::string> SettingsStore::GetString(std::string_view keyPath, std::string_view name) const {
    const Value* value = FindValue(keyPath, name);
    if (value == nullptr || value->type != SettingsValueType::String) return std::nullopt;
    return value->data;
}

}  // namespace platform
