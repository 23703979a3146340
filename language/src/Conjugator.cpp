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
            if (*e == '^') Put(verb.caret, verb.caretLength);
            else Put(*e);
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
    bool pronominal;  // a pronominal form exists
    bool alternate;   // avoir/être variants, labelled A and E
    uint32_t addedFlags;
};

constexpr KindRule kKinds[16] = {
    {false, false, 0},               // 0 avoir
    {false, true, 0},                // 1 avoir, être when alternate
    {false, false, 0},               // 2 être
    {true, false, 0},                // 3 avoir, être when pronominal
    {true, false, NoAgreement},      // 4
    {true, false, Impersonal},       // 5
    {true, false, 0},                // 6 être
    {false, false, CaSubject},       // 7
    {true, true, 0},                 // 8 être when pronominal or alternate
    {false, false, Impersonal},      // 9
    {true, true, 0},                 // 10 no agreement when pronominal (below)
    {false, true, Impersonal},       // 11
    {false, true, ThirdPersonOnly},  // 12
    {false, false, ThirdPersonOnly}, // 13
    {true, false, 0},                // 14 pronominal: impersonal only
    {true, false, 0},                // 15 pronominal: third persons only
};

bool UsesEtre(int kind, bool pronominal, bool alternate) {
    switch (kind) {
    case 1: case 11: case 12: return alternate || pronominal;
    case 2: case 6: return true;
    case 8: case 10: return pronominal || alternate;
    default: return pronominal;  // a pronominal-only verb of any kind takes être
    }
}

enum class Pronouns { Plain, Reflexive, ReflexiveEn };

constexpr Literal kPronouns[6] = {"je ", "tu ", "il ", "nous ", "vous ", "ils "};
constexpr Literal kElidedJe = "j'";
constexpr Literal kReflexive[6] = {"je me ", "tu te ", "il se ", "nous nous ", "vous vous ", "ils se "};
constexpr Literal kReflexiveElided[6] = {"je m'", "tu t'", "il s'", "nous nous ", "vous vous ", "ils s'"};
constexpr Literal kReflexiveEn[6] = {"je m'en ", "tu t'en ", "il s'en ", "nous nous en ", "vous vous en ",
                                     "ils s'en "};
constexpr Literal kImperativeReflexive[3] = {"-toi", "-nous", "-vous"};
constexpr Literal kImperativeReflexiveEn[3] = {"-t'en", "-nous-en", "-vous-en"};

const Literal& SubjectPronoun(Pronouns mode, int person, unsigned char first, bool hAspire) {
    switch (mode) {
    case Pronouns::Plain: return person == 0 && Elides(first, hAspire) ? kElidedJe : kPronouns[person];
    case Pronouns::Reflexive: return Elides(first, hAspire) ? kReflexiveElided[person] : kReflexive[person];
    case Pronouns::ReflexiveEn: break;
    }
    return kReflexiveEn[person];
}

// The reflexive pronoun of the infinitive and the participles.
Literal InfinitivePronoun(Pronouns mode, unsigned char first, bool hAspire) {
    switch (mode) {
    case Pronouns::Plain: return "";
    case Pronouns::Reflexive: return Elides(first, hAspire) ? Literal("s'") : Literal("se ");
    case Pronouns::ReflexiveEn: break;
    }
    return "s'en ";
}

constexpr Literal kNoForm = "N'existe pas";
constexpr Literal kNoImperative = "pas d'imp\xE9ratif";

void Set(char* buffer, const Literal& text) {
    FormWriter(buffer).Put(text);
}

}  // namespace

bool Conjugate(int32_t verbIndex, bool suppressPlaceholders, bool* hasAlternate, bool* canBePronominal,
               bool* useAlternate, bool* pronominal, char* alternateLabels, char** forms) {
    // 1. Arguments: nothing is written unless every one is usable.
    if (!forms || !IsVerbIndex(verbIndex) || !hasAlternate || !canBePronominal || !useAlternate || !pronominal)
        return false;
    for (int s = 0; s < FormSlotCount; ++s)
        if (!forms[s]) return false;
    const uint32_t info = VerbInfo(verbIndex);
    const int kind = VerbKind(info);
    int model = VerbModel(info);
    if (model >= Db.modelCount) return false;
    const bool twoParadigms = (ModelFlags(model) & TwoParadigms) != 0;
    if (twoParadigms) {
        const int chosen = ModelEntry(model, *useAlternate ? 1 : 0);
        if (chosen >= Db.modelCount || (ModelFlags(chosen) & TwoParadigms)) return false;
    }

    // 2. A pair of paradigms: labels, then the chosen paradigm.
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
    const bool pronominalOnly = !rule.alternate && (info & PronominalOnlyBit) != 0;
    const bool etreFirst = rule.alternate && (info & EtreFirstBit) != 0;
    const bool reciprocal = pronominalOnly && kind == ReciprocalKind;
    const bool intransitive = kind == 0 && !pronominalOnly && (info & InvariableParticipleBit) != 0;
    *canBePronominal = rule.pronominal || pronominalOnly;
    *hasAlternate = rule.alternate || twoParadigms;
    if (pronominalOnly) *pronominal = true;
    else if (!rule.pronominal) *pronominal = false;
    const bool isPronominal = *pronominal;
    uint32_t flags = modelFlags | rule.addedFlags;
    // "Nous nous sommes convenu" but "nous sommes convenus": the participle
    // of kind 10 stays invariable only in the pronominal form.
    if (isPronominal && kind == 10) flags |= NoAgreement;
    if (isPronominal && kind == 14) flags = Impersonal;
    if (isPronominal && kind == 15) flags = ThirdPersonOnly;
    // "Elle se meurt": a pronominal form with neither the simple past, the
    // imperfect subjunctive, the compound tenses nor the imperative.
    const bool simpleTensesOnly = isPronominal && (info & PronominalSimpleTensesBit) != 0;
    if (simpleTensesOnly)
        flags |= (1u << (MissingTenseShift + 2)) | (1u << (MissingTenseShift + 5)) |
                 (0x7Fu << (MissingTenseShift + SimpleTenseCount)) | NoImperative | NoCompoundParticiple;
    // The first variant is the auxiliary of the verb's main use: avoir for
    // most ("j'ai accouru"), être for the verbs of movement ("je suis entré").
    const bool etreVariant = *useAlternate != etreFirst;
    const int auxiliary = UsesEtre(kind, isPronominal, etreVariant) ? AuxiliaryEtreModel : AuxiliaryAvoirModel;
    if (!twoParadigms && rule.alternate && alternateLabels)
        std::memcpy(alternateLabels, etreFirst ? "E\0A" : "A\0E", 4);

    // A verb that its kind restricts to il, to the third persons or to ça
    // (il neige, il incombe, ça boume) has no object and no agreeing
    // auxiliary, so its participle never agrees: the participle line shows
    // no feminine (neigé, incombé), as fallu and plu. A model with such a
    // restriction of its own gives the participle it means (sis, sise).
    constexpr uint32_t restrictedPersons = Impersonal | ThirdPersonOnly | CaSubject;
    const bool invariableParticiple = intransitive || (!isPronominal && auxiliary == AuxiliaryAvoirModel &&
                                                       (rule.addedFlags & restrictedPersons) &&
                                                       !(modelFlags & restrictedPersons));

    const Pronouns mode = !isPronominal ? Pronouns::Plain
                          : (std::strcmp(verb.infinitive, "aller") == 0 || std::strcmp(verb.infinitive, "falloir") == 0)
                              ? Pronouns::ReflexiveEn
                              : Pronouns::Reflexive;
    const char* participle = ModelEnding(model, PastParticipleEnding);
    // A verb without a past participle (paître, gésir) has no participle
    // forms and no compound tenses, whatever its stem.
    const bool hasPastParticiple = *participle != 0;
    if (!hasPastParticiple) flags |= 0x7Fu << (MissingTenseShift + SimpleTenseCount);

    // 5. Simple tenses, with their pronouns (10). An empty ending is a form
    // that does not exist.
    for (int s = 0; s < 42; ++s) {
        const char* ending = ModelEnding(model, s);
        if (!*ending) {
            forms[s][0] = 0;
            continue;
        }
        FormWriter out(forms[s]);
        out.Put(SubjectPronoun(mode, s % 6, FirstLetter(verb, ending), verb.hAspire));
        out.PutStemAndEnding(verb, ending);
    }
    // 6. Compound tenses: the auxiliary in the simple tense seven places back,
    // then the participle, plural after être in the plural persons.
    const char* plural = ModelEnding(model, PluralParticipleEnding);
    for (int s = 42; s < 84; ++s) {
        const int person = s % 6;
        const bool agrees = auxiliary == AuxiliaryEtreModel && person >= 3 && !(flags & NoAgreement);
        const char* ending = agrees ? plural : participle;
        const char* auxiliaryForm = ModelEnding(auxiliary, s - 42);
        if (!*ending) {
            forms[s][0] = 0;
            continue;
        }
        FormWriter out(forms[s]);
        out.Put(SubjectPronoun(mode, person, static_cast<unsigned char>(*auxiliaryForm), false));
        out.PutData(auxiliaryForm);
        out.Put(' ');
        out.PutStemAndEnding(verb, ending);
    }
    // 7. Imperative, with the reflexive pronoun after the verb.
    for (int i = 0; i < 6; ++i) {
        const char* ending = i < ImperativeFormCount ? ModelEnding(model, ImperativeEnding + i) : "";
        if (!*ending) {
            forms[ImperativeSlot + i][0] = 0;
            continue;
        }
        FormWriter out(forms[ImperativeSlot + i]);
        out.PutStemAndEnding(verb, ending);
        if (mode == Pronouns::Reflexive) out.Put(kImperativeReflexive[i]);
        // "va-t'en, allons-nous-en, allez-vous-en"
        if (mode == Pronouns::ReflexiveEn) out.Put(kImperativeReflexiveEn[i]);
    }
    // 8. Participles and infinitive.
    const char* present = ModelEnding(model, PresentParticipleEnding);
    if (*present) {
        FormWriter out(forms[PresentParticipleSlot]);
        out.Put(InfinitivePronoun(mode, FirstLetter(verb, present), verb.hAspire));
        out.PutStemAndEnding(verb, present);
    } else {
        forms[PresentParticipleSlot][0] = 0;
    }
    forms[PastParticipleSlot][0] = 0;
    forms[CompoundParticipleSlot][0] = 0;
    if (hasPastParticiple) {
        // The compound participle, "ayant placé"; in the pronominal form it
        // takes the place of the past participle: "s'étant placé".
        const char* auxiliaryForm = ModelEnding(auxiliary, PresentParticipleEnding);
        {
            FormWriter out(forms[isPronominal ? PastParticipleSlot : CompoundParticipleSlot]);
            out.Put(InfinitivePronoun(mode, static_cast<unsigned char>(*auxiliaryForm), false));
            out.PutData(auxiliaryForm);
            out.Put(' ');
            out.PutStemAndEnding(verb, participle);
        }
        if (!isPronominal) {
            FormWriter out(forms[PastParticipleSlot]);
            out.PutStemAndEnding(verb, participle);
            const char* feminine = ModelEnding(model, FeminineSuffixEnding);
            if (*feminine && !invariableParticiple) {
                out.Put(Literal(", "));
                out.PutStemAndEnding(Verb{verb.infinitive, verb.infinitiveLength, 0, verb.caret, verb.caretLength,
                                          verb.hAspire},
                                     feminine);
            }
        }
    }
    if (simpleTensesOnly) forms[PastParticipleSlot][0] = 0;  // no "s'étant mort"
    {
        FormWriter out(forms[InfinitiveSlot]);
        out.Put(InfinitivePronoun(mode, static_cast<unsigned char>(verb.infinitive[0]), verb.hAspire));
        out.Put(verb.infinitive, verb.infinitiveLength);
    }

    // 11. Tenses that do not exist.
    for (int t = 0; t < PersonalTenseCount; ++t) {
        if (!(flags & (1u << (MissingTenseShift + t)))) continue;
        for (int p = 0; p < 6; ++p) forms[t * 6 + p][0] = 0;
        if (!suppressPlaceholders) Set(forms[t * 6 + 2], kNoForm);
    }

    // 12. Restrictions; each may switch on the next.
    if (flags & CaSubject) {
        flags |= Impersonal;
        for (int t = 0; t < PersonalTenseCount; ++t) {
            char* f = forms[t * 6 + 2];
            if (std::strncmp(f, "il ", 3) == 0) {
                f[0] = '\xE7';  // "ça ", as long as "il "
                f[1] = 'a';
            }
        }
    }
    if (flags & Impersonal) {
        flags |= ThirdPersonOnly;
        for (int t = 0; t < PersonalTenseCount; ++t) forms[t * 6 + 5][0] = 0;
    }
    if (flags & ThirdPersonOnly) {
        flags |= NoImperative;
        for (int t = 0; t < PersonalTenseCount; ++t)
            for (int p : {0, 1, 3, 4}) forms[t * 6 + p][0] = 0;
    }
    if (flags & NoImperative) {
        for (int i = 0; i < 6; ++i) forms[ImperativeSlot + i][0] = 0;
        if (!suppressPlaceholders) Set(forms[ImperativeSlot + 2], kNoImperative);
    }
    // "Nous nous entraidons", "on s'entraide", never "je m'entraide".
    if (reciprocal) {
        for (int t = 0; t < PersonalTenseCount; ++t) forms[t * 6][0] = forms[t * 6 + 1][0] = 0;
        forms[ImperativeSlot][0] = 0;
    }
    if (flags & NoPresentParticiple) Set(forms[PresentParticipleSlot], kNoForm);
    if (flags & NoCompoundParticiple) forms[CompoundParticipleSlot][0] = 0;
    return true;
}

}  // namespace french
