// ConjugateVerb: one verb of the database into its 94 written forms.
//
// Each form is written once, straight into the caller's buffer: pronoun,
// then auxiliary, stem and ending. The pronoun is chosen from the first
// letter that follows it, which is known before anything is written. The
// tenses that do not exist and the verb's restrictions are applied to the
// written forms afterwards. No write passes FormBufferSize bytes and nothing
// is allocated.
#include <cstring>
#include <initializer_list>

#include "Conjugator.h"
#include "Database.h"
#include "LanguageModuleAbi.h"

namespace french {
namespace {

constexpr int MaxLength = FormBufferSize - 1;

// A fixed text with its length, kept in sixteen bytes so that it can be
// copied a word at a time without being measured.
struct Literal {
    char text[16] = {};
    int length = 0;
    template <int N>
    constexpr Literal(const char (&literal)[N]) : length(N - 1) {
        static_assert(N <= 16, "a literal is at most 15 characters");
        for (int i = 0; i < N; ++i) text[i] = literal[i];
    }
};

struct Verb {
    const char* infinitive;
    int infinitiveLength;
    int stemLength;
    const char* caret;  // start of the caret substring in the infinitive
    int caretLength;    // 0: no caret substitution
    bool hAspire;
};

// Appends to one caller buffer, never past its guaranteed size.
class FormWriter {
public:
    explicit FormWriter(char* buffer) : out_(buffer) {}
    ~FormWriter() { out_[length_] = 0; }

    // `count` bytes of a text of a padded blob, which may be read in whole
    // words past its end; copied a word at a time while the buffer has room
    // for the last word.
    void Put(const char* text, int count) {
        if (length_ + count + 7 <= MaxLength + 1) {
            for (int i = 0; i < count; i += 8) std::memcpy(out_ + length_ + i, text + i, 8);
            length_ += count;
            return;
        }
        if (count > MaxLength - length_) count = MaxLength - length_;
        for (int i = 0; i < count; ++i) out_[length_ + i] = text[i];
        length_ += count;
    }
    // A text of the database. The compiler pads every blob with eight zero
    // bytes, so the text is read and written a word at a time; the buffer's
    // bound is kept, and bytes past the text's end are overwritten later or
    // lie beyond the terminating NUL.
    void PutData(const char* text) {
        constexpr uint64_t ones = 0x0101010101010101ull, highs = 0x8080808080808080ull;
        while (length_ <= MaxLength - 8) {
            uint64_t word;
            std::memcpy(&word, text, sizeof word);
            std::memcpy(out_ + length_, &word, sizeof word);
            const uint64_t zero = (word - ones) & ~word & highs;
            if (zero) {
                length_ += __builtin_ctzll(zero) / 8;
                return;
            }
            length_ += 8;
            text += 8;
        }
        while (*text && length_ < MaxLength) out_[length_++] = *text++;
    }
    void Put(const Literal& literal) {
        if (length_ + static_cast<int>(sizeof literal.text) <= MaxLength + 1) {
            std::memcpy(out_ + length_, literal.text, sizeof literal.text);
            length_ += literal.length;
            return;
        }
        for (int i = 0; i < literal.length && length_ < MaxLength; ++i) out_[length_++] = literal.text[i];
    }
    void Put(char c) {
        if (length_ < MaxLength) out_[length_++] = c;
    }
    // stem + ending, each '^' of the ending replaced by the caret substring.
    void PutStemAndEnding(const Verb& verb, const char* ending) {
        Put(verb.infinitive, verb.stemLength);
        if (verb.caretLength == 0) {
            PutData(ending);
            return;
        }
        for (const char* e = ending; *e; ++e) {
            if (*e == '^')
                Put(verb.caret, verb.caretLength);
            else
                Put(*e);
        }
    }

private:
    char* out_;
    int length_ = 0;
};

// The first letter of stem + ending.
unsigned char FirstLetter(const Verb& verb, const char* ending) {
    if (verb.stemLength > 0) return static_cast<unsigned char>(verb.infinitive[0]);
    if (*ending == '^' && verb.caretLength > 0) return static_cast<unsigned char>(*verb.caret);
    return static_cast<unsigned char>(*ending);
}

// A form elides the pronoun before it ("j'ai", "je m'habille", "j'œuvre")
// when it starts with a vowel, a mute h, or œ. An h aspiré keeps the full
// pronoun: "je hais", "je me hâte".
bool Elides(unsigned char first, bool hAspire) {
    switch (first) {
    case 'a':
    case 'e':
    case 'i':
    case 'o':
    case 'u':
    case 0xE2: /* â */
    case 0xE9: /* é */
    case 0xEA: /* ê */
    case 0xF4: /* ô */
    case 0x9C: /* œ */
        return true;
    case 'h':
        return !hAspire;
    default:
        return false;
    }
}

struct KindRule {
    bool pronominal;  // a pronominal form exists
    bool alternate;   // avoir/être variants, labelled A and E
    uint32_t addedFlags;
};

constexpr KindRule kKinds[16] = {
    {false, false, 0},                // 0 avoir
    {false, true, 0},                 // 1 avoir, être when alternate
    {false, false, 0},                // 2 être
    {true, false, 0},                 // 3 avoir, être when pronominal
    {true, false, NoAgreement},       // 4
    {true, false, Impersonal},        // 5
    {true, false, 0},                 // 6 être
    {false, false, CaSubject},        // 7
    {true, true, 0},                  // 8 être when pronominal or alternate
    {false, false, Impersonal},       // 9
    {true, true, 0},                  // 10 no agreement when pronominal (below)
    {false, true, Impersonal},        // 11
    {false, true, ThirdPersonOnly},   // 12
    {false, false, ThirdPersonOnly},  // 13
    {true, false, 0},                 // 14 pronominal: impersonal only
    {true, false, 0},                 // 15 pronominal: third persons only
};

bool UsesEtre(int kind, bool pronominal, bool alternate) {
    switch (kind) {
    case 1:
    case 11:
    case 12:
        return alternate || pronominal;
    case 2:
    case 6:
        return true;
    case 8:
    case 10:
        return pronominal || alternate;
    default:
        return pronominal;  // a pronominal-only verb of any kind takes être
    }
}

enum class Pronouns { Plain, Reflexive, ReflexiveEn };

constexpr Literal kPronouns[6] = {"je ", "tu ", "il ", "nous ", "vous ", "ils "};
constexpr Literal kElidedJe = "j'";
constexpr Literal kReflexive[6] = {"je me ", "tu te ", "il se ", "nous nous ", "vous vous ", "ils se "};
constexpr Literal kReflexiveElided[6] = {"je m'", "tu t'", "il s'", "nous nous ", "vous vous ", "ils s'"};
constexpr Literal kReflexiveEn[6] = {"je m'en ",      "tu t'en ",      "il s'en ",
                                     "nous nous en ", "vous vous en ", "ils s'en "};
constexpr Literal kImperativeReflexive[3] = {"-toi", "-nous", "-vous"};
constexpr Literal kImperativeReflexiveEn[3] = {"-t'en", "-nous-en", "-vous-en"};

const Literal& SubjectPronoun(Pronouns mode, int person, unsigned char first, bool hAspire) {
    switch (mode) {
    case Pronouns::Plain:
        return person == 0 && Elides(first, hAspire) ? kElidedJe : kPronouns[person];
    case Pronouns::Reflexive:
        return Elides(first, hAspire) ? kReflexiveElided[person] : kReflexive[person];
    case Pronouns::ReflexiveEn:
        break;
    }
    return kReflexiveEn[person];
}

// The reflexive pronoun of the infinitive and the participles.
Literal InfinitivePronoun(Pronouns mode, unsigned char first, bool hAspire) {
    switch (mode) {
    case Pronouns::Plain:
        return "";
    case Pronouns::Reflexive:
        return Elides(first, hAspire) ? Literal("s'") : Literal("se ");
    case Pronouns::ReflexiveEn:
        break;
    }
    return "s'en ";
}

constexpr Literal kNoForm = "N'existe pas";
constexpr Literal kNoImperative = "pas d'imp\xE9ratif";

void Set(char* buffer, const Literal& text) { FormWriter(buffer).Put(text); }

// The persons of a personal tense, in the order of its slots.
enum Person { Je, Tu, Il, Nous, Vous, Ils };

constexpr int FirstCompoundSlot = SimpleTenseCount * PersonCount;  // 42

inline char* Slot(char** forms, int tense, int person) { return forms[tense * PersonCount + person]; }

// The caller's variant flags, read and written through its pointers.
struct Variants {
    bool* hasAlternate;
    bool* canBePronominal;
    bool* useAlternate;
    bool* pronominal;
    char* alternateLabels;  // may be null
};

// What one call conjugates: the verb, the model it follows and what the
// verb's kind makes of them.
struct Plan {
    Verb verb{};
    int model = 0;  // for a pair of paradigms, the paradigm chosen
    uint32_t flags = 0;
    int auxiliary = AuxiliaryAvoirModel;
    bool pronominal = false;
    bool simpleTensesOnly = false;  // "elle se meurt"
    bool reciprocal = false;        // "nous nous entraidons"
    bool invariableParticiple = false;
    Pronouns mode = Pronouns::Plain;
    const char* participle = EmptyText;  // the past participle's ending
};

// 1. Arguments: nothing is written unless every one is usable.
bool ArgumentsUsable(int32_t verbIndex, const Variants& io, char** forms) {
    if (!forms || !IsVerbIndex(verbIndex) || !io.hasAlternate || !io.canBePronominal || !io.useAlternate ||
        !io.pronominal)
        return false;
    for (int s = 0; s < FormSlotCount; ++s)
        if (!forms[s]) return false;
    return true;
}

// The verb's model is in the data, and so is the paradigm it would choose.
bool ModelUsable(int model, bool useAlternate) {
    if (model >= Db.modelCount) return false;
    if (!(ModelFlags(model) & TwoParadigms)) return true;
    const int chosen = ModelEntry(model, useAlternate ? 1 : 0);
    return chosen < Db.modelCount && !(ModelFlags(chosen) & TwoParadigms);
}

// 2. A pair of paradigms: its labels (one or two letters each, low byte
// first), then the paradigm chosen.
int ChooseParadigm(int model, bool useAlternate, char* alternateLabels) {
    if (alternateLabels) {
        char* out = alternateLabels;
        for (int e = 2; e <= 3; ++e) {
            const uint16_t label = ModelEntry(model, e);
            *out++ = static_cast<char>(label & 0xFF);
            if (label >> 8) *out++ = static_cast<char>(label >> 8);
            *out++ = 0;
        }
    }
    return ModelEntry(model, useAlternate ? 1 : 0);
}

// 3. Stem and caret substring.
Verb ReadVerb(int32_t verbIndex, uint32_t info, uint32_t modelFlags) {
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
    return verb;
}

// 4a. Tells the caller which forms the verb has, and settles the form given.
bool AnswerVariants(const KindRule& rule, bool pronominalOnly, bool twoParadigms, const Variants& io) {
    *io.canBePronominal = rule.pronominal || pronominalOnly;
    *io.hasAlternate = rule.alternate || twoParadigms;
    if (pronominalOnly)
        *io.pronominal = true;
    else if (!rule.pronominal)
        *io.pronominal = false;
    return *io.pronominal;
}

// 4b. The model's flags with what the kind and the verb's marks add.
uint32_t KindFlags(int kind, const KindRule& rule, uint32_t modelFlags, const Plan& plan) {
    uint32_t flags = modelFlags | rule.addedFlags;
    // "Nous nous sommes convenu" but "nous sommes convenus": the participle
    // of kind 10 stays invariable only in the pronominal form.
    if (plan.pronominal && kind == 10) flags |= NoAgreement;
    if (plan.pronominal && kind == 14) flags = Impersonal;
    if (plan.pronominal && kind == 15) flags = ThirdPersonOnly;
    // "Elle se meurt": a pronominal form with neither the simple past, the
    // imperfect subjunctive, the compound tenses nor the imperative.
    if (plan.simpleTensesOnly)
        flags |= (1u << (MissingTenseShift + 2)) | (1u << (MissingTenseShift + 5)) |
                 (0x7Fu << (MissingTenseShift + SimpleTenseCount)) | NoImperative | NoCompoundParticiple;
    return flags;
}

// 4c. A verb that its kind restricts to il, to the third persons or to ça
// (il neige, il incombe, ça boume) has no object and no agreeing auxiliary,
// so its participle never agrees: the participle line shows no feminine
// (neigé, incombé), as fallu and plu. A model with such a restriction of its
// own gives the participle it means (sis, sise).
bool ParticipleInvariable(bool intransitive, const KindRule& rule, uint32_t modelFlags, const Plan& plan) {
    constexpr uint32_t restrictedPersons = Impersonal | ThirdPersonOnly | CaSubject;
    return intransitive || (!plan.pronominal && plan.auxiliary == AuxiliaryAvoirModel &&
                            (rule.addedFlags & restrictedPersons) && !(modelFlags & restrictedPersons));
}

Pronouns PronounMode(bool pronominal, const char* infinitive) {
    if (!pronominal) return Pronouns::Plain;
    const bool en = std::strcmp(infinitive, "aller") == 0 || std::strcmp(infinitive, "falloir") == 0;
    return en ? Pronouns::ReflexiveEn : Pronouns::Reflexive;
}

// 4. Kind: pronominal form, variants, auxiliary, restrictions.
void ApplyKind(Plan& plan, uint32_t info, bool twoParadigms, const Variants& io) {
    const int kind = VerbKind(info);
    const KindRule& rule = kKinds[kind];
    const uint32_t modelFlags = ModelFlags(plan.model);
    const bool pronominalOnly = !rule.alternate && (info & PronominalOnlyBit) != 0;
    const bool etreFirst = rule.alternate && (info & EtreFirstBit) != 0;
    const bool intransitive = kind == 0 && !pronominalOnly && (info & InvariableParticipleBit) != 0;
    plan.reciprocal = pronominalOnly && kind == ReciprocalKind;
    plan.pronominal = AnswerVariants(rule, pronominalOnly, twoParadigms, io);
    plan.simpleTensesOnly = plan.pronominal && (info & PronominalSimpleTensesBit) != 0;
    plan.flags = KindFlags(kind, rule, modelFlags, plan);
    // The first variant is the auxiliary of the verb's main use: avoir for
    // most ("j'ai accouru"), être for the verbs of movement ("je suis entré").
    const bool etreVariant = *io.useAlternate != etreFirst;
    plan.auxiliary = UsesEtre(kind, plan.pronominal, etreVariant) ? AuxiliaryEtreModel : AuxiliaryAvoirModel;
    if (!twoParadigms && rule.alternate && io.alternateLabels)
        std::memcpy(io.alternateLabels, etreFirst ? "E\0A" : "A\0E", 4);
    plan.invariableParticiple = ParticipleInvariable(intransitive, rule, modelFlags, plan);
    plan.mode = PronounMode(plan.pronominal, plan.verb.infinitive);
    plan.participle = ModelEnding(plan.model, PastParticipleEnding);
    // A verb without a past participle (paître, gésir) has no participle
    // forms and no compound tenses, whatever its stem.
    if (!*plan.participle) plan.flags |= 0x7Fu << (MissingTenseShift + SimpleTenseCount);
}

// 5. Simple tenses, with their pronouns (10). An empty ending is a form that
// does not exist.
void WriteSimpleTenses(const Plan& plan, char** forms) {
    const Verb& verb = plan.verb;
    for (int s = 0; s < FirstCompoundSlot; ++s) {
        const char* ending = ModelEnding(plan.model, s);
        if (!*ending) {
            forms[s][0] = 0;
            continue;
        }
        FormWriter out(forms[s]);
        out.Put(SubjectPronoun(plan.mode, s % PersonCount, FirstLetter(verb, ending), verb.hAspire));
        out.PutStemAndEnding(verb, ending);
    }
}

// 6. Compound tenses: the auxiliary in the simple tense seven places back,
// then the participle, plural after être in the plural persons.
void WriteCompoundTenses(const Plan& plan, char** forms) {
    const char* plural = ModelEnding(plan.model, PluralParticipleEnding);
    for (int s = FirstCompoundSlot; s < PersonalSlotCount; ++s) {
        const int person = s % PersonCount;
        const bool agrees =
            plan.auxiliary == AuxiliaryEtreModel && person >= Nous && !(plan.flags & NoAgreement);
        const char* ending = agrees ? plural : plan.participle;
        const char* auxiliaryForm = ModelEnding(plan.auxiliary, s - FirstCompoundSlot);
        if (!*ending) {
            forms[s][0] = 0;
            continue;
        }
        FormWriter out(forms[s]);
        out.Put(SubjectPronoun(plan.mode, person, static_cast<unsigned char>(*auxiliaryForm), false));
        out.PutData(auxiliaryForm);
        out.Put(' ');
        out.PutStemAndEnding(plan.verb, ending);
    }
}

// 7. Imperative, with the reflexive pronoun after the verb; the tense's last
// three slots stay empty.
void WriteImperative(const Plan& plan, char** forms) {
    for (int i = 0; i < PersonCount; ++i) {
        const char* ending = i < ImperativeFormCount ? ModelEnding(plan.model, ImperativeEnding + i) : "";
        if (!*ending) {
            forms[ImperativeSlot + i][0] = 0;
            continue;
        }
        FormWriter out(forms[ImperativeSlot + i]);
        out.PutStemAndEnding(plan.verb, ending);
        if (plan.mode == Pronouns::Reflexive) out.Put(kImperativeReflexive[i]);
        // "va-t'en, allons-nous-en, allez-vous-en"
        if (plan.mode == Pronouns::ReflexiveEn) out.Put(kImperativeReflexiveEn[i]);
    }
}

void WritePresentParticiple(const Plan& plan, char** forms) {
    const char* present = ModelEnding(plan.model, PresentParticipleEnding);
    if (!*present) {
        forms[PresentParticipleSlot][0] = 0;
        return;
    }
    FormWriter out(forms[PresentParticipleSlot]);
    out.Put(InfinitivePronoun(plan.mode, FirstLetter(plan.verb, present), plan.verb.hAspire));
    out.PutStemAndEnding(plan.verb, present);
}

// The compound participle, "ayant placé"; in the pronominal form it takes
// the place of the past participle: "s'étant placé".
void WriteCompoundParticiple(const Plan& plan, char** forms) {
    const char* auxiliaryForm = ModelEnding(plan.auxiliary, PresentParticipleEnding);
    FormWriter out(forms[plan.pronominal ? PastParticipleSlot : CompoundParticipleSlot]);
    out.Put(InfinitivePronoun(plan.mode, static_cast<unsigned char>(*auxiliaryForm), false));
    out.PutData(auxiliaryForm);
    out.Put(' ');
    out.PutStemAndEnding(plan.verb, plan.participle);
}

// The past participle with its feminine ending: "placé, ée".
void WritePastParticiple(const Plan& plan, char** forms) {
    const Verb& verb = plan.verb;
    FormWriter out(forms[PastParticipleSlot]);
    out.PutStemAndEnding(verb, plan.participle);
    const char* feminine = ModelEnding(plan.model, FeminineSuffixEnding);
    if (!*feminine || plan.invariableParticiple) return;
    out.Put(Literal(", "));
    // The feminine ending is shown bare, without the stem.
    out.PutStemAndEnding(
        Verb{verb.infinitive, verb.infinitiveLength, 0, verb.caret, verb.caretLength, verb.hAspire},
        feminine);
}

// 8. Participles and infinitive.
void WriteParticiplesAndInfinitive(const Plan& plan, char** forms) {
    WritePresentParticiple(plan, forms);
    forms[PastParticipleSlot][0] = 0;
    forms[CompoundParticipleSlot][0] = 0;
    if (*plan.participle) {
        WriteCompoundParticiple(plan, forms);
        if (!plan.pronominal) WritePastParticiple(plan, forms);
    }
    if (plan.simpleTensesOnly) forms[PastParticipleSlot][0] = 0;  // no "s'étant mort"
    FormWriter out(forms[InfinitiveSlot]);
    out.Put(
        InfinitivePronoun(plan.mode, static_cast<unsigned char>(plan.verb.infinitive[0]), plan.verb.hAspire));
    out.Put(plan.verb.infinitive, plan.verb.infinitiveLength);
}

// 11. Tenses that do not exist.
void RemoveMissingTenses(uint32_t flags, bool suppressPlaceholders, char** forms) {
    for (int t = 0; t < PersonalTenseCount; ++t) {
        if (!(flags & (1u << (MissingTenseShift + t)))) continue;
        for (int p = 0; p < PersonCount; ++p) Slot(forms, t, p)[0] = 0;
        if (!suppressPlaceholders) Set(Slot(forms, t, Il), kNoForm);
    }
}

// "ça " in place of "il ", as long: "ça boume", "ça a boumé".
void UseCaSubject(char** forms) {
    for (int t = 0; t < PersonalTenseCount; ++t) {
        char* f = Slot(forms, t, Il);
        if (std::strncmp(f, "il ", 3) == 0) {
            f[0] = '\xE7';
            f[1] = 'a';
        }
    }
}

void RemovePersons(char** forms, std::initializer_list<int> persons) {
    for (int t = 0; t < PersonalTenseCount; ++t)
        for (int p : persons) Slot(forms, t, p)[0] = 0;
}

// 12. Restrictions; each may switch on the next.
void ApplyRestrictions(const Plan& plan, bool suppressPlaceholders, char** forms) {
    uint32_t flags = plan.flags;
    if (flags & CaSubject) {
        flags |= Impersonal;
        UseCaSubject(forms);
    }
    if (flags & Impersonal) {
        flags |= ThirdPersonOnly;
        RemovePersons(forms, {Ils});
    }
    if (flags & ThirdPersonOnly) {
        flags |= NoImperative;
        RemovePersons(forms, {Je, Tu, Nous, Vous});
    }
    if (flags & NoImperative) {
        for (int i = 0; i < PersonCount; ++i) forms[ImperativeSlot + i][0] = 0;
        if (!suppressPlaceholders) Set(forms[ImperativeSlot + 2], kNoImperative);
    }
    // "Nous nous entraidons", "on s'entraide", never "je m'entraide".
    if (plan.reciprocal) {
        RemovePersons(forms, {Je, Tu});
        forms[ImperativeSlot][0] = 0;
    }
    if (flags & NoPresentParticiple) Set(forms[PresentParticipleSlot], kNoForm);
    if (flags & NoCompoundParticiple) forms[CompoundParticipleSlot][0] = 0;
}

}  // namespace

bool Conjugate(int32_t verbIndex, bool suppressPlaceholders, bool* hasAlternate, bool* canBePronominal,
               bool* useAlternate, bool* pronominal, char* alternateLabels, char** forms) {
    const Variants io{hasAlternate, canBePronominal, useAlternate, pronominal, alternateLabels};
    if (!ArgumentsUsable(verbIndex, io, forms)) return false;
    const uint32_t info = VerbInfo(verbIndex);
    const int model = VerbModel(info);
    if (!ModelUsable(model, *useAlternate)) return false;
    const bool twoParadigms = (ModelFlags(model) & TwoParadigms) != 0;

    Plan plan;
    plan.model = twoParadigms ? ChooseParadigm(model, *useAlternate, alternateLabels) : model;
    plan.verb = ReadVerb(verbIndex, info, ModelFlags(plan.model));
    ApplyKind(plan, info, twoParadigms, io);
    WriteSimpleTenses(plan, forms);
    WriteCompoundTenses(plan, forms);
    WriteImperative(plan, forms);
    WriteParticiplesAndInfinitive(plan, forms);
    RemoveMissingTenses(plan.flags, suppressPlaceholders, forms);
    ApplyRestrictions(plan, suppressPlaceholders, forms);
    return true;
}

}  // namespace french
