/* The binary interface of a language module (French.ldl).
 *
 * Plain C functions exported by name; a program loads the module at run time
 * and binds them by name through the pointer types below. This header is
 * the only thing the module and its callers share. It compiles as C89, C99,
 * C11 and C++, and needs nothing but the C library's headers (and
 * <windows.h> on Windows, for HWND).
 *
 * Text: every text, in either direction, is Windows-1252, NUL-terminated.
 * Texts returned by the module point into its own read-only data: they stay
 * valid while the module is loaded, and the caller never frees or changes
 * them. Buffers passed in are owned by the caller.
 *
 * Failure: a null pointer or a number out of range gives null, 0 or false
 * (each function says which) and writes nothing; no function reports errors
 * otherwise. Buffers too small for what a function says it writes are the
 * caller's fault and are not detected.
 *
 * Threads: every function may be called from several threads at once. The
 * database is read-only, ConjugateVerb writes only the caller's buffers, and
 * each Find works on a list and buffers of its own. The one shared setting is
 * the progress target of SetSearchProgressHwnd: there is one for the whole
 * module, every form search reports to the target set last, and it calls the
 * target on the searching thread. A program that searches on several threads
 * either leaves the target null or makes its target safe to call from them.
 */
#ifndef PLIMO_LANGUAGE_MODULE_ABI_H
#define PLIMO_LANGUAGE_MODULE_ABI_H

#include <stdint.h>

/* bool is one byte that holds 0 or 1, as C++'s bool and C99's _Bool are on
 * every platform the module is built for. C89 has no such type: there it is
 * an unsigned char, and a C89 caller passes and stores only 0 or 1. */
#ifndef __cplusplus
#if defined(__STDC_VERSION__) && __STDC_VERSION__ >= 199901L
#include <stdbool.h>
#else
typedef unsigned char bool;
#endif
#endif

/* The window of SetSearchProgressHwnd. On Windows a real window; elsewhere a
 * pointer to a message target, to which the module "sends" a message by
 * calling its send function synchronously, on the searching thread. The
 * program's platform layer defines the same target (platform/MessageTarget.h)
 * under the same guard, so the two headers may be included together. */
#ifdef _WIN32
#include <windows.h>
#elif !defined(PLIMO_MESSAGE_TARGET_DEFINED)
#define PLIMO_MESSAGE_TARGET_DEFINED
#ifdef __cplusplus
extern "C" {
#endif
struct MessageTarget {
    intptr_t (*send)(struct MessageTarget* target, uint32_t message, uintptr_t wParam, intptr_t lParam);
};
#ifdef __cplusplus
}
#endif
typedef struct MessageTarget* HWND;
enum { WM_USER = 0x0400 };
#endif

/* What the module's functions are declared with when it is built: exported
 * from the DLL on Windows, of default visibility with GCC and Clang (the
 * module builds everything else hidden). */
#ifndef PLIMO_EXPORT
#if defined(_WIN32) || defined(__CYGWIN__)
#define PLIMO_EXPORT __declspec(dllexport)
#elif defined(__GNUC__) && __GNUC__ >= 4
#define PLIMO_EXPORT __attribute__((visibility("default")))
#else
#define PLIMO_EXPORT
#endif
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* The result of Find: allocated by the module, given back to it with
 * FreeSearchPtr; the caller reads it and changes nothing. */
struct SearchResultList {
    char** texts;     /* count texts: a form search gives "form TAB infinitive
                         TAB tense" (tense in decimal, see the tense indices);
                         a definition search "definition TAB infinitive" */
    int32_t* values;  /* count values: bits 0-23 verb index, bit 24
                         pronominal, bit 25 second variant (ResultVerbIndexMask,
                         ResultPronominal, ResultAlternate) */
    int32_t count;    /* 0 to MaxSearchResults */
    int32_t capacity; /* entries allocated; of no use to the caller */
};

/* Search flags of Find (and of LookupForm, below). */
enum {
    SearchForms = 1 << 0,
    SearchDefinitions = 1 << 1,
    WholeWord = 1 << 2,
    IgnoreAccents = 1 << 3, /* case and accents folded: a, c, e, i, o, u, y, oe, ae */
    LookupPrefix = 1 << 4   /* LookupForm only: the text may be the start of the word */
};

/* Result value bits. */
enum {
    ResultVerbIndexMask = 0x00FFFFFF,
    ResultPronominal = 1 << 24,
    ResultAlternate = 1 << 25,
    ResultSuggestion = 1 << 26, /* LookupForm: nothing matched; one edit away */
    ResultFolded = 1 << 27      /* LookupForm: matched only once folded */
};

/* The form set filled by ConjugateVerb: slot s < PersonalSlotCount is tense
 * s / PersonCount, person s % PersonCount (je, tu, il, nous, vous, ils);
 * then the imperative, the participles and the infinitive. An empty slot is
 * a form that does not exist. The tense indices are those that
 * GetTenseName names and form-search results give. One enum, so that C++
 * may do arithmetic across slots and tenses without a warning. */
enum {
    FormSlotCount = 94,
    FormBufferSize = 50, /* the minimum size of each caller buffer */
    ImperativeSlot = 84, /* 84-86 tu, nous, vous; 87-89 always empty */
    PresentParticipleSlot = 90,
    PastParticipleSlot = 91,
    CompoundParticipleSlot = 92,
    InfinitiveSlot = 93,
    TenseCount = 18,
    TabCount = 4,
    AlternateLabelsMinSize = 6,
    PersonCount = 6,
    SimpleTenseCount = 7,                                 /* tenses 0-6; 7-13 are their compound tenses */
    PersonalTenseCount = 14,                              /* tenses 0-13, PersonCount slots each */
    PersonalSlotCount = PersonalTenseCount * PersonCount, /* slots 0-83 */
    ImperativeTense = 14,                                 /* slots ImperativeSlot to +5 */
    ImperativeFormCount = 3,                              /* tu, nous, vous */
    PastParticipleTense = 15,                             /* PastParticipleSlot, CompoundParticipleSlot */
    PresentParticipleTense = 16,                          /* PresentParticipleSlot */
    InfinitiveTense = 17                                  /* InfinitiveSlot */
};

/* The most entries one Find returns. */
enum { MaxSearchResults = 200 };

/* GetVerbCount: the number of verbs, each named by its index from 0 to
 * count - 1 (infinitives repeat: the index, not the name, is the verb). 0
 * when the module's data failed its check at load; every function that takes
 * a verb index then fails. */
typedef int32_t (*GetVerbCountFn)(void);
/* GetVerb: the verb's infinitive; null unless 0 <= verbIndex < count. */
typedef const char* (*GetVerbFn)(int32_t verbIndex);
/* GetEnglishDefinition: the verb's plain definition, or with `pronominal` the
 * pronominal one that follows it (may be "", never null when the verb has a
 * plain one); null for a verb without definitions or an index outside
 * 0 <= verbIndex < count. At most 255 characters. The definitions live in
 * two pools of the database (blobs 202 and 206, selected per verb by bit 20
 * of its VerbInfo word); the caller sees no difference. */
typedef const char* (*GetEnglishDefinitionFn)(int32_t verbIndex, bool pronominal);
/* GetTenseName: the tense's heading, with the five characters of markup
 * "\blue" before it (the program shows the rest in blue); null unless
 * 0 <= tense < TenseCount. */
typedef const char* (*GetTenseNameFn)(int32_t tense);
/* GetTenseName2: the same heading without its markup, such as "Présent";
 * null unless 0 <= tense < TenseCount. */
typedef const char* (*GetTenseName2Fn)(int32_t tense);
/* GetTabName: the name of a tab of the tabbed layout; null unless
 * 0 <= tab < TabCount. */
typedef const char* (*GetTabNameFn)(int32_t tab);
/* GetLanguage: the language's name, "French". */
typedef const char* (*GetLanguageFn)(void);
/* GetLanguageVersion: 1 while the thirteen exports keep these contracts;
 * exports added later are found by name and do not change it. */
typedef int32_t (*GetLanguageVersionFn)(void);
/* GetQuestion: copies "Question" with its NUL (9 bytes) into `buffer` and
 * returns true when buffer is not null, 0 <= verbIndex < count and
 * 0 <= slot < FormSlotCount; otherwise returns false and writes nothing.
 * Kept for the interface's sake; the program does not call it. */
typedef bool (*GetQuestionFn)(int32_t verbIndex, int32_t slot, char* buffer);
/* ConjugateVerb: fills the form set of one verb.
 *   verbIndex             0 <= verbIndex < count.
 *   suppressPlaceholders  false for display; true leaves out the texts
 *                         "N'existe pas" and "pas d'impératif" that stand in
 *                         for missing tenses and imperatives (a present
 *                         participle that does not exist still reads
 *                         "N'existe pas").
 *   hasAlternate          written: the verb has two variants.
 *   canBePronominal       written: the verb has a pronominal form.
 *   useAlternate          read: false the first variant, true the second.
 *   pronominal            read and written: the form asked for, and the form
 *                         given (false for a verb without a pronominal form,
 *                         true for one that exists only in it).
 *   alternateLabels       may be null; else at least AlternateLabelsMinSize
 *                         bytes. When the verb has two variants it receives
 *                         their labels as two NUL-terminated texts in the
 *                         order of the variants; otherwise it is untouched.
 *                         For the auxiliaries the order follows the verb's
 *                         main use: "A", "E" for most verbs (j'ai vieilli),
 *                         "E", "A" for the verbs of movement (je suis
 *                         entré); a verb with two paradigms gives their
 *                         labels ("I", "Y"; "IE", "OI").
 *   forms                 FormSlotCount pointers to caller buffers of at
 *                         least FormBufferSize bytes each; the module may
 *                         write anywhere in those bytes and never past them,
 *                         and each slot ends up NUL-terminated (a longer form
 *                         would be cut).
 * Returns true with every output written; false, with nothing written, when
 * verbIndex is out of range or forms, one of its pointers or one of the four
 * flag pointers is null. Allocates nothing. */
typedef bool (*ConjugateVerbFn)(int32_t verbIndex, bool suppressPlaceholders, bool* hasAlternate,
                                bool* canBePronominal, bool* useAlternate, bool* pronominal,
                                char* alternateLabels, char** forms);
/* Find: searches every conjugated form of every verb (in each of its forms
 * and variants) or every English definition for `pattern`, and stores a new
 * list in *result: at most MaxSearchResults entries, in verb-index order.
 *   flags   SearchForms or SearchDefinitions (both: the forms' matches
 *           first), with WholeWord to match only where the pattern stands
 *           alone; other bits are ignored. Matching is exact: case and
 *           accents count.
 * The list is empty when nothing matches; *result is null when not even an
 * empty list could be allocated, and an entry that cannot be allocated is
 * left out. Nothing is written when pattern or result is null. The caller
 * gives the list back with FreeSearchPtr, never with free(). A form search
 * sends the progress target WM_USER some twenty times, wParam the percentage
 * done (0-100), lParam 0. */
typedef void (*FindFn)(const char* pattern, int32_t flags, struct SearchResultList** result);
/* FreeSearchPtr: frees a list that Find of this module returned, once; null
 * is ignored. */
typedef void (*FreeSearchPtrFn)(struct SearchResultList* list);
/* SetSearchProgressHwnd: the target that form searches report progress to,
 * from now on; null for none. The target must stay usable while a search may
 * call it (see Threads above). */
typedef void (*SetSearchProgressHwndFn)(HWND window);

/* The module's own declarations of the exports above, for building it (or a
 * module that stands in for it). */
#ifdef PLIMO_BUILDING_MODULE
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

/* LookupForm, an optional export: a program binds it if the module has it.
 * It lists every place where `text` is the verb's own word of a form: the
 * slot's last word without pronouns, reflexive pronouns, auxiliaries and
 * the imperative's pronoun suffix ("fûmes" in "nous fûmes", "lave" in
 * "lave-toi"); the past participle "placé, ée" holds placé, placée, placés
 * and placées. Flags: IgnoreAccents, LookupPrefix.
 * Result: a list as Find's, freed by FreeSearchPtr; an empty text, one of
 * 64 bytes or more, or no match and no suggestion give a list of 0
 * entries; a null text or result pointer, nothing at all (*result is left
 * as it was); failing to allocate, a null list.
 * Each entry's text is the slot's form, the infinitive as in slot 93, the
 * tense, the slot number and the word matched, separated by tabs
 * ("nous fûmes\têtre\t2\t15\tfûmes"); its value has the bits of Find, and
 * ResultFolded or ResultSuggestion. Order: exact matches first, then folded
 * ones; within each, the verbs a learner meets most, then the verb index;
 * each verb, form and slot once; no limit for exact matches.
 * Threads: any; the first call builds an index (some tens of milliseconds)
 * once, later calls take well under a millisecond. */
enum {
    LookupPrefixLimit = 200,   /* the most entries of a prefix lookup */
    LookupSuggestionLimit = 50 /* the most suggestions */
};
typedef void (*LookupFormFn)(const char* text, int32_t flags, struct SearchResultList** result);
#ifdef PLIMO_BUILDING_MODULE
PLIMO_EXPORT void LookupForm(const char* text, int32_t flags, struct SearchResultList** result);
#endif

/* GetVerbRank, an optional export: a program binds it if the module has it.
 * The verb's place among the verbs a learner meets first, the most often
 * met first: 1 for être, then 2, 3 ... without gaps up to the number of
 * verbs ranked, each place held by one verb. Only the module's list of
 * frequent verbs is ranked, about a hundred (of two verbs spelled alike,
 * only the first: "sortir", not the legal sense after it); every other
 * verb gives 0, as does a verbIndex outside 0 <= verbIndex < count. A
 * program lists the first N verbs by asking every verb its place. Nothing
 * is allocated for the caller. Threads: any; the first call works the
 * ranking out (a few milliseconds) once, later calls only read it. */
typedef int32_t (*GetVerbRankFn)(int32_t verbIndex);
#ifdef PLIMO_BUILDING_MODULE
PLIMO_EXPORT int32_t GetVerbRank(int32_t verbIndex);
#endif

#ifdef __cplusplus
}
#endif

#endif
