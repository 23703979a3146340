// ConjugateVerb: one verb of the database into its 94 written forms.
//
// Forms are built in a work area on the stack (stem + ending, auxiliary +
// participle, then pronouns and restrictions) and copied into the caller's
// buffers at the end, never past FormBufferSize bytes. Nothing is allocated.
#include <cstring>
#include <initializer_list>

#include "Conjugator.h"
#include "Database.h"
#include "LanguageModuleAbi.h"

namespace french {
namespace {

constexpr int WorkSize = 96;  // every form the data produces fits with room to spare

// A bounded text in the work area.
struct Form {
    char text[WorkSize];
    int length;

    void Clear() { length = 0; text[0] = 0; }
    void Append(const char* s) {
        while (*s && length < WorkSize - 1) text[length++] = *s++;
        text[length] = 0;
    }
    void Append(const char* s, int n) {
        for (int i = 0; i < n && s[i] && length < WorkSize - 1; ++i) text[length++] = s[i];
        text[length] = 0;
    }
    void Set(const char* s) { Clear(); Append(s); }
    void Prefix(const char* p) {
        const int n = static_cast<int>(std::strlen(p));
        const int keep = length + n < WorkSize ? length : WorkSize - 1 - n;
        std::memmove(text + n, text, static_cast<size_t>(keep));
        std::memcpy(text, p, static_cast<size_t>(n));
        length = keep + n;
        text[length] = 0;
    }
    bool Empty() const { return length == 0; }
};

struct Verb {
    const char* infinitive;
    int infinitiveLength;
    int stemLength;
    const char* caret;   // start of the caret substring in the infinitive
    int caretLength;     // 0: no caret substitution
    bool hAspire;
};

// stem + ending, with each '^' of the ending replaced by the caret substring.
// An empty ending means the form does not exist: nothing is appended.
void AppendStemAndEnding(Form& form, const Verb& verb, const char* ending) {
    if (!*ending) return;
    form.Append(verb.infinitive, verb.stemLength);
    for (const char* e = ending; *e; ++e) {
        if (*e == '^' && verb.caretLength > 0) form.Append(verb.caret, verb.caretLength);
        else if (form.length < WorkSize - 1) {
            form.text[form.length++] = *e;
            form.text[form.length] = 0;
        }
    }
}

// A form elides the pronoun before it ("j'ai", "je m'habille", "s'œuvrer")
// when it starts with a vowel, a mute h, or œ. An h aspiré keeps the full
// pronoun: "je hais", "je me hâte".
bool Elides(const char* form, bool hAspire) {
    switch (static_cast<unsigned char>(*form)) {
    case 'a': case 'e': case 'i': case 'o': case 'u':
    case 0xE2: /* â */ case 0xE9: /* é */ case 0xEA: /* ê */ case 0xF4: /* ô */
    case 0x9C: /* œ */
        return true;
    case 'h':
        return !hAspire;
    default:
        return false;
    }
}

struct KindRule {
    bool pronominal;      // a pronominal form exists
    bool alternate;       // avoir/être variants, labelled A and E
    uint32_t addedFlags;
};

constexpr KindRule kKinds[16] = {
    {false, false, 0},                  // 0 avoir
    {false, true, 0},                   // 1 avoir, être when alternate
    {false, false, 0},                  // 2 être
    {true, false, 0},                   // 3 avoir, être when pronominal
    {true, false, NoAgreement},         // 4
    {true, false, Impersonal},          // 5
    {true, false, 0},                   // 6 être
    {false, false, CaSubject},          // 7
    {true, true, 0},                    // 8 être when pronominal or alternate
    {false, false, Impersonal},         // 9
    {true, true, 0},                    // 10 no agreement when pronominal (below)
    {false, true, Impersonal},          // 11
    {false, true, ThirdPersonOnly},     // 12
    {false, false, ThirdPersonOnly},    // 13
    {true, false, 0},                   // 14 pronominal: impersonal only
    {true, false, 0},                   // 15 pronominal: third persons only
};

bool UsesEtre(int kind, bool pronominal, bool alternate) {
    switch (kind) {
    case 0: case 7: case 9: case 13: return pronominal;  // only a pronominal-only verb gets here pronominal
    case 1: case 11: case 12: return alternate || pronominal;
    case 2: case 6: return true;
    case 8: case 10: return pronominal || alternate;
    default: return pronominal;
    }
}

const char* const kPronouns[6] = {"je ", "tu ", "il ", "nous ", "vous ", "ils "};
const char* const kReflexive[6] = {"je me ", "tu te ", "il se ", "nous nous ", "vous vous ", "ils se "};
const char* const kReflexiveElided[6] = {"je m'", "tu t'", "il s'", "nous nous ", "vous vous ", "ils s'"};
const char* const kReflexiveEn[6] = {"je m'en ", "tu t'en ", "il s'en ", "nous nous en ", "vous vous en ",
                                     "ils s'en "};
const char* const kImperativeReflexive[3] = {"-toi", "-nous", "-vous"};
const char* const kImperativeReflexiveEn[3] = {"-t'en", "-nous-en", "-vous-en"};

const char kNoForm[] = "N'existe pas";
const char kNoImperative[] = "pas d'imp\xE9ratif";

}  // namespace

bool Conjugate(int32_t verbIndex, bool suppressPlaceholders, bool* hasAlternate, bool* canBePronominal,
               bool* useAlternate, bool* pronominal, char* alternateLabels, char** forms) {
    // 1. Arguments.
    if (!forms || !IsVerbIndex(verbIndex) || !hasAlternate || !canBePronominal || !useAlternate || !pronominal)
        return false;
    for (int s = 0; s < FormSlotCount; ++s)
        if (!forms[s]) return false;
    const uint32_t info = VerbInfo(verbIndex);
    const int kind = VerbKind(info);
    int model = VerbModel(info);
    if (model >= Db.modelCount) return false;

    // 2. A pair of paradigms: labels, then the chosen paradigm.
    const bool twoParadigms = (ModelFlags(model) & TwoParadigms) != 0;
    if (twoParadigms) {
        if (alternateLabels) {
            char* out = alternateLabels;
            for (int e = 2; e <= 3; ++e) {
                const uint16_t label = ModelEntry(model, e);
                *out++ = static_cast<char>(label & 0xFF);
                if (label >> 8) *out++ = static_cast<char>(label >> 8);
                *out++ = 0;
            }
        }
        model = ModelEntry(model, *useAlternate ? 1 : 0);
        if (model >= Db.modelCount || (ModelFlags(model) & TwoParadigms)) return false;
    }
    const uint32_t modelFlags = ModelFlags(model);

    // 3. Stem and caret substring.
    Verb verb{};
    verb.infinitive = Infinitive(verbIndex);
    verb.infinitiveLength = static_cast<int>(std::strlen(verb.infinitive));
    const int strip = static_cast<int>(modelFlags & StripCountMask);
    verb.stemLength = strip == 0 ? 0 : (verb.infinitiveLength > strip ? verb.infinitiveLength - strip : 0);
    const int caretOffset = static_cast<int>((modelFlags >> CaretOffsetShift) & 7);
    if (caretOffset != 0 && caretOffset <= verb.infinitiveLength) {
        verb.caret = verb.infinitive + verb.infinitiveLength - caretOffset;
        verb.caretLength = static_cast<int>((modelFlags >> CaretLengthShift) & 7);
        if (verb.caretLength > caretOffset) verb.caretLength = caretOffset;
    }
    verb.hAspire = (info & HAspireBit) != 0;

    // 4. Kind: pronominal form, variants, auxiliary, restrictions.
    const KindRule& rule = kKinds[kind];
    const bool pronominalOnly = (info & PronominalOnlyBit) != 0;
    *canBePronominal = rule.pronominal || pronominalOnly;
    *hasAlternate = rule.alternate;
    if (pronominalOnly) *pronominal = true;
    else if (!rule.pronominal) *pronominal = false;
    const bool isPronominal = *pronominal;
    const bool alternate = *useAlternate;
    uint32_t flags = modelFlags | rule.addedFlags;
    // "Nous nous sommes convenu" but "nous sommes convenus": the participle
    // of kind 10 stays invariable only in the pronominal form.
    if (isPronominal && kind == 10) flags |= NoAgreement;
    if (isPronominal && kind == 14) flags = Impersonal;
    if (isPronominal && kind == 15) flags = ThirdPersonOnly;
    const int auxiliary = UsesEtre(kind, isPronominal, alternate) ? AuxiliaryEtreModel : AuxiliaryAvoirModel;
    if (twoParadigms) {
        *hasAlternate = true;
    } else if (*hasAlternate && alternateLabels) {
        std::memcpy(alternateLabels, "A\0E", 4);
    }

    Form work[FormSlotCount];

    // 5. Simple tenses.
    for (int s = 0; s < 42; ++s) {
        work[s].Clear();
        AppendStemAndEnding(work[s], verb, ModelEnding(model, s));
    }
    // 6. Compound tenses: the auxiliary in the simple tense seven places back.
    for (int s = 42; s < 84; ++s) {
        const int person = s % 6;
        const bool plural = auxiliary == AuxiliaryEtreModel && person >= 3 && !(flags & NoAgreement);
        work[s].Set(ModelEnding(auxiliary, s - 42));
        work[s].Append(" ");
        AppendStemAndEnding(work[s], verb, ModelEnding(model, plural ? PluralParticipleEnding : PastParticipleEnding));
        if (work[s].text[work[s].length - 1] == ' ') work[s].Clear();
    }
    // 7. Imperative.
    for (int i = 0; i < 6; ++i) {
        work[ImperativeSlot + i].Clear();
        if (i < ImperativeFormCount) AppendStemAndEnding(work[ImperativeSlot + i], verb, ModelEnding(model, ImperativeEnding + i));
    }
    // 8. Participles and infinitive.
    work[PresentParticipleSlot].Clear();
    AppendStemAndEnding(work[PresentParticipleSlot], verb, ModelEnding(model, PresentParticipleEnding));
    work[PastParticipleSlot].Clear();
    AppendStemAndEnding(work[PastParticipleSlot], verb, ModelEnding(model, PastParticipleEnding));
    work[CompoundParticipleSlot].Set(ModelEnding(auxiliary, PresentParticipleEnding));
    work[CompoundParticipleSlot].Append(" ");
    AppendStemAndEnding(work[CompoundParticipleSlot], verb, ModelEnding(model, PastParticipleEnding));
    const char* feminine = ModelEnding(model, FeminineSuffixEnding);
    if (*feminine) {
        work[PastParticipleSlot].Append(", ");
        AppendStemAndEnding(work[PastParticipleSlot], Verb{verb.infinitive, verb.infinitiveLength, 0, verb.caret,
                                                           verb.caretLength, verb.hAspire},
                            feminine);
    }
    work[InfinitiveSlot].Set(verb.infinitive);
    // A verb without a past participle (paître, gésir) has no participle
    // forms at all, whatever its stem: no "pa" or "ayant " on their own.
    const bool hasPastParticiple = *ModelEnding(model, PastParticipleEnding) != 0;
    if (!hasPastParticiple) {
        work[PastParticipleSlot].Clear();
        work[CompoundParticipleSlot].Clear();
        flags |= 0x7Fu << (MissingTenseShift + SimpleTenseCount);  // nor compound tenses
    }

    // 10. Pronouns. (Caret substitution, step 9, happened while joining.)
    const bool withEn = isPronominal && (std::strcmp(verb.infinitive, "aller") == 0 ||
                                         std::strcmp(verb.infinitive, "falloir") == 0);
    if (!isPronominal) {
        for (int s = 0; s < 84; ++s) {
            if (work[s].Empty()) continue;
            const int person = s % 6;
            if (person == 0 && Elides(work[s].text, verb.hAspire)) work[s].Prefix("j'");
            else work[s].Prefix(kPronouns[person]);
        }
    } else if (!withEn) {
        for (int s = 0; s < 84; ++s) {
            if (work[s].Empty()) continue;
            const int person = s % 6;
            work[s].Prefix(Elides(work[s].text, verb.hAspire) ? kReflexiveElided[person] : kReflexive[person]);
        }
        for (int i = 0; i < ImperativeFormCount; ++i)
            if (!work[ImperativeSlot + i].Empty()) work[ImperativeSlot + i].Append(kImperativeReflexive[i]);
        for (int s : {PresentParticipleSlot, CompoundParticipleSlot, InfinitiveSlot})
            if (!work[s].Empty()) work[s].Prefix(Elides(work[s].text, verb.hAspire) ? "s'" : "se ");
        work[PastParticipleSlot] = work[CompoundParticipleSlot];
        work[CompoundParticipleSlot].Clear();
    } else {
        for (int s = 0; s < 84; ++s)
            if (!work[s].Empty()) work[s].Prefix(kReflexiveEn[s % 6]);
        // "va-t'en, allons-nous-en, allez-vous-en": the imperative keeps its
        // pronouns after the verb.
        for (int i = 0; i < ImperativeFormCount; ++i)
            if (!work[ImperativeSlot + i].Empty()) work[ImperativeSlot + i].Append(kImperativeReflexiveEn[i]);
        work[InfinitiveSlot].Prefix("s'en ");
        work[PastParticipleSlot] = work[CompoundParticipleSlot];
        if (!work[PastParticipleSlot].Empty()) work[PastParticipleSlot].Prefix("s'en ");
        if (!work[PresentParticipleSlot].Empty()) work[PresentParticipleSlot].Prefix("s'en ");
        work[CompoundParticipleSlot].Clear();
    }

    // 11. Tenses that do not exist.
    for (int t = 0; t < PersonalTenseCount; ++t) {
        if (!(flags & (1u << (MissingTenseShift + t)))) continue;
        for (int p = 0; p < 6; ++p) work[t * 6 + p].Clear();
        if (!suppressPlaceholders) work[t * 6 + 2].Set(kNoForm);
    }

    // 12. Restrictions; each may switch on the next.
    if (flags & CaSubject) {
        flags |= Impersonal;
        for (int t = 0; t < PersonalTenseCount; ++t) {
            Form& f = work[t * 6 + 2];
            if (std::strncmp(f.text, "il ", 3) == 0) {
                Form rest;
                rest.Set(f.text + 3);
                f.Set("\xE7""a ");  // ça
                f.Append(rest.text);
            }
        }
    }
    if (flags & Impersonal) {
        flags |= ThirdPersonOnly;
        for (int t = 0; t < PersonalTenseCount; ++t) work[t * 6 + 5].Clear();
    }
    if (flags & ThirdPersonOnly) {
        flags |= NoImperative;
        for (int t = 0; t < PersonalTenseCount; ++t)
            for (int p : {0, 1, 3, 4}) work[t * 6 + p].Clear();
    }
    if (flags & NoImperative) {
        for (int i = 0; i < 6; ++i) work[ImperativeSlot + i].Clear();
        if (!suppressPlaceholders) work[ImperativeSlot + 2].Set(kNoImperative);
    }
    if (flags & NoPresentParticiple) work[PresentParticipleSlot].Set(kNoForm);
    if (flags & NoCompoundParticiple) work[CompoundParticipleSlot].Clear();

    // Into the caller's buffers, never past their guaranteed size.
    for (int s = 0; s < FormSlotCount; ++s) {
        const int n = work[s].length < FormBufferSize - 1 ? work[s].length : FormBufferSize - 1;
        std::memcpy(forms[s], work[s].text, static_cast<size_t>(n));
        forms[s][n] = 0;
    }
    return true;
}

}  // namespace french
