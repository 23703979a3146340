// The binary interface of a language module (French.ldl).
//
// Plain C functions exported by name; the program binds them at run time.
// All text is Windows-1252, NUL-terminated, owned by the module unless said
// otherwise. This header is the only thing the module and the program share.
#pragma once

#include <stdint.h>

#include "platform/MessageTarget.h"

#ifdef __cplusplus
extern "C" {
#endif

struct SearchResultList {
    char** texts;     // one result text per entry, each allocated to its length
    int32_t* values;  // bits 0-23 verb index, bit 24 pronominal, bit 25 second variant
    int32_t count;
    int32_t capacity;
};

// Search flags of Find.
enum {
    SearchForms = 1 << 0,
    SearchDefinitions = 1 << 1,
    WholeWord = 1 << 2,
};

// Result value bits.
enum {
    ResultVerbIndexMask = 0x00FFFFFF,
    ResultPronominal = 1 << 24,
    ResultAlternate = 1 << 25,
};

// The form set filled by ConjugateVerb.
enum {
    FormSlotCount = 94,
    FormBufferSize = 50,       // the minimum size of each caller buffer
    ImperativeSlot = 84,       // 84-86 tu, nous, vous; 87-89 always empty
    PresentParticipleSlot = 90,
    PastParticipleSlot = 91,
    CompoundParticipleSlot = 92,
    InfinitiveSlot = 93,
    TenseCount = 18,
    TabCount = 4,
    AlternateLabelsMinSize = 6,
};

typedef int32_t (*GetVerbCountFn)(void);
typedef const char* (*GetVerbFn)(int32_t verbIndex);
typedef const char* (*GetEnglishDefinitionFn)(int32_t verbIndex, bool pronominal);
typedef const char* (*GetTenseNameFn)(int32_t tense);
typedef const char* (*GetTenseName2Fn)(int32_t tense);
typedef const char* (*GetTabNameFn)(int32_t tab);
typedef const char* (*GetLanguageFn)(void);
typedef int32_t (*GetLanguageVersionFn)(void);
typedef bool (*GetQuestionFn)(int32_t verbIndex, int32_t slot, char* buffer);
typedef bool (*ConjugateVerbFn)(int32_t verbIndex, bool suppressPlaceholders, bool* hasAlternate,
                                bool* canBePronominal, bool* useAlternate, bool* pronominal,
                                char* alternateLabels, char** forms);
typedef void (*FindFn)(const char* pattern, int32_t flags, struct SearchResultList** result);
typedef void (*FreeSearchPtrFn)(struct SearchResultList* list);
typedef void (*SetSearchProgressHwndFn)(HWND window);

#ifdef PLIMO_BUILDING_MODULE
#define PLIMO_EXPORT __attribute__((visibility("default")))
int32_t PLIMO_EXPORT GetVerbCount(void);
const char* PLIMO_EXPORT GetVerb(int32_t verbIndex);
const char* PLIMO_EXPORT GetEnglishDefinition(int32_t verbIndex, bool pronominal);
const char* PLIMO_EXPORT GetTenseName(int32_t tense);
const char* PLIMO_EXPORT GetTenseName2(int32_t tense);
const char* PLIMO_EXPORT GetTabName(int32_t tab);
const char* PLIMO_EXPORT GetLanguage(void);
int32_t PLIMO_EXPORT GetLanguageVersion(void);
bool PLIMO_EXPORT GetQuestion(int32_t verbIndex, int32_t slot, char* buffer);
bool PLIMO_EXPORT ConjugateVerb(int32_t verbIndex, bool suppressPlaceholders, bool* hasAlternate,
                                bool* canBePronominal, bool* useAlternate, bool* pronominal,
                                char* alternateLabels, char** forms);
void PLIMO_EXPORT Find(const char* pattern, int32_t flags, struct SearchResultList** result);
void PLIMO_EXPORT FreeSearchPtr(struct SearchResultList* list);
void PLIMO_EXPORT SetSearchProgressHwnd(HWND window);
#endif

#ifdef __cplusplus
}
#endif
