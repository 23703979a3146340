// LanguageModule: binding a language module and keeping the user's own
// English definitions.
#include "LanguageModule.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "platform/AtomicFile.h"

const char* const EntryPointNames[EntryPointCount] = {
    "GetVerb",
    "GetVerbCount",
    "GetTenseName",
    "ConjugateVerb",
    "Find",
    "FreeSearchPtr",
    "GetTenseName2",
    "SetSearchProgressHwnd",
    "GetEnglishDefinition",
    "GetLanguageVersion",
    "GetQuestion",
    "GetLanguage",
    "GetTabName",
};

namespace {

// The text handed out for a user definition; shared by every LanguageModule
// and overwritten by the next call, as callers copy it at once.
std::string SharedDefinitionText;

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

// The reason behind an error code, as the end of a sentence.
std::string Reason(int code) {
    switch (code) {
    case ENOTSUP:
        return "it is not a regular file";
    case EISDIR:
        return "it is a folder";
    case EFBIG:
        return "it is larger than " + std::to_string(MaxDefinitionsFileSize >> 20) + " MB";
    default: {
        std::string text = std::strerror(code);
        if (!text.empty()) text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
        return text;
    }
    }
}

// Every LanguageModule alive, for the ends of a run that ask nobody.
std::vector<LanguageModule*>& LiveModules() {
    static std::vector<LanguageModule*> modules;
    return modules;
}

template <typename Fn>
bool Bind(platform::ModuleHandle module, Fn& slot, const char* name) {
    slot = reinterpret_cast<Fn>(platform::FindEntryPoint(module, name));
    return slot != nullptr;
}

}  // namespace

LanguageModule::LanguageModule() {
    userDefinitions.reserve(10);
    LiveModules().push_back(this);
}

LanguageModule::~LanguageModule() {
    Unload();
    std::erase(LiveModules(), this);
}

void LanguageModule::SaveAllUnsavedDefinitions() {
    for (LanguageModule* module : LiveModules())
        if (module->HasUnsavedDefinitions()) module->SaveDefinitions();
}

std::string LanguageModule::DefinitionKey(std::string_view infinitive, bool pronominal) {
    std::string key(infinitive);
    key += pronominal ? '1' : '0';
    return key;
}

int LanguageModule::ReadDefinitions(std::string_view contents,
                                    std::unordered_map<std::string, std::string>& definitions) {
    return definitions::Read(definitions::Parse(contents), definitions);
}

void LanguageModule::ReadDefinitionsFile(const std::string& path) {
    std::string contents;
    const int code = platform::ReadWholeFile(path, contents, MaxDefinitionsFileSize);
    // A file that is there but cannot be read is left alone: the user hears
    // of it at start, and a save reads it again before it writes.
    if (code == ENOENT) return;
    definitionsUnreadable_ = code;
    if (code != 0) return;
    // Somebody else's file of that name (notes, a link planted to another
    // file) holds no definitions of ours.
    const definitions::FileText file = definitions::Parse(contents);
    if (file.definitionsOnly && definitions::Read(file, userDefinitions) > 0) definitionsChanged = true;
}

std::string LanguageModule::DefinitionsReadError() const {
    if (definitionsUnreadable_ == 0) return {};
    return "Your English definitions file " + definitionsPath + " cannot be read (" +
           Reason(definitionsUnreadable_) +
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
    bool bound =
        Bind(m, e.GetVerb, EntryPointNames[0]) && Bind(m, e.GetVerbCount, EntryPointNames[1]) &&
        Bind(m, e.GetTenseName, EntryPointNames[2]) && Bind(m, e.ConjugateVerb, EntryPointNames[3]) &&
        Bind(m, e.Find, EntryPointNames[4]) && Bind(m, e.FreeSearchPtr, EntryPointNames[5]) &&
        Bind(m, e.GetTenseName2, EntryPointNames[6]) &&
        Bind(m, e.SetSearchProgressHwnd, EntryPointNames[7]) &&
        Bind(m, e.GetEnglishDefinition, EntryPointNames[8]) &&
        Bind(m, e.GetLanguageVersion, EntryPointNames[9]) && Bind(m, e.GetQuestion, EntryPointNames[10]) &&
        Bind(m, e.GetLanguage, EntryPointNames[11]) && Bind(m, e.GetTabName, EntryPointNames[12]);
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

    // The optional entry points: their absence is no failure.
    lookupForm_ = reinterpret_cast<LookupFormFn>(platform::FindEntryPoint(moduleHandle, "LookupForm"));
    getVerbRank_ = reinterpret_cast<GetVerbRankFn>(platform::FindEntryPoint(moduleHandle, "GetVerbRank"));

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
        lookupForm_ = nullptr;
        getVerbRank_ = nullptr;
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

bool LanguageModule::ConjugateVerb(int32_t verbIndex, bool suppressPlaceholders, bool* hasAlternate,
                                   bool* canBePronominal, bool* useAlternate, bool* pronominal,
                                   char* alternateLabels, char** forms) const {
    if (!entryPoints.ConjugateVerb) return false;
    return entryPoints.ConjugateVerb(verbIndex, suppressPlaceholders, hasAlternate, canBePronominal,
                                     useAlternate, pronominal, alternateLabels, forms);
}

void LanguageModule::Find(const char* pattern, int32_t flags, SearchResultList** result) const {
    if (entryPoints.Find) entryPoints.Find(pattern, flags, result);
}

std::vector<int32_t> LanguageModule::VerbsMetFirst(int32_t count) const {
    std::vector<int32_t> verbs;
    if (!getVerbRank_ || count <= 0) return verbs;
    // Sorted by place, then index, whatever the module answers: a list is
    // always the start of every longer one.
    std::vector<std::pair<int32_t, int32_t>> ranked;
    const int32_t verbCount = GetVerbCount();
    for (int32_t v = 0; v < verbCount; ++v) {
        const int32_t rank = getVerbRank_(v);
        if (rank > 0) ranked.emplace_back(rank, v);
    }
    std::sort(ranked.begin(), ranked.end());
    for (size_t i = 0; i < ranked.size() && i < static_cast<size_t>(count); ++i)
        verbs.push_back(ranked[i].second);
    return verbs;
}

std::vector<FormReading> LanguageModule::LookupForm(std::string_view text, int32_t flags) const {
    std::vector<FormReading> readings;
    if (!lookupForm_ || !entryPoints.FreeSearchPtr) return readings;
    const std::string terminated(text);
    SearchResultList* list = nullptr;
    lookupForm_(terminated.c_str(), flags, &list);
    if (!list) return readings;
    for (int32_t i = 0; i < list->count; ++i) {
        if (!list->texts || !list->texts[i]) continue;
        // form, infinitive, tense, slot, word
        std::string_view fields[5];
        std::string_view rest = list->texts[i];
        int n = 0;
        for (; n < 5; ++n) {
            const size_t tab = rest.find('\t');
            fields[n] = rest.substr(0, tab);
            if (tab == std::string_view::npos) {
                ++n;
                break;
            }
            rest.remove_prefix(tab + 1);
        }
        if (n < 5) continue;
        FormReading r;
        r.form = fields[0];
        r.infinitive = fields[1];
        r.tense = std::atoi(std::string(fields[2]).c_str());
        r.slot = std::atoi(std::string(fields[3]).c_str());
        r.word = fields[4];
        r.value = list->values[i];
        if (r.tense < 0 || r.tense >= TenseCount || r.slot < 0 || r.slot >= FormSlotCount) continue;
        readings.push_back(std::move(r));
    }
    entryPoints.FreeSearchPtr(list);
    return readings;
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
    return ModuleEnglishDefinition(verbIndex, pronominal);
}

const char* LanguageModule::ModuleEnglishDefinition(int32_t verbIndex, bool pronominal) const {
    if (GetVerb(verbIndex) == nullptr) return nullptr;
    return entryPoints.GetEnglishDefinition ? entryPoints.GetEnglishDefinition(verbIndex, pronominal)
                                            : nullptr;
}

bool LanguageModule::SetEnglishDefinition(int32_t verbIndex, bool pronominal, std::string_view text) {
    const char* verb = GetVerb(verbIndex);
    if (verb == nullptr) return false;
    definitionsChanged = true;
    const std::string key = UserDefinitionKey(verbIndex, pronominal);
    std::string line = OneLine(text);
    auto stored = userDefinitions.find(key);
    const bool same = stored == userDefinitions.end() ? line.empty() : stored->second == line;
    userDefinitions[key] = line;
    if (same) return true;
    unsavedDefinitions_[key] = std::move(line);
    if (definitionStored_) definitionStored_();
    return true;
}

bool LanguageModule::SaveDefinitions() {
    if (unsavedDefinitions_.empty()) return true;
    if (readOnlyDefinitions) return false;
    if (!SaveChanges(unsavedDefinitions_)) return false;
    unsavedDefinitions_.clear();
    return true;
}

bool LanguageModule::SaveDefinitionsAs(const std::string& path) {
    if (readOnlyDefinitions) return false;
    std::map<std::string, std::string> everything(userDefinitions.begin(), userDefinitions.end());
    for (const auto& [key, text] : unsavedDefinitions_) everything[key] = text;
    const std::string previous = definitionsPath;
    definitionsPath = ResolveAgainstCurrentDirectory(path);
    if (!SaveChanges(everything)) {
        definitionsPath = previous;
        return false;
    }
    unsavedDefinitions_.clear();
    definitionsUnreadable_ = 0;
    return true;
}

bool LanguageModule::SaveChanges(const std::map<std::string, std::string>& changes) {
    saveError_.clear();
    const auto fail = [this](int code, std::string reason) {
        saveError_ = std::move(reason);
        platform::SetLastError(
            code, "The definitions could not be saved to " + definitionsPath + ": " + saveError_);
        return false;
    };
    if (definitionsPath.empty()) return fail(ENOENT, "no definitions file was set");
    // What the file holds now: another Plimo or a hand edit may have
    // changed it since it was read.
    std::string contents;
    const int code = platform::ReadWholeFile(definitionsPath, contents, MaxDefinitionsFileSize);
    if (code != 0 && code != ENOENT) return fail(code, Reason(code));
    definitions::FileText file = definitions::Parse(contents);
    if (!file.definitionsOnly)
        return fail(ENOTSUP, "it is not a definitions file, and Plimo does not write over other files");
    for (const auto& [key, text] : changes) definitions::Store(file, key, OneLine(text));
    const std::string text = definitions::Serialize(file);
    if (text.size() > size_t(MaxDefinitionsFileSize))
        return fail(EFBIG, "it would be larger than " + std::to_string(MaxDefinitionsFileSize >> 20) +
                               " MB, more than Plimo reads");
    if (!platform::WriteFileAtomically(definitionsPath, text))
        return fail(platform::LastErrorCode(), Reason(platform::LastErrorCode()));
    // Show what the file now holds; a definition cleared in this run stays
    // cleared (its empty line is not read back).
    userDefinitions.clear();
    definitions::Read(file, userDefinitions);
    for (const auto& [key, value] : changes)
        if (value.empty()) userDefinitions[key].clear();
    return true;
}

std::vector<std::string> LanguageModuleFileNames() { return {"French.ldl"}; }

std::string DefinitionsFileName(const std::string& moduleFileName) {
    size_t keep = moduleFileName.size() >= 3 ? moduleFileName.size() - 3 : 0;
    return moduleFileName.substr(0, keep) + "txt";
}

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
            result.errorText = "Could not load language module. Error #" + std::to_string(result.errorCode);
            return result;
        }
        result.modules[i]->moduleNumber = static_cast<int32_t>(i);
    }
    result.ok = true;
    return result;
}
