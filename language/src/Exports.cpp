// The module's exported lookups: verbs, definitions, names, identity.
#include <cstring>

#include "Conjugator.h"
#include "Database.h"
#include "LanguageModuleAbi.h"

namespace {

// "\blue" is markup for the program: the rest of the line is drawn in blue.
const char* const kTenseNames[TenseCount] = {
    "\\bluePr\xE9sent",
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
    "\\blueInfinitif",
};
constexpr int kMarkupLength = 5;

const char* const kTabNames[TabCount] = {"Indicatif", "Compos\xE9", "Subjonctif", "Conditionnel/Participe"};

}  // namespace

extern "C" {

int32_t GetVerbCount(void) { return french::Db.verbCount; }

const char* GetVerb(int32_t verbIndex) {
    return french::IsVerbIndex(verbIndex) ? french::Infinitive(verbIndex) : nullptr;
}

const char* GetEnglishDefinition(int32_t verbIndex, bool pronominal) {
    if (!french::IsVerbIndex(verbIndex)) return nullptr;
    const char* plain = french::PlainDefinition(verbIndex);
    if (!plain || !pronominal) return plain;
    return plain + std::strlen(plain) + 1;
}

const char* GetTenseName(int32_t tense) {
    return tense >= 0 && tense < TenseCount ? kTenseNames[tense] : nullptr;
}

const char* GetTenseName2(int32_t tense) {
    return tense >= 0 && tense < TenseCount ? kTenseNames[tense] + kMarkupLength : nullptr;
}

const char* GetTabName(int32_t tab) { return tab >= 0 && tab < TabCount ? kTabNames[tab] : nullptr; }

const char* GetLanguage(void) { return "French"; }

int32_t GetLanguageVersion(void) { return 1; }

bool GetQuestion(int32_t verbIndex, int32_t slot, char* buffer) {
    if (!buffer || !french::IsVerbIndex(verbIndex) || slot < 0 || slot >= FormSlotCount) return false;
    std::memcpy(buffer, "Question", sizeof "Question");
    return true;
}

bool ConjugateVerb(int32_t verbIndex, bool suppressPlaceholders, bool* hasAlternate, bool* canBePronominal,
                   bool* useAlternate, bool* pronominal, char* alternateLabels, char** forms) {
    return french::Conjugate(verbIndex, suppressPlaceholders, hasAlternate, canBePronominal, useAlternate,
                             pronominal, alternateLabels, forms);
}

}  // extern "C"
