// The host object of one loaded language module.
//
// The program never calls a language module's exports directly: it reaches
// them through a LanguageModule, whose operations carry the names of the
// exports they forward to and return null, 0 or false (or do nothing) while
// the module is not bound. The object also owns the user's own English
// definitions for the verbs of that module, kept in a comma-separated text
// file named after the module file ("French.ldl" -> "French.txt") in the
// current directory. That file is written only with definitions this run
// changed, merged into what the file holds at that moment (see
// DefinitionsFile.h), and never created before the first one is stored.
//
// Text is Windows-1252 throughout (see Cp1252.h for the conversion to UTF-8
// and UTF-16). Pointers returned by the module (infinitives, tense names,
// definitions) stay valid while the module is loaded; the text returned for
// a user definition is one buffer shared by every LanguageModule and is
// overwritten by the next GetEnglishDefinition call, so copy it at once.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "DefinitionsFile.h"
#include "LanguageModuleAbi.h"
#include "platform/ModuleLoader.h"
#include "platform/ModuleResources.h"

// The module's icon: its "ICON" resource 10000 (a complete .ico file), or
// null when the module is not bound or has no icon. The data stays valid
// while the module is loaded.
using ModuleIconHandle = const ResourceEntry*;

// Resource ids every language module carries.
enum : int32_t {
    ModuleIconId = 10000,    // type "ICON"
    ModuleBitmapId = 10001,  // type "BITMAP", painted by the search progress window
};

// The thirteen entry points, in the order in which Load binds them.
struct LanguageModuleEntryPoints {
    GetVerbFn GetVerb = nullptr;
    GetVerbCountFn GetVerbCount = nullptr;
    GetTenseNameFn GetTenseName = nullptr;
    ConjugateVerbFn ConjugateVerb = nullptr;
    FindFn Find = nullptr;
    FreeSearchPtrFn FreeSearchPtr = nullptr;
    GetTenseName2Fn GetTenseName2 = nullptr;
    SetSearchProgressHwndFn SetSearchProgressHwnd = nullptr;
    GetEnglishDefinitionFn GetEnglishDefinition = nullptr;
    GetLanguageVersionFn GetLanguageVersion = nullptr;
    GetQuestionFn GetQuestion = nullptr;
    GetLanguageFn GetLanguage = nullptr;
    GetTabNameFn GetTabName = nullptr;
};

inline constexpr int EntryPointCount = 13;

// Export names in binding order (the order of LanguageModuleEntryPoints).
extern const char* const EntryPointNames[EntryPointCount];

// The header line of a definitions file, and the start by which a first
// line is known to be the header.
inline constexpr std::string_view DefinitionsFileHeader = definitions::Header;
inline constexpr std::string_view DefinitionsHeaderStart = definitions::HeaderStart;

// A definitions file larger than this is not read, and no save makes one.
inline constexpr long MaxDefinitionsFileSize = 16L << 20;

// One reading of a form found by the module's LookupForm (Windows-1252):
// the slot's form, the infinitive as in slot 93, the tense and slot numbers,
// the word matched, and the value bits (verb index, ResultPronominal,
// ResultAlternate, ResultFolded, ResultSuggestion).
struct FormReading {
    std::string form;
    std::string infinitive;
    int32_t tense = 0;
    int32_t slot = 0;
    std::string word;
    int32_t value = 0;

    int32_t VerbIndex() const { return value & ResultVerbIndexMask; }
    bool Pronominal() const { return (value & ResultPronominal) != 0; }
    bool Alternate() const { return (value & ResultAlternate) != 0; }
    bool Suggestion() const { return (value & ResultSuggestion) != 0; }
};

class LanguageModule {
public:
    LanguageModule();
    virtual ~LanguageModule();  // Unload, which also saves the definitions changed

    LanguageModule(const LanguageModule&) = delete;
    LanguageModule& operator=(const LanguageModule&) = delete;

    // Reads the definitions file first (the module file name with its last
    // three characters replaced by "txt", in the current directory; a
    // missing file is an empty store and is not created), then loads the module file through the platform's
    // library search (the program's own directory first), binds the thirteen
    // entry points in order and finally looks up the icon. A missing entry
    // point unloads the module again (writing the definitions file back).
    // Returns false on any failure; platform::LastErrorCode() and
    // platform::LastErrorMessage() then tell why.
    bool Load(const std::string& fileName);

    // Releases the module if one is loaded (clearing the icon, the handle and
    // every entry point), then saves the definitions changed, if any.
    void Unload();

    // True between a successful Load and the next Unload.
    bool IsBound() const { return moduleHandle != nullptr; }

    // Forwarding operations; null, 0, false or nothing while unbound.
    const char* GetVerb(int32_t verbIndex) const;  // null outside 0 .. count - 1
    int32_t GetVerbCount() const;
    const char* GetTenseName(int32_t tense) const;
    const char* GetTenseName2(int32_t tense) const;
    const char* GetTabName(int32_t tab) const;
    const char* GetLanguage() const;
    bool ConjugateVerb(int32_t verbIndex, bool suppressPlaceholders, bool* hasAlternate,
                       bool* canBePronominal, bool* useAlternate, bool* pronominal, char* alternateLabels,
                       char** forms) const;
    void Find(const char* pattern, int32_t flags, SearchResultList** result) const;
    void FreeSearchPtr(SearchResultList* list) const;
    void SetSearchProgressHwnd(HWND window) const;

    // Whether the module has the optional LookupForm export; a module
    // without it loads all the same and offers no lookup.
    bool CanLookUpForms() const { return lookupForm_ != nullptr; }
    // LookupForm's readings of `text` (flags IgnoreAccents, LookupPrefix),
    // in the module's order; none without the export.
    std::vector<FormReading> LookupForm(std::string_view text, int32_t flags) const;

    // Whether the module has the optional GetVerbRank export; a module
    // without it loads all the same and ranks no verb.
    bool CanRankVerbs() const { return getVerbRank_ != nullptr; }
    // The first `count` verbs a learner meets, most often met first: fewer
    // when the module ranks fewer, none without the export. The first n of
    // a longer list are the list for n.
    std::vector<int32_t> VerbsMetFirst(int32_t count) const;

    // The first verb index whose infinitive equals `infinitive` exactly
    // (case- and accent-sensitive), or -1. Of two equal infinitives only the
    // first is ever found.
    int32_t FindVerbIndex(std::string_view infinitive) const;

    // The user's definition of the verb if one is stored and not empty,
    // otherwise the module's own (null when unbound or when the module has
    // none). A user definition is returned in a buffer shared by all
    // LanguageModule objects, valid until the next call.
    const char* GetEnglishDefinition(int32_t verbIndex, bool pronominal) const;

    // Stores a user definition for the verb (an empty text included, which
    // brings back the module's own definition) and sets definitionsChanged.
    // Line breaks become spaces: a definition is always one line. A text
    // that differs from the stored one is kept as a change to save, and the
    // handler set by OnDefinitionStored runs. Returns false, storing
    // nothing, when the verb index is not valid.
    bool SetEnglishDefinition(int32_t verbIndex, bool pronominal, std::string_view text);

    // Writes the definitions this run changed into definitionsPath: the
    // file is read again, only the lines of those definitions change (see
    // DefinitionsFile.h), and the result replaces it atomically. The other
    // definitions the file now holds (another Plimo's, a hand edit) are then
    // the ones shown. True when there was nothing to save or all of it was
    // written; false otherwise, with the file left as it was, the changes
    // kept for another try and DefinitionsSaveError() telling why. Nothing is
    // written for readOnlyDefinitions.
    bool SaveDefinitions();

    // Saves every definition of the store (those read included) to `path`,
    // which then becomes definitionsPath. On failure nothing changes.
    bool SaveDefinitionsAs(const std::string& path);

    // True while changes wait to be saved.
    bool HasUnsavedDefinitions() const { return !unsavedDefinitions_.empty(); }

    // Forgets the changes that wait to be saved (the user chose to).
    void DiscardDefinitionChanges() { unsavedDefinitions_.clear(); }

    // Why the last SaveDefinitions failed, as the end of a sentence for the
    // user ("no space left on device"); empty after a success.
    const std::string& DefinitionsSaveError() const { return saveError_; }

    // Runs `handler` after each stored change (the program saves soon after).
    void OnDefinitionStored(std::function<void()> handler) { definitionStored_ = std::move(handler); }

    // Saves the changes of every LanguageModule that has some, asking
    // nobody: for the ends of a run where the user cannot be asked (a
    // signal, the display gone).
    static void SaveAllUnsavedDefinitions();

    // The key of a user definition: the infinitive followed by "1" for the
    // pronominal definition or "0" for the plain one.
    static std::string DefinitionKey(std::string_view infinitive, bool pronominal);
    // The key of verb `verbIndex`'s user definition. A verb that repeats an
    // earlier verb's infinitive (ressortir, listed twice) is keyed by the
    // infinitive, "#" and its place among the verbs so spelled ("ressortir#2");
    // readers that do not know that form take it for an unknown verb, and keep
    // its line. Empty for a verb index that is not valid.
    std::string UserDefinitionKey(int32_t verbIndex, bool pronominal) const;

    // Why the definitions file could not be read, for the user; empty when
    // it was read (or is missing).
    std::string DefinitionsReadError() const;

    // Reads a definitions file's contents into `definitions` by the file's
    // rules (DefinitionsFile.h); returns the number of definitions read.
    // Exposed for tests and the fuzz target.
    static int ReadDefinitions(std::string_view contents,
                               std::unordered_map<std::string, std::string>& definitions);

    // The module's own definition of the verb, whatever the user stored;
    // null when unbound or when the module has none.
    const char* ModuleEnglishDefinition(int32_t verbIndex, bool pronominal) const;

    // The user's definitions by key (see DefinitionKey), those read and
    // those stored.
    const std::unordered_map<std::string, std::string>& UserDefinitions() const { return userDefinitions; }
    // True once a definition was read from the file or stored: there is a
    // file worth sending.
    bool DefinitionsChanged() const { return definitionsChanged; }
    // The loaded module file, for its resources and extra exports; null
    // while unbound.
    platform::ModuleHandle Handle() const { return moduleHandle; }
    const LanguageModuleEntryPoints& EntryPoints() const { return entryPoints; }

    ModuleIconHandle moduleIcon = nullptr;
    int32_t moduleNumber = 0;     // position in the main frame's module array
    std::string definitionsPath;  // full path of the definitions file; empty until Load

    // For tools that only read (plimo-conj): nothing writes the definitions
    // file. Set before Load.
    bool readOnlyDefinitions = false;

private:
    void ReadDefinitionsFile(const std::string& path);

    std::unordered_map<std::string, std::string> userDefinitions;
    bool definitionsChanged = false;
    platform::ModuleHandle moduleHandle = nullptr;
    LanguageModuleEntryPoints entryPoints;

    bool SaveChanges(const std::map<std::string, std::string>& changes);

    // The error (errno) that kept Load from reading an existing definitions
    // file, or 0.
    int definitionsUnreadable_ = 0;
    // The definitions this run changed and did not save yet, by key.
    std::map<std::string, std::string> unsavedDefinitions_;
    std::string saveError_;
    std::function<void()> definitionStored_;
    LookupFormFn lookupForm_ = nullptr;    // optional: bound when the module has it
    GetVerbRankFn getVerbRank_ = nullptr;  // optional as well
    // The place (2, 3, ...) of each verb whose infinitive an earlier verb has.
    std::unordered_map<int32_t, uint8_t> occurrences;
};

// Loading the language modules at start-up.

// The module files the program loads, in order: "French.ldl".
std::vector<std::string> LanguageModuleFileNames();

// The definitions file name for a module file: its last three characters
// replaced by "txt" ("French.ldl" -> "French.txt").
std::string DefinitionsFileName(const std::string& moduleFileName);

struct LanguageModuleLoadResult {
    bool ok = false;
    // All loaded modules (moduleNumber = position) on success; empty on failure.
    std::vector<std::unique_ptr<LanguageModule>> modules;
    // On failure: the last error code at that moment, the message box text
    // "Could not load language module. Error #" followed by the code, and
    // the loader's own explanation for the user (may be empty).
    int32_t errorCode = 0;
    std::string errorText;
    std::string loaderMessage;
};

// Loads every module of `fileNames` in order. On the first failure all
// modules are destroyed again (none has changes to save) and the
// result carries the error; the caller shows it (caption "Error") and stops.
// An empty list fails without an error text.
LanguageModuleLoadResult LoadLanguageModules(
    const std::vector<std::string>& fileNames = LanguageModuleFileNames());
