// A small language module for the tests, built in several shapes from this
// one file:
// - with FAKE_PROGRAM_VERBS, nine verbs with known properties (variants A/E,
//   I/Y, IE/OI, an impersonal verb, two equal infinitives), conjugated like
//   -er verbs, for the program's tests (FakeFrench.ldl);
// - otherwise five verbs whose forms are "<slot> <infinitive>", a few
//   definitions, an icon and a bitmap, for the binding's and plimo-conj's
//   tests (FakeFull.ldl);
// - with OMIT_<Export>, without that export, to test the rejection path
//   (FakeNo<Export>.ldl, FakeNoTabName.ldl).
#define PLIMO_BUILDING_MODULE
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "LanguageModuleAbi.h"
#include "platform/ResourceDirectory.h"

#define EXPORT extern "C" PLIMO_EXPORT

namespace {

const char* const TenseNames[TenseCount] = {"\\bluePr\xE9sent",
                                            "\\blueImparfait",
                                            "\\bluePass\xE9 Simple",
                                            "\\blueFutur Simple",
                                            "\\bluePr\xE9sent du Subjonctif",
                                            "\\blueImparfait du Subjonctif",
                                            "\\blueConditionnel",
                                            "\\bluePass\xE9 Compos\xE9",
                                            "\\bluePlus-que-parfait",
                                            "\\bluePass\xE9 Ant\xE9rieur",
                                            "\\blueFutur Ant\xE9rieur",
                                            "\\bluePass\xE9 du Subjonctif",
                                            "\\bluePlus-que-parfait du Subjonctif",
                                            "\\blueConditionnel Pass\xE9",
                                            "\\blueImp\xE9ratif",
                                            "\\blueParticipe Pass\xE9",
                                            "\\blueParticipe Pr\xE9sent",
                                            "\\blueInfinitif"};
const char* const TabNames[TabCount] = {"Indicatif", "Compos\xE9", "Subjonctif", "Conditionnel/Participe"};

HWND gProgress = nullptr;
int32_t gLastFindFlags = -1;

// An empty result list with room for `capacity` entries, and one more entry.
[[maybe_unused]] SearchResultList* NewList(int32_t capacity) {
    auto* list = static_cast<SearchResultList*>(std::calloc(1, sizeof(SearchResultList)));
    list->capacity = capacity;
    list->texts = static_cast<char**>(std::calloc(size_t(capacity), sizeof(char*)));
    list->values = static_cast<int32_t*>(std::calloc(size_t(capacity), sizeof(int32_t)));
    return list;
}
[[maybe_unused]] void Append(SearchResultList* list, const char* text, int32_t value) {
    if (list->count >= list->capacity) return;
    list->texts[list->count] = strdup(text);
    list->values[list->count] = value;
    ++list->count;
}

#ifdef FAKE_PROGRAM_VERBS

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
    {"z\xE9"
     "brer",
     "z\xE9"
     "br",
     false, nullptr, false, "to stripe", ""},
    {"\xEA"
     "tre",
     "\xEA"
     "t",
     false, nullptr, false, "to be", ""},
};
constexpr int kVerbCount = sizeof kVerbs / sizeof kVerbs[0];

const char* const kPronouns[6] = {"je", "tu", "il", "nous", "vous", "ils"};
const char* const kReflexive[6] = {"me", "te", "se", "nous", "vous", "se"};
const char* const kEndings[6] = {"e", "es", "e", "ons", "ez", "ent"};

#else

const char* const Verbs[] = {"abaisser", "placer", "saillir", "saillir", "aller"};
const char* const Plain[] = {"to lower", "to place", "to jut out", nullptr, nullptr};
const char* const Pronominal[] = {"to be lowered", "", "", nullptr, nullptr};
constexpr int32_t kVerbCount = 5;

const unsigned char IconFile[] = {0, 0, 1, 0, 1, 0, 16, 16};
const unsigned char BitmapData[] = {40, 0, 0, 0};
const ResourceEntry Entries[] = {
    {"ICON", 10000, IconFile, sizeof IconFile},
    {"BITMAP", 10001, BitmapData, sizeof BitmapData},
};

#endif

}  // namespace

#ifndef FAKE_PROGRAM_VERBS
EXPORT const ResourceDirectory PlimoResourceDirectory = {2, Entries};
#endif

#ifndef OMIT_GetVerbCount
EXPORT int32_t GetVerbCount(void) { return kVerbCount; }
#endif

#ifndef OMIT_GetTenseName
EXPORT const char* GetTenseName(int32_t t) { return t >= 0 && t < TenseCount ? TenseNames[t] : nullptr; }
#endif

#ifndef OMIT_GetTenseName2
EXPORT const char* GetTenseName2(int32_t t) { return t >= 0 && t < TenseCount ? TenseNames[t] + 5 : nullptr; }
#endif

#ifndef OMIT_GetTabName
EXPORT const char* GetTabName(int32_t tab) { return tab >= 0 && tab < TabCount ? TabNames[tab] : nullptr; }
#endif

#ifndef OMIT_GetLanguageVersion
EXPORT int32_t GetLanguageVersion(void) { return 1; }
#endif

#ifndef OMIT_FreeSearchPtr
EXPORT void FreeSearchPtr(SearchResultList* list) {
    if (list == nullptr) return;
    for (int32_t i = 0; i < list->count; ++i) std::free(list->texts[i]);
    std::free(list->texts);
    std::free(list->values);
    std::free(list);
}
#endif

#ifndef OMIT_SetSearchProgressHwnd
EXPORT void SetSearchProgressHwnd(HWND window) { gProgress = window; }
#endif

// For tests: the window the module would send its progress to now, and the
// flags of the last Find.
EXPORT HWND FakeProgressTarget(void) { return gProgress; }
EXPORT int32_t FakeLastFindFlags(void) { return gLastFindFlags; }

#ifdef FAKE_PROGRAM_VERBS

#ifndef OMIT_GetVerb
EXPORT const char* GetVerb(int32_t verbIndex) {
    return verbIndex >= 0 && verbIndex < kVerbCount ? kVerbs[verbIndex].infinitive : nullptr;
}
#endif

#ifndef OMIT_GetEnglishDefinition
EXPORT const char* GetEnglishDefinition(int32_t verbIndex, bool pronominal) {
    if (verbIndex < 0 || verbIndex >= kVerbCount) return nullptr;
    return pronominal ? kVerbs[verbIndex].reflexive : kVerbs[verbIndex].plain;
}
#endif

#ifndef OMIT_GetLanguage
EXPORT const char* GetLanguage(void) { return "French"; }
#endif

#ifndef OMIT_GetQuestion
EXPORT bool GetQuestion(int32_t, int32_t, char* buffer) {
    if (buffer) buffer[0] = '\0';
    return false;
}
#endif

#ifndef OMIT_ConjugateVerb
EXPORT bool ConjugateVerb(int32_t verbIndex, bool suppressPlaceholders, bool* hasAlternate,
                          bool* canBePronominal, bool* useAlternate, bool* pronominal, char* alternateLabels,
                          char** forms) {
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
                std::snprintf(out, FormBufferSize, "%s %s %s%s%s%d", kPronouns[person], kReflexive[person],
                              verb.stem, variant, kEndings[person], tense);
            else
                std::snprintf(out, FormBufferSize, "%s %s%s%s%d", kPronouns[person], verb.stem, variant,
                              kEndings[person], tense);
        }
    }
    std::snprintf(forms[84], FormBufferSize, "%s%se", verb.stem, variant);
    std::snprintf(forms[85], FormBufferSize, "%s%sons", verb.stem, variant);
    std::snprintf(forms[86], FormBufferSize, "%s%sez", verb.stem, variant);
    forms[87][0] = forms[88][0] = forms[89][0] = '\0';
    std::snprintf(forms[90], FormBufferSize, "%sant", verb.stem);
    std::snprintf(forms[91], FormBufferSize, "%s\xE9", verb.stem);
    // As in the real module, a pronominal verb has one past participle.
    if (*pronominal)
        forms[92][0] = '\0';
    else
        std::snprintf(forms[92], FormBufferSize, "ayant %s\xE9", verb.stem);
    if (*pronominal)
        std::snprintf(forms[93], FormBufferSize, "se %s", verb.infinitive);
    else
        std::snprintf(forms[93], FormBufferSize, "%s", verb.infinitive);
    (void)suppressPlaceholders;
    return true;
}
#endif

#ifndef OMIT_Find
// Search: "#N" gives N made-up entries (for titles and sorting); any other
// pattern is looked for in the forms or definitions of the nine verbs.
// A forms search reports its progress in steps of 5 %, 0 to 100.
EXPORT void Find(const char* pattern, int32_t flags, SearchResultList** result) {
    gLastFindFlags = flags;
    if (!result) return;
    *result = nullptr;
    if (!pattern) return;
    SearchResultList* list = NewList(MaxSearchResults);
    auto add = [list](const char* text, int32_t value) { Append(list, text, value); };
    char line[400];
    if (pattern[0] == '#') {
        const int n = std::atoi(pattern + 1);
        for (int i = 0; i < n && i < 200; ++i) {
            if (flags & SearchForms)
                std::snprintf(line, sizeof line, "form%03d\t%s\t%d", i, kVerbs[i % kVerbCount].infinitive,
                              i % 18);
            else
                std::snprintf(line, sizeof line, "definition %03d\t%s", i, kVerbs[i % kVerbCount].infinitive);
            add(line, i % kVerbCount);
        }
    } else if (flags & SearchForms) {
        int reported = -1;
        auto report = [&reported](int percent) {
            for (int step = reported + 5; step <= percent; step += 5) {
                if (gProgress && gProgress->send) gProgress->send(gProgress, WM_USER, uintptr_t(step), 0);
                reported = step;
            }
        };
        reported = -5;
        report(0);
        static char buffers[FormSlotCount][FormBufferSize];
        char* forms[FormSlotCount];
        for (int i = 0; i < FormSlotCount; ++i) forms[i] = buffers[i];
        for (int v = 0; v < kVerbCount; ++v) {
            for (int variant = 0; variant < 4; ++variant) {
                bool pronominal = variant & 1, alternate = variant & 2, has = false, can = false;
                if (pronominal && !kVerbs[v].pronominal) continue;
                if (alternate && !kVerbs[v].labels) continue;
                char labels[16];
                ConjugateVerb(v, false, &has, &can, &alternate, &pronominal, labels, forms);
                for (int slot = 0; slot < InfinitiveSlot; ++slot) {
                    if (!forms[slot][0] || !std::strstr(forms[slot], pattern)) continue;
                    const int tense = slot < 84 ? slot / 6 : slot < 90 ? 14 : slot == 90 ? 16 : 15;
                    std::snprintf(line, sizeof line, "%s\t%s\t%d", forms[slot], kVerbs[v].infinitive, tense);
                    add(line, v | (pronominal ? ResultPronominal : 0) | (alternate ? ResultAlternate : 0));
                }
            }
            report((v + 1) * 100 / kVerbCount);
        }
    } else {
        for (int v = 0; v < kVerbCount; ++v) {
            for (int pronominal = 0; pronominal < 2; ++pronominal) {
                const char* text = pronominal ? kVerbs[v].reflexive : kVerbs[v].plain;
                if (!text[0] || !std::strstr(text, pattern)) continue;
                std::snprintf(line, sizeof line, "%s\t%s", text, kVerbs[v].infinitive);
                add(line, v | (pronominal ? ResultPronominal : 0));
            }
        }
    }
    *result = list;
}
#endif

#else

#ifndef OMIT_GetVerb
EXPORT const char* GetVerb(int32_t i) { return i >= 0 && i < kVerbCount ? Verbs[i] : nullptr; }
#endif

#ifndef OMIT_GetEnglishDefinition
EXPORT const char* GetEnglishDefinition(int32_t i, bool pronominal) {
    if (i < 0 || i >= kVerbCount) return nullptr;
    return pronominal ? Pronominal[i] : Plain[i];
}
#endif

#ifndef OMIT_GetLanguage
EXPORT const char* GetLanguage(void) { return "Fake"; }
#endif

#ifndef OMIT_GetQuestion
EXPORT bool GetQuestion(int32_t i, int32_t slot, char* buffer) {
    if (i < 0 || i >= kVerbCount || slot < 0 || slot >= FormSlotCount) return false;
    std::strcpy(buffer, "Question");
    return true;
}
#endif

#ifndef OMIT_ConjugateVerb
// Every slot holds "<slot> <infinitive>", slot 93 the infinitive; "aller"
// has a pronominal form and an alternate.
EXPORT bool ConjugateVerb(int32_t i, bool, bool* hasAlternate, bool* canBePronominal, bool* useAlternate,
                          bool* pronominal, char* labels, char** forms) {
    if (forms == nullptr || i < 0 || i >= kVerbCount) return false;
    bool isAller = i == 4;
    *hasAlternate = isAller;
    *canBePronominal = isAller;
    if (!isAller) *pronominal = false;
    if (isAller && labels != nullptr) std::memcpy(labels, "A\0E\0", 4);
    for (int s = 0; s < FormSlotCount - 1; ++s) {
        if (s >= 87 && s <= 89) {
            forms[s][0] = '\0';
            continue;
        }
        std::snprintf(forms[s], FormBufferSize, "%s%d %s%s", *pronominal ? "se " : "", s, Verbs[i],
                      *useAlternate && isAller ? " (E)" : "");
    }
    std::snprintf(forms[InfinitiveSlot], FormBufferSize, "%s%s", *pronominal ? "s'en " : "", Verbs[i]);
    return true;
}
#endif

#ifndef OMIT_Find
// One result per verb whose infinitive contains the pattern; progress 0 and
// 100 to the progress window.
EXPORT void Find(const char* pattern, int32_t flags, SearchResultList** result) {
    gLastFindFlags = flags;
    if (pattern == nullptr) return;
    SearchResultList* list = NewList(MaxSearchResults);
    *result = list;
    if (gProgress) gProgress->send(gProgress, WM_USER, 0, 0);
    for (int32_t i = 0; i < kVerbCount && (flags & SearchForms); ++i) {
        if (std::strstr(Verbs[i], pattern) == nullptr) continue;
        char text[64];
        std::snprintf(text, sizeof text, "%s\t%s\t17", Verbs[i], Verbs[i]);
        Append(list, text, i);
    }
    if (gProgress) gProgress->send(gProgress, WM_USER, 100, 0);
}
#endif

#endif
