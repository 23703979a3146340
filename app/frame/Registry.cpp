#include "Registry.h"

#include <cerrno>
#include <cstring>
#include <memory>

namespace {

std::unique_ptr<platform::SettingsStore>& StoreInstance() {
    static std::unique_ptr<platform::SettingsStore> store;
    return store;
}

constexpr size_t WorkingBufferSize = 1000;

// Where each predefined root lives in the store: the current user's keys at
// its top, the other roots under a key of their own name.
std::optional<std::string> RootPrefix(std::string_view root) {
    if (root == "HKEY_CURRENT_USER") return std::string();
    if (root == "HKEY_LOCAL_MACHINE" || root == "HKEY_CLASSES_ROOT" || root == "HKEY_USERS")
        return std::string(root);
    return std::nullopt;
}

}  // namespace

platform::SettingsStore& SettingsRegistry() {
    auto& store = StoreInstance();
    if (!store) store = std::make_unique<platform::SettingsStore>();
    return *store;
}

bool FlushSettingsRegistry() {
    auto& store = StoreInstance();
    return store ? store->Flush() : true;
}

void CloseSettingsRegistry() {
    auto& store = StoreInstance();
    if (store) store->Flush();
    store.reset();
}

std::string SettingsReadError() {
    platform::SettingsStore& store = SettingsRegistry();
    const int code = store.ReadError();
    const char* reason = code == ENOTSUP  ? "it is not a regular file"
                         : code == EFBIG  ? "it is larger than 64 MB"
                         : code == EISDIR ? "it is a folder"
                                          : std::strerror(code);
    if (code != 0)
        return "Your settings file " + store.path().string() + " cannot be read (" + reason +
               "). Plimo starts with its default settings and leaves the file as it is.";
    const std::vector<std::string>& skipped = store.SkippedLines();
    if (skipped.empty()) return {};
    std::string text = "Plimo could not read these lines of your settings file " + store.path().string() +
                       " and keeps them as they are:";
    for (size_t i = 0; i < skipped.size() && i < 5; ++i) text += "\n" + skipped[i];
    if (skipped.size() > 5) text += "\n(and " + std::to_string(skipped.size() - 5) + " more)";
    return text;
}

std::optional<RegistryKey> OpenKeyPath(std::string_view path, bool create) {
    if (!path.empty() && path.front() == '\\') path.remove_prefix(1);
    std::string work(path);
    if (work.empty() || work.back() != '\\') work.push_back('\\');
    if (work.size() + 1 > WorkingBufferSize) return std::nullopt;

    size_t slash = work.find('\\');
    std::optional<std::string> prefix = RootPrefix(std::string_view(work).substr(0, slash));
    if (!prefix) return std::nullopt;

    platform::SettingsStore& store = SettingsRegistry();
    std::string current = *prefix;
    size_t start = slash + 1;
    while (start < work.size()) {
        size_t end = work.find('\\', start);
        std::string_view component = std::string_view(work).substr(start, end - start);
        start = end + 1;
        if (component.empty()) continue;
        std::string next = current.empty() ? std::string(component) : current + "\\" + std::string(component);
        if (create) {
            if (!store.CreateKey(next)) return std::nullopt;
        } else if (!store.KeyExists(next)) {
            return std::nullopt;
        }
        current = std::move(next);
    }
    return RegistryKey{current};
}

bool ReadDword(std::string_view path, std::string_view name, uint32_t& out) {
    auto key = OpenKeyPath(path, false);
    if (!key) return false;
    auto value = SettingsRegistry().GetDword(key->storePath, name);
    if (!value) return false;
    out = *value;
    return true;
}

bool ReadBinary(std::string_view path, std::string_view name, void* buffer, size_t size) {
    auto key = OpenKeyPath(path, false);
    if (!key) return false;
    return SettingsRegistry().GetBinary(key->storePath, name, buffer, size);
}

bool ReadString(std::string_view path, std::string_view name, std::string& out) {
    auto key = OpenKeyPath(path, false);
    if (!key) return false;
    auto value = SettingsRegistry().GetString(key->storePath, name);
    if (!value) return false;
    // A string is stored with its terminating zero; keep the text before it.
    std::string text = std::move(*value);
    size_t nul = text.find('\0');
    if (nul != std::string::npos) text.resize(nul);
    out = std::move(text);
    return true;
}

bool WriteDword(std::string_view path, std::string_view name, uint32_t value) {
    auto key = OpenKeyPath(path, true);
    return key && SettingsRegistry().SetDword(key->storePath, name, value);
}

bool WriteBinary(std::string_view path, std::string_view name, const void* data, size_t size) {
    auto key = OpenKeyPath(path, true);
    return key && SettingsRegistry().SetBinary(key->storePath, name, data, size);
}

bool WriteString(std::string_view path, std::string_view name, const char* text) {
    if (text == nullptr) return false;
    auto key = OpenKeyPath(path, true);
    return key && SettingsRegistry().SetString(key->storePath, name, text);
}

bool DeleteKey(std::string_view path, std::string_view subkeyName) {
    auto key = OpenKeyPath(path, false);
    if (!key || subkeyName.empty()) return false;
    std::string target =
        key->storePath.empty() ? std::string(subkeyName) : key->storePath + "\\" + std::string(subkeyName);
    return SettingsRegistry().DeleteKey(target);
}

bool ReadPlacement(std::string_view path, StoredRect& rect, uint32_t& pos) {
    uint32_t left, top, bottom, right;
    if (!ReadDword(path, "Left", left)) return false;
    if (!ReadDword(path, "Top", top)) return false;
    if (!ReadDword(path, "Right", right)) return false;
    if (!ReadDword(path, "Bottom", bottom)) return false;
    if (!ReadDword(path, "Pos", pos)) return false;
    rect = {int32_t(left), int32_t(top), int32_t(right), int32_t(bottom)};
    return true;
}

void WritePlacement(std::string_view path, const StoredRect& rect, uint32_t pos) {
    WriteDword(path, "Left", uint32_t(rect.left));
    WriteDword(path, "Top", uint32_t(rect.top));
    WriteDword(path, "Right", uint32_t(rect.right));
    WriteDword(path, "Bottom", uint32_t(rect.bottom));
    WriteDword(path, "Pos", pos);
}

bool ReadChildRecord(std::string_view path, StoredRect& rect, uint32_t& pos, std::string& language,
                     std::string& verb, uint32_t& flags) {
    bool ok = ReadPlacement(path, rect, pos) && ReadString(path, "Verb", verb) &&
              ReadDword(path, "Flags", flags) && ReadString(path, "Language", language);
    if (rect.top < 0) rect.top = 0;
    return ok;
}

void WriteChildRecord(std::string_view path, const StoredRect& rect, uint32_t pos,
                      const std::string& language, const std::string& verb, uint32_t flags) {
    WritePlacement(path, rect, pos);
    WriteString(path, "Verb", verb.c_str());
    WriteDword(path, "Flags", flags);
    WriteString(path, "Language", language.c_str());
}
