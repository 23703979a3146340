// A small language module for the binding tests: five verbs, a few
// definitions, an icon. Built once whole (FakeFull.ldl) and once per entry
// point without that export (FakeNo<Name>.ldl), to test the rejection path.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "LanguageModuleAbi.h"
#include "platform/ResourceDirectory.h"

namespace {

const char* const Verbs[] = {"abaisser", "placer", "saillir", "saillir", "aller"};
const char* const Plain[] = {"to lower", "to place", "to jut out", nullptr, nullptr};
const char* const Pronominal[] = {"to be lowered", "", "", nullptr, nullptr};
constexpr int32_t Count = 5;

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

HWND progressWindow = nullptr;

const unsigned char IconFile[] = {0, 0, 1, 0, 1, 0, 16, 16};
const unsigned char BitmapData[] = {40, 0, 0, 0};
const ResourceEntry Entries[] = {
    {"ICON", 10000, IconFile, sizeof IconFile},
    {"BITMAP", 10001, BitmapData, sizeof BitmapData},
};

}  // namespace

#define EXPORT extern "C" __attribute__((visibility("default")))

EXPORT const ResourceDirectory PlimoResourceDirectory = {2, Entries};

#ifndef OMIT_GetVerbCount
EXPORT int32_t GetVerbCount(void) { return Count; }
#endif

#ifndef OMIT_GetVerb
EXPORT const char* GetVerb(int32_t i) { return i >= 0 && i < Count ? Verbs[i] : nullptr; }
#endif

#ifndef OMIT_GetEnglishDefinition
EXPORT const char* GetEnglishDefinition(int32_t i, bool pronominal) {
    if (i < 0 || i >= Count) return nullptr;
    return pronominal ? Pronominal[i] : Plain[i];
}
#endif

#ifndef OMIT_GetTenseName
EXPORT const char* GetTenseName(int32_t t) { return t >= 0 && t < TenseCount ? TenseNames[t] : nullptr; }
#endif

#ifndef OMIT_GetTenseName2
EXPORT const char* GetTenseName2(int32_t t) { return t >= 0 && t < TenseCount ? TenseNames[t] + 5 : nullptr; }
#endif

#ifndef OMIT_GetTabName
EXPORT const char* GetTabName(int32_t tab) {
    static const char* const names[] = {"Indicatif", "Compos\xE9", "Subjonctif", "Conditionnel/Participe"};
    return tab >= 0 && tab < TabCount ? names[tab] : nullptr;
}
#endif

#ifndef OMIT_GetLanguage
EXPORT const char* GetLanguage(void) { return "Fake"; }
#endif

#ifndef OMIT_GetLanguageVersion
EXPORT int32_t GetLanguageVersion(void) { return 1; }
#endif

#ifndef OMIT_GetQuestion
EXPORT bool GetQuestion(int32_t i, int32_t slot, char* buffer) {
    if (i < 0 || i >= Count || slot < 0 || slot >= FormSlotCount) return false;
    std::strcpy(buffer, "Question");
    return true;
}
#endif

#ifndef OMIT_ConjugateVerb
// Every slot holds "<slot> <infinitive>", slot 93 the infinitive; "aller"
// has a pronominal form and an alternate.
EXPORT bool ConjugateVerb(int32_t i, bool, bool* hasAlternate, bool* canBePronominal, bool* useAlternate,
                          bool* pronominal, char* labels, char** forms) {
    if (forms == nullptr || i < 0 || i >= Count) return false;
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
    if (pattern == nullptr) return;
    auto* list = static_cast<SearchResultList*>(std::calloc(1, sizeof(SearchResultList)));
    *result = list;
    if (progressWindow) progressWindow->send(progressWindow, WM_USER, 0, 0);
    for (int32_t i = 0; i < Count && (flags & SearchForms); ++i) {
        if (std::strstr(Verbs[i], pattern) == nullptr) continue;
        if (list->count == list->capacity) {
            list->capacity += 10;
            list->texts = static_cast<char**>(std::realloc(list->texts, list->capacity * sizeof(char*)));
            list->values =
                static_cast<int32_t*>(std::realloc(list->values, list->capacity * sizeof(int32_t)));
        }
        char text[64];
        std::snprintf(text, sizeof text, "%s\t%s\t17", Verbs[i], Verbs[i]);
        list->texts[list->count] = strdup(text);
        list->values[list->count] = i;
        ++list->count;
    }
    if (progressWindow) progressWindow->send(progressWindow, WM_USER, 100, 0);
}
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
EXPORT void SetSearchProgressHwnd(HWND window) { progressWindow = window; }
#endif
