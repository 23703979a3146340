// Test access to the real French.ldl, loaded the way the program loads it.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "LanguageModuleAbi.h"
#include "platform/ModuleLoader.h"

namespace testing_support {

struct Exports {
    GetVerbCountFn GetVerbCount;
    GetVerbFn GetVerb;
    GetEnglishDefinitionFn GetEnglishDefinition;
    GetTenseNameFn GetTenseName;
    GetTenseName2Fn GetTenseName2;
    GetTabNameFn GetTabName;
    GetLanguageFn GetLanguage;
    GetLanguageVersionFn GetLanguageVersion;
    GetQuestionFn GetQuestion;
    ConjugateVerbFn ConjugateVerb;
    FindFn Find;
    FreeSearchPtrFn FreeSearchPtr;
    SetSearchProgressHwndFn SetSearchProgressHwnd;
    LookupFormFn LookupForm;
};

// The module, loaded once for the whole test program.
const Exports& Module();
platform::ModuleHandle ModuleHandle();

// Windows-1252 <-> UTF-8, for writing expectations in readable French.
std::string ToUtf8(const char* cp1252);
std::string ToCp1252(const std::string& utf8);

// The first verb with this infinitive (UTF-8), or -1.
int VerbIndex(const std::string& infinitive);
// All verbs with this infinitive.
std::vector<int> VerbIndices(const std::string& infinitive);

struct Conjugation {
    bool ok = false;
    bool hasAlternate = false;
    bool canBePronominal = false;
    bool pronominal = false;
    std::string labels[2];
    std::array<std::string, FormSlotCount> forms;  // UTF-8
    int kind = -1;
};

// Conjugates a verb by index or by infinitive, for display unless told otherwise.
Conjugation Conjugate(int verbIndex, bool pronominal = false, bool alternate = false,
                      bool suppressPlaceholders = false);
Conjugation Conjugate(const std::string& infinitive, bool pronominal = false, bool alternate = false,
                      bool suppressPlaceholders = false);

struct SearchResult {
    std::string text;  // UTF-8
    int32_t value;
};
std::vector<SearchResult> Search(const std::string& pattern, int32_t flags, int32_t* capacity = nullptr);

// LookupForm's entries: form, infinitive, tense, slot, word (UTF-8).
std::vector<SearchResult> Lookup(const std::string& text, int32_t flags = 0);

}  // namespace testing_support
