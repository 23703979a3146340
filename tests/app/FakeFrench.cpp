// A small language module for the desktop program's tests: nine verbs with
// known properties (variants A/E, I/Y, IE/OI, an impersonal verb, two equal
// infinitives), exporting the same thirteen functions as the real module.
// Built without GetTabName when FAKE_WITHOUT_TAB_NAME is defined.
#define PLIMO_BUILDING_MODULE
#include <cstdio>
#include <cstring>

#include "LanguageModuleAbi.h"

namespace {

struct FakeVerb {
    const char* infinitive;
    const char* stem;
    bool pronominal;     // can be pronominal
    const char* labels;  // two NUL-separated labels, or null
    bool impersonal;
    const char* plain;
    const char* reflexive;
};

const FakeVerb kVerbs[] = {
    {"aimer", "aim", true, nullptr, false, "to like, to love", "to love each other"},
    {"monter", "mont", true, "A\0E", false, "to go up, to climb", "to amount to"},
    {"payer", "pay", true, "I\0Y", false, "to pay", "to treat oneself"},
    {"asseoir", "ass", true, "IE\0OI", false, "to seat", "to sit down"},
    {"pleuvoir", "pleu", false, nullptr, true, "to rain", ""},
    {"ressortir", "ressort", false, nullptr, false, "to go out again", ""},
    {"ressortir", "ressort", false, nullptr, false, "to come under (a court)", ""},
    {"z\xE9" "brer", "z\xE9" "br", false, nullptr, false, "to stripe", ""},
    {"\xEA" "tre", "\xEA" "t", false, nullptr, false, "to be", ""},
};
constexpr int kVerbCount = sizeof kVerbs / sizeof kVerbs[0];

const char* const kTenseNames[TenseCount] = {
    "\\bluePr\xE9sent", "\\blueImparfait", "\\bluePass\xE9 Simple", "\\blueFutur Simple",
    "\\bluePr\xE9sent du Subjonctif", "\\blueImparfait du Subjonctif", "\\blueConditionnel",
    "\\bluePass\xE9 Compos\xE9", "\\bluePlus-que-parfait", "\\bluePass\xE9 Ant\xE9rieur",
    "\\blueFutur Ant\xE9rieur", "\\bluePass\xE9 du Subjonctif",
    "\\bluePlus-que-parfait du Subjonctif", "\\blueConditionnel Pass\xE9", "\\blueImperatif",
    "\\blueParticipe Pass\xE9", "\\blueParticipe Pr\xE9sent", "\\blueInfinitif",
};
const char* const kTabNames[TabCount] = {"Indicatif", "Compos\xE9", "Subjonctif",
                                         "Conditionnel/Participe"};
const char* const kPronouns[6] = {"je", "tu", "il", "nous", "vous", "ils"};
const char* const kReflexive[6] = {"me", "te", "se", "nous", "vous", "se"};
const char* const kEndings[6] = {"e", "es", "e", "ons", "ez", "ent"};

}  // namespace

extern "C" {

int32_t GetVerbCount(void) { return kVerbCount; }

const char* GetVerb(int32_t verbIndex) {
    return verbIndex >= 0 && verbIndex < kVerbCount ? kVerbs[verbIndex].infinitive : nullptr;
}

const char* GetEnglishDefinition(int32_t verbIndex, bool pronominal) {
    if (verbIndex < 0 || verbIndex >= kVerbCount) return nullptr;
    return pronominal ? kVerbs[verbIndex].reflexive : kVerbs[verbIndex].plain;
}

const char* GetTenseName(int32_t tense) {
    return tense >= 0 && tense < TenseCount ? kTenseNames[tense] : nullptr;
}

const char* GetTenseName2(int32_t tense) {
    return tense >= 0 && tense < TenseCount ? kTenseNames[tense] + 5 : nullptr;
}

#ifndef FAKE_WITHOUT_TAB_NAME
const char* GetTabName(int32_t tab) { return tab >= 0 && tab < TabCount ? kTabNames[tab] : nullptr; }
#endif

const char* GetLanguage(void) { return "French"; }

int32_t GetLanguageVersion(void) { return 1; }

bool GetQuestion(int32_t, int32_t, char* buffer) {
    if (buffer) buffer[0] = '\0';
    return false;
}

bool ConjugateVerb(int32_t verbIndex, bool suppressPlaceholders, bool* hasAlternate,
                   bool* canBePronominal, bool* useAlternate, bool* pronominal,
                   char* alternateLabels, char** forms) {
    if (verbIndex < 0 || verbIndex >= kVerbCount || !forms) return false;
    const FakeVerb& verb = kVerbs[verbIndex];
    *canBePronominal = verb.pronominal;
    if (!verb.pronominal) *pronominal = false;
    *hasAlternate = verb.labels != nullptr;
    if (!*hasAlternate) *useAlternate = false;
    if (verb.labels && alternateLabels) {
        size_t first = std::strlen(verb.labels);
        std::memcpy(alternateLabels, verb.labels, first + 1);
        std::strcpy(alternateLabels + first + 1, verb.labels + first + 1);
    }
    const char* variant = *useAlternate ? "y" : "";
    for (int tense = 0; tense < 15; ++tense) {
        for (int person = 0; person < 6; ++person) {
            char* out = forms[tense * 6 + person];
            if (verb.impersonal && person != 2) {
                out[0] = '\0';
                continue;
            }
            if (tense == 14) {
                out[0] = '\0';
                continue;
            }
            if (*pronominal)
                std::snprintf(out, FormBufferSize, "%s %s %s%s%s%d", kPronouns[person],
                              kReflexive[person], verb.stem, variant, kEndings[person], tense);
            else
                std::snprintf(out, FormBufferSize, "%s %s%s%s%d", kPronouns[person], verb.stem,
                              variant, kEndings[person], tense);
        }
    }
    std::snprintf(forms[84], FormBufferSize, "%s%se", verb.stem, variant);
    std::snprintf(forms[85], FormBufferSize, "%s%sons", verb.stem, variant);
    std::snprintf(forms[86], FormBufferSize, "%s%sez", verb.stem, variant);
    forms[87][0] = forms[88][0] = forms[89][0] = '\0';
    std::snprintf(forms[90], FormBufferSize, "%sant", verb.stem);
    std::snprintf(forms[91], FormBufferSize, "%s\xE9", verb.stem);
    std::snprintf(forms[92], FormBufferSize, "ayant %s\xE9", verb.stem);
    if (*pronominal)
        std::snprintf(forms[93], FormBufferSize, "se %s", verb.infinitive);
    else
        std::snprintf(forms[93], FormBufferSize, "%s", verb.infinitive);
    (void)suppressPlaceholders;
    return true;
}

void Find(const char*, int32_t, SearchResultList** result) {
    if (result) *result = nullptr;
}

void FreeSearchPtr(SearchResultList*) {}

void SetSearchProgressHwnd(HWND) {}

}  // extern "C"
