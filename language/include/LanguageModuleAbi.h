// The binary interface of a language module (French.ldl).
//
// Plain C functions exported by name; the program binds them at run time.
// All text is Windows-1252, NUL-terminated, owned by the module unless said
// otherwise. This header is the only thing the module and the program share.
//
// Threads: every function may be called from several threads at once. The
// database is read-only, ConjugateVerb writes only the caller's buffers, and
// each Find works on a list and buffers of its own. The one shared setting is
// the progress target of SetSearchProgressHwnd: there is one for the whole
// module, every form search reports to the target set last, and it calls the
// target on the searching thread. A program that searches on several threads
// either leaves the target null or makes its target safe to call from them.
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
// GetEnglishDefinition: the verb's plain definition, or with `pronominal` the
// pronominal one that follows it (may be ""); null for a verb without
// definitions or an index out of range. The definitions live in two pools of
// the database (blobs 202 and 206, selected per verb by bit 20 of its
// VerbInfo word); the caller sees no difference.
typedef const char* (*GetEnglishDefinitionFn)(int32_t verbIndex, bool pronominal);
typedef const char* (*GetTenseNameFn)(int32_t tense);
typedef const char* (*GetTenseName2Fn)(int32_t tense);
typedef const char* (*GetTabNameFn)(int32_t tab);
typedef const char* (*GetLanguageFn)(void);
typedef int32_t (*GetLanguageVersionFn)(void);
typedef bool (*GetQuestionFn)(int32_t verbIndex, int32_t slot, char* buffer);
// ConjugateVerb: alternateLabels receives the two variant labels in the order
// of the variants, and useAlternate selects the second. For the auxiliaries
// the order follows the verb's main use: "A", "E" for most verbs (j'ai
// vieilli), "E", "A" for the verbs of movement (je suis entré).
typedef bool (*ConjugateVerbFn)(int32_t verbIndex, bool suppressPlaceholders, bool* hasAlternate,
                                bool* canBePronominal, bool* useAlternate, bool* pronominal,
                                char* alternateLabels, char** forms);
typedef void (*FindFn)(const char* pattern, int32_t flags, struct SearchResultList** result);
typedef void (*FreeSearchPtrFn)(struct SearchResultList* list);
typedef void (*SetSearchProgressHwndFn)(HWND window);

#ifdef PLIMO_BUILDING_MODULE
#define PLIMO_EXPORT __attribute__((visibility("default")))
PLIMO_EXPORT int32_t GetVerbCount(void);
PLIMO_EXPORT const char* GetVerb(int32_t verbIndex);
PLIMO_EXPORT const char* GetEnglishDefinition(int32_t verbIndex, bool pronominal);
PLIMO_EXPORT const char* GetTenseName(int32_t tense);
PLIMO_EXPORT const char* GetTenseName2(int32_t tense);
PLIMO_EXPORT const char* GetTabName(int32_t tab);
PLIMO_EXPORT const char* GetLanguage(void);
PLIMO_EXPORT int32_t GetLanguageVersion(void);
PLIMO_EXPORT bool GetQuestion(int32_t verbIndex, int32_t slot, char* buffer);
PLIMO_EXPORT bool ConjugateVerb(int32_t verbIndex, bool suppressPlaceholders, bool* hasAlternate,
                                bool* canBePronominal, bool* useAlternate, bool* pronominal,
                                char* alternateLabels, char** forms);
PLIMO_EXPORT void Find(const char* pattern, int32_t flags, struct SearchResultList** result);
PLIMO_EXPORT void FreeSearchPtr(struct SearchResultList* list);
PLIMO_EXPORT void SetSearchProgressHwnd(HWND window);
#endif

// LookupForm, an optional export: a program binds it if the module has it.
// It lists every place where `text` is the verb's own word of a form: the
// slot's last word without pronouns, reflexive pronouns, auxiliaries and
// the imperative's pronoun suffix ("fûmes" in "nous fûmes", "lave" in
// "lave-toi"); the past participle "placé, ée" holds placé, placée, placés
// and placées. Each entry's text is the slot's form, the infinitive as in
// slot 93, the tense, the slot number and the word matched, separated by
// tabs ("nous fûmes\têtre\t2\t21\tfûmes"); its value has the bits of Find
// and ResultFolded when the word matched only once folded, ResultSuggestion
// when nothing matched and the entry is one edit away. Exact matches come
// first, then folded ones; within each, the verbs a learner meets most, then
// the verb index; each verb, form and slot once. The list is freed by
// FreeSearchPtr. The first call builds an index (some tens of milliseconds);
// later calls take well under a millisecond, from any thread.
enum {
    IgnoreAccents = 1 << 3,  // also a flag of Find: case and accents folded
    LookupPrefix = 1 << 4,   // text may be the start of the word
    ResultSuggestion = 1 << 26,
    ResultFolded = 1 << 27,
    LookupPrefixLimit = 200,      // the most entries of a prefix lookup
    LookupSuggestionLimit = 50,   // the most suggestions
};
typedef void (*LookupFormFn)(const char* text, int32_t flags, struct SearchResultList** result);
#ifdef PLIMO_BUILDING_MODULE
PLIMO_EXPORT void LookupForm(const char* text, int32_t flags, struct SearchResultList** result);
#endif

#ifdef __cplusplus
}
#endif
