/* The module's interface header seen from C. The build compiles this file as
 * C89 and as C11, pedantic, with warnings as errors, once as a loader sees
 * the header and once as the module does (PLIMO_BUILDING_MODULE); the
 * loader's builds are then driven against the real module from
 * AbiFromCTest.cpp. ABI_C_SUFFIX names the build (_c90, _c11). */
#include <string.h>

#include "LanguageModuleAbi.h"

#define ABI_C_PASTE(name, suffix) name##suffix
#define ABI_C_JOIN(name, suffix) ABI_C_PASTE(name, suffix)
#define ABI_C_NAME(name) ABI_C_JOIN(name, ABI_C_SUFFIX)

/* Numbers other programs are built against: changing one breaks them. An
 * array of negative size stops the build. */
#define ABI_C_CHECK(name, condition) typedef char ABI_C_NAME(name)[(condition) ? 1 : -1]
ABI_C_CHECK(BoolIsOneByte, sizeof(bool) == 1);
ABI_C_CHECK(FormSet, FormSlotCount == 94 && FormBufferSize == 50 && PersonCount == 6);
ABI_C_CHECK(Slots, PersonalSlotCount == 84 && ImperativeSlot == 84 && PresentParticipleSlot == 90 &&
                       PastParticipleSlot == 91 && CompoundParticipleSlot == 92 && InfinitiveSlot == 93);
ABI_C_CHECK(Tenses, TenseCount == 18 && TabCount == 4 && SimpleTenseCount == 7 && PersonalTenseCount == 14 &&
                        ImperativeTense == 14 && PastParticipleTense == 15 && PresentParticipleTense == 16 &&
                        InfinitiveTense == 17 && ImperativeFormCount == 3);
ABI_C_CHECK(Search, SearchForms == 1 && SearchDefinitions == 2 && WholeWord == 4 && MaxSearchResults == 200);
ABI_C_CHECK(ResultBits,
            ResultVerbIndexMask == 0xFFFFFF && ResultPronominal == 0x1000000 && ResultAlternate == 0x2000000);
ABI_C_CHECK(Labels, AlternateLabelsMinSize == 6);

#ifdef PLIMO_BUILDING_MODULE

/* The module's declarations have the types that loaders bind them with. */
struct DeclaredExports {
    GetVerbCountFn getVerbCount;
    GetVerbFn getVerb;
    GetEnglishDefinitionFn getEnglishDefinition;
    GetTenseNameFn getTenseName;
    GetTenseName2Fn getTenseName2;
    GetTabNameFn getTabName;
    GetLanguageFn getLanguage;
    GetLanguageVersionFn getLanguageVersion;
    GetQuestionFn getQuestion;
    ConjugateVerbFn conjugateVerb;
    FindFn find;
    FreeSearchPtrFn freeSearchPtr;
    SetSearchProgressHwndFn setSearchProgressHwnd;
};

const struct DeclaredExports ABI_C_NAME(declaredExports) = {
    GetVerbCount, GetVerb,       GetEnglishDefinition, GetTenseName, GetTenseName2,
    GetTabName,   GetLanguage,   GetLanguageVersion,   GetQuestion,  ConjugateVerb,
    Find,         FreeSearchPtr, SetSearchProgressHwnd};

#else

int ABI_C_NAME(ConjugateFromC)(ConjugateVerbFn conjugate, int32_t verbIndex, int alternate, int pronominal,
                               char (*buffers)[FormBufferSize], char* labels, int* outputs);
intptr_t ABI_C_NAME(SendProgressFromC)(HWND window, uintptr_t percent);

/* Conjugates with C's bool. The flags the module writes start as 0xFF bytes,
 * so a bool wider than the module's byte would come back with stray bits.
 * outputs receives hasAlternate, canBePronominal and pronominal as ints. */
int ABI_C_NAME(ConjugateFromC)(ConjugateVerbFn conjugate, int32_t verbIndex, int alternate, int pronominal,
                               char (*buffers)[FormBufferSize], char* labels, int* outputs) {
    bool flags[4];
    char* forms[FormSlotCount];
    int s;
    bool ok;
    for (s = 0; s < FormSlotCount; ++s) forms[s] = buffers[s];
    memset(flags, 0xFF, sizeof flags);
    flags[2] = alternate ? 1 : 0;
    flags[3] = pronominal ? 1 : 0;
    ok = conjugate(verbIndex, 0, &flags[0], &flags[1], &flags[2], &flags[3], labels, forms);
    if (!ok) return 0;
    outputs[0] = flags[0];
    outputs[1] = flags[1];
    outputs[2] = flags[3];
    return 1;
}

/* Reports progress the way the module does, through the header's target. */
intptr_t ABI_C_NAME(SendProgressFromC)(HWND window, uintptr_t percent) {
    return window->send(window, WM_USER, percent, 0);
}

#endif
