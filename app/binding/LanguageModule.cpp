// LanguageModule: binding a language module and keeping the user's own
// English definitions.
#include "LanguageModule.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/AtomicFile.h"

const char* const EntryPointNames[EntryPointCount] = {
    "GetVerb",           "GetVerbCount",          "GetTenseName",         "ConjugateVerb",
    "Find",              "FreeSearchPtr",         "GetTenseName2",        "SetSearchProgressHwnd",
    "GetEnglishDefinition", "GetLanguageVersion", "GetQuestion",          "GetLanguage",
    "GetTabName",
};

namespace {

// The text handed out for a user definition; shared by every LanguageModule
// and overwritten by the next call, as callers copy it at once.
std::string SharedDefinitionText;

// The definitions file name for a module file: its last three characters
// replaced by "txt" ("French.ldl" -> "French.txt").
std::string DefinitionsFileName(const std::string& moduleFileName) {
    size_t keep = moduleFileName.size() >= 3 ? moduleFileName.size() - 3 : 0;
    return moduleFileName.substr(0, keep) + "txt";
}

std::string ResolveAgainstCurrentDirectory(const std::string& name) {
    std::error_code error;
    std::filesystem::path full = std::filesystem::absolute(name, error);
    return error ? name : full.lexically_normal().string();
}

// A definition is one line: every line break (CR LF, CR or LF) becomes one
// space, and so does a NUL byte, which would cut the text short.
std::string OneLine(std::string_view text) {
    std::string line;
    line.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
            line += ' ';
        } else if (c == '\n' || c == '\0') {
            line += ' ';
        } else {
            line += c;
        }
    }
    return line;
}

template <typename Fn>
bool Bind(platform::ModuleHandle module, Fn& slot, const char* name) {
    slot = reinterpret_cast<Fn>(platform::FindEntryPoint(module, name));
    return slot != nullptr;
}

}  // namespace

LanguageModule::LanguageModule() { userDefinitions.reserve(10); }

LanguageModule::~LanguageModule() { Unload(); }

std::string LanguageModule::DefinitionKey(std::string_view infinitive, bool pronominal) {
    std::string key(infinitive);
    key += pronominal ? '1' : '0';
    return key;
}

int LanguageModule::ReadDefinitions(std::string_view contents,
                                    std::unordered_map<std::string, std::string>& definitions) {
    int read = 0;
    bool header = true;
    size_t pos = 0;
    while (pos < contents.size()) {
        // A line ends at CR LF, LF or a lone CR.
        size_t end = contents.find_first_of("\r\n", pos);
        size_t next;
        if (end == std::string_view::npos) {
            end = contents.size();
            next = end;
        } else if (contents[end] == '\r' && end + 1 < contents.size() && contents[end + 1] == '\n') {
            next = end + 2;
        } else {
            next = end + 1;
        }
        std::string_view line = contents.substr(pos, end - pos);
        pos = next;
        if (header) {
            // The header is known by its text; a first line that is a
            // definition (the header lost by an editor) is read as one.
            header = false;
            if (line.substr(0, DefinitionsHeaderStart.size()) == DefinitionsHeaderStart) continue;
        }
        // Text after a NUL byte is not part of the line's text.
        size_t nul = line.find('\0');
        if (nul != std::string_view::npos) line = line.substr(0, nul);

        // verb, comma, flag character, comma, definition: the definition
        // starts three characters after the first comma, whatever those are.
        size_t comma = line.find(',');
        if (comma == std::string_view::npos) continue;  // no definition
        std::string_view verb = line.substr(0, comma);
        bool pronominal = comma + 1 < line.size() && line[comma + 1] == '1';
        if (comma + 3 >= line.size()) continue;  // empty definition
        std::string_view definition = line.substr(comma + 3);
        definitions[DefinitionKey(verb, pronominal)] = std::string(definition);
        ++read;
    }
    return read;
}

void LanguageModule::ReadDefinitionsFile(const std::string& path) {
    // Create the file when it is missing, never truncate it. Opening does
    // not wait: a named pipe in its place must not hold the program up.
    int flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | (readOnlyDefinitions ? 0 : O_CREAT);
    int fd = open(path.c_str(), flags, 0666);
    if (fd < 0) {
        // A file that is there but cannot be read must not be replaced by
        // the empty store at the next save: that would destroy it.
        int code = errno;
        struct stat info;
        if (code != ENOENT && stat(path.c_str(), &info) == 0) definitionsUnreadable_ = code;
        return;
    }
    // Only a regular file of a sane size is read (not a device, a pipe or a
    // folder, whatever a link points to).
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        definitionsUnreadable_ = S_ISDIR(info.st_mode) ? EISDIR : ENOTSUP;
        close(fd);
        return;
    }
    if (info.st_size > MaxDefinitionsFileSize) {
        definitionsUnreadable_ = EFBIG;
        close(fd);
        return;
    }
    std::string contents;
    char buffer[65536];
    while (true) {
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) definitionsUnreadable_ = errno;
        if (n <= 0) break;
        contents.append(buffer, static_cast<size_t>(n));
        if (contents.size() > size_t(MaxDefinitionsFileSize)) {  // grew while being read
            definitionsUnreadable_ = EFBIG;
            break;
        }
    }
    close(fd);
    if (definitionsUnreadable_ != 0) return;
    if (ReadDefinitions(contents, userDefinitions) > 0) definitionsChanged = 1;
}

std::string LanguageModule::DefinitionsReadError() const {
    if (definitionsUnreadable_ == 0) return {};
    std::string reason;
    switch (definitionsUnreadable_) {
    case ENOTSUP:
        reason = "it is not a regular file";
        break;
    case EISDIR:
        reason = "it is a folder";
        break;
    case EFBIG:
        reason = "it is larger than " + std::to_string(MaxDefinitionsFileSize >> 20) + " MB";
        break;
    default:
        reason = std::strerror(definitionsUnreadable_);
        break;
    }
    return "Your English definitions file " + definitionsPath + " cannot be read (" + reason +
           "). The module's own definitions are shown, and the file is left as it is.";
}

bool LanguageModule::Load(const std::string& fileName) {
    if (moduleHandle != nullptr) Unload();

    // 1. The user's definitions, from the current directory.
    definitionsUnreadable_ = 0;
    definitionsPath = ResolveAgainstCurrentDirectory(DefinitionsFileName(fileName));
    if (!readOnlyDefinitions) platform::RemoveStaleTemporaryFiles(definitionsPath);
    ReadDefinitionsFile(definitionsPath);

    // 2. The module, through the library search.
    moduleHandle = platform::LoadModule(fileName);
    if (moduleHandle == nullptr) return false;

    // 3. The entry points, in table order, up to the first one missing.
    LanguageModuleEntryPoints& e = entryPoints;
    platform::ModuleHandle m = moduleHandle;
    bool bound = Bind(m, e.GetVerb, EntryPointNames[0]) &&
                 Bind(m, e.GetVerbCount, EntryPointNames[1]) &&
                 Bind(m, e.GetTenseName, EntryPointNames[2]) &&
                 Bind(m, e.ConjugateVerb, EntryPointNames[3]) &&
                 Bind(m, e.Find, EntryPointNames[4]) &&
                 Bind(m, e.FreeSearchPtr, EntryPointNames[5]) &&
                 Bind(m, e.GetTenseName2, EntryPointNames[6]) &&
                 Bind(m, e.SetSearchProgressHwnd, EntryPointNames[7]) &&
                 Bind(m, e.GetEnglishDefinition, EntryPointNames[8]) &&
                 Bind(m, e.GetLanguageVersion, EntryPointNames[9]) &&
                 Bind(m, e.GetQuestion, EntryPointNames[10]) &&
                 Bind(m, e.GetLanguage, EntryPointNames[11]) &&
                 Bind(m, e.GetTabName, EntryPointNames[12]);
    if (!bound) {
        Unload();
        return false;
    }
    // A module whose data fails its own checksum when it is loaded serves
    // no verbs: a damaged file, refused rather than shown half right.
    if (GetVerbCount() <= 0) {
        Unload();
        platform::SetLastError(EBADMSG, "The language module " + fileName +
                                            " is damaged: its verb data does not match its "
                                            "checksum. Please reinstall Plimo.");
        return false;
    }

    // 4. The icon.
    moduleIcon = platform::FindModuleResource(moduleHandle, "ICON", ModuleIconId);

    // 5. Which verbs repeat an earlier infinitive: their definitions are
    // kept under keys of their own.
    occurrences.clear();
    std::unordered_map<std::string_view, uint8_t> seen;
    const int32_t count = GetVerbCount();
    for (int32_t i = 0; i < count; ++i) {
        const char* verb = entryPoints.GetVerb(i);
        if (verb == nullptr) continue;
        uint8_t& n = seen[verb];
        if (n < 255) ++n;
        if (n > 1) occurrences[i] = n;
    }
    return true;
}

void LanguageModule::Unload() {
    if (moduleHandle != nullptr) {
        platform::FreeModule(moduleHandle);
        moduleIcon = nullptr;
        moduleHandle = nullptr;
        entryPoints = LanguageModuleEntryPoints{};
    }
    SaveDefinitions();
}

const char* LanguageModule::GetVerb(int32_t verbIndex) const {
    if (!entryPoints.GetVerb || verbIndex < 0 || verbIndex >= GetVerbCount()) return nullptr;
    return entryPoints.GetVerb(verbIndex);
}

int32_t LanguageModule::GetVerbCount() const {
    return entryPoints.GetVerbCount ? entryPoints.GetVerbCount() : 0;
}

const char* LanguageModule::GetTenseName(int32_t tense) const {
    return entryPoints.GetTenseName ? entryPoints.GetTenseName(tense) : nullptr;
}

const char* LanguageModule::GetTenseName2(int32_t tense) const {
    return entryPoints.GetTenseName2 ? entryPoints.GetTenseName2(tense) : nullptr;
}

const char* LanguageModule::GetTabName(int32_t tab) const {
    return entryPoints.GetTabName ? entryPoints.GetTabName(tab) : nullptr;
}

const char* LanguageModule::GetLanguage() const {
    return entryPoints.GetLanguage ? entryPoints.GetLanguage() : nullptr;
}

bool LanguageModule::ConjugateVerb(int32_t verbIndex, bool suppressPlaceholders,
                                   bool* hasAlternate, bool* canBePronominal, bool* useAlternate,
                                   bool* pronominal, char* alternateLabels, char** forms) const {
    if (!entryPoints.ConjugateVerb) return false;
    return entryPoints.ConjugateVerb(verbIndex, suppressPlaceholders, hasAlternate,
                                     canBePronominal, useAlternate, pronominal, alternateLabels,
                                     forms);
}

void LanguageModule::Find(const char* pattern, int32_t flags, SearchResultList** result) const {
    if (entryPoints.Find) entryPoints.Find(pattern, flags, result);
}

void LanguageModule::FreeSearchPtr(SearchResultList* list) const {
    if (entryPoints.FreeSearchPtr) entryPoints.FreeSearchPtr(list);
}

void LanguageModule::SetSearchProgressHwnd(HWND window) const {
    if (entryPoints.SetSearchProgressHwnd) entryPoints.SetSearchProgressHwnd(window);
}

int32_t LanguageModule::FindVerbIndex(std::string_view infinitive) const {
    int32_t count = GetVerbCount();
    for (int32_t i = 0; i < count; ++i) {
        const char* verb = entryPoints.GetVerb(i);
        if (verb != nullptr && infinitive == verb) return i;
    }
    return -1;
}

std::string LanguageModule::UserDefinitionKey(int32_t verbIndex, bool pronominal) const {
    const char* verb = GetVerb(verbIndex);
    if (verb == nullptr) return {};
    auto repeated = occurrences.find(verbIndex);
    if (repeated == occurrences.end()) return DefinitionKey(verb, pronominal);
    return DefinitionKey(std::string(verb) + '#' + std::to_string(repeated->second), pronominal);
}

const char* LanguageModule::GetEnglishDefinition(int32_t verbIndex, bool pronominal) const {
    const char* verb = GetVerb(verbIndex);
    if (verb == nullptr) return nullptr;  // unbound, or no such verb
    auto it = userDefinitions.find(UserDefinitionKey(verbIndex, pronominal));
    if (it != userDefinitions.end() && !it->second.empty()) {
        SharedDefinitionText = it->second;
        return SharedDefinitionText.c_str();
    }
    return entryPoints.GetEnglishDefinition ? entryPoints.GetEnglishDefinition(verbIndex, pronominal)
                                            : nullptr;
}

bool LanguageModule::SetEnglishDefinition(int32_t verbIndex, bool pronominal,
                                          std::string_view text) {
    const char* verb = GetVerb(verbIndex);
    if (verb == nullptr) return false;
    userDefinitions[UserDefinitionKey(verbIndex, pronominal)] = OneLine(text);
    definitionsChanged = 1;
    return true;
}

bool LanguageModule::SaveDefinitions() const {
    if (definitionsPath.empty()) return false;  // never loaded: no file to write
    if (readOnlyDefinitions) return false;
    if (definitionsUnreadable_ != 0) {
        platform::SetLastError(definitionsUnreadable_,
                               "The definitions file " + definitionsPath +
                                   " could not be read, so it is not overwritten: " +
                                   std::strerror(definitionsUnreadable_));
        return false;
    }
    std::string text;
    text.reserve(64 + userDefinitions.size() * 64);
    text += DefinitionsFileHeader;
    text += "\r\n";
    for (const auto& [key, value] : userDefinitions) {
        if (key.empty()) continue;
        text += OneLine(std::string_view(key).substr(0, key.size() - 1));
        text += ',';
        text += key.back() == '1' ? '1' : '0';
        text += ',';
        text += OneLine(value);
        text += "\r\n";
    }
    return platform::WriteFileAtomically(definitionsPath, text);
}

std::vector<std::string> LanguageModuleFileNames() { return {"French.ldl"}; }

LanguageModuleLoadResult LoadLanguageModules(const std::vector<std::string>& fileNames) {
    LanguageModuleLoadResult result;
    if (fileNames.empty()) return result;
    for (size_t i = 0; i < fileNames.size(); ++i)
        result.modules.push_back(std::make_unique<LanguageModule>());
    for (size_t i = 0; i < fileNames.size(); ++i) {
        if (!result.modules[i]->Load(fileNames[i])) {
            // Take the code of the failure itself, before the clean-up below
            // (which writes the definitions files) can replace it.
            result.errorCode = platform::LastErrorCode();
            result.loaderMessage = platform::LastErrorMessage();
            result.modules.clear();
            result.errorText =
                "Could not load language module. Error #" + std::to_string(result.errorCode);
            return result;
        }
        result.modules[i]->moduleNumber = static_cast<int32_t>(i);
    }
    result.ok = true;
    return result;
}
