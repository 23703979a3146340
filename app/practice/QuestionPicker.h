// Choosing the questions of a practice session from the module's forms.
//
// A question is one form slot of one verb, plain or pronominal, in either
// of its variants: "nous — venir — Passé Simple", answered "nous vînmes".
// A verb with two variants (je paie / je paye, j'ai passé / je suis passé)
// is asked for a slot in one of them, drawn at random where the two differ,
// and the other variant's form of the slot is right as well.
// Only forms the verb has are asked: the verbs are conjugated with the
// placeholder texts left out, so a missing tense, an impersonal verb's
// persons and an empty imperative give empty slots, which are skipped (as
// is any placeholder text that would still come through). Compound tenses
// are asked whole, auxiliary included. Tenses 0-14 take part (the
// participles and the infinitive are not asked); the imperative has the
// persons tu, nous and vous.
#pragma once

#include <array>
#include <compare>
#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "LanguageModuleAbi.h"
#include "Leitner.h"

class LanguageModule;

namespace practice {

inline constexpr int AskedTenseCount = 15;  // tenses 0-14; 14 is the imperative

struct FormKey {
    int32_t verbIndex = 0;
    bool pronominal = false;
    bool alternate = false;
    int32_t slot = 0;
    auto operator<=>(const FormKey&) const = default;
};

// The slot of (tense, person), or -1 when the tense has no such person
// (the imperative's je, il, ils).
int SlotOf(int tense, int person);
// The tense and person of an asked slot (0-86), false for the others.
bool TenseAndPerson(int slot, int& tense, int& person);

struct Question {
    FormKey key;
    int tense = 0;
    int person = 0;
    std::string infinitive;  // as shown: "se souvenir" for the pronominal form
    std::string tenseName;
    std::string answer;               // the whole form: "nous nous sommes souvenus"
    std::string otherVariant;         // the slot in the variant not asked, when it differs
    std::string PersonLabel() const;  // "nous"; "(tu)" for the imperative
    std::string Prompt() const;       // "nous — venir — Passé Simple"
};

// Where the forms come from: the bound module, or a table in tests. Text is
// UTF-8.
class FormSource {
public:
    virtual ~FormSource() = default;
    virtual int32_t VerbCount() const = 0;
    // The 94 slots with placeholders left out; false when the verb does not
    // exist or has no such form (pronominal asked of a verb without one,
    // second variant of a verb with none).
    virtual bool Forms(int32_t verbIndex, bool pronominal, bool alternate,
                       std::array<std::string, 94>& forms) const = 0;
    virtual std::string TenseName(int tense) const = 0;
};

class ModuleFormSource : public FormSource {
public:
    explicit ModuleFormSource(const LanguageModule& module) : module_(module) {}
    int32_t VerbCount() const override;
    bool Forms(int32_t verbIndex, bool pronominal, bool alternate,
               std::array<std::string, 94>& forms) const override;
    std::string TenseName(int tense) const override;

private:
    const LanguageModule& module_;
};

// True for a text that is a form the learner can be asked.
bool IsAskableForm(const std::string& text);

// The question for one form, or false when the verb lacks it.
bool MakeQuestion(const FormSource& source, const FormKey& key, Question& question);

// The sizes of the choices "the N verbs learners meet first", offered when
// the module ranks its verbs (LanguageModule::VerbsMetFirst).
inline constexpr int32_t MetFirstTiers[] = {50, 200, 1000};

enum class FormChoice { Plain = 0, Pronominal = 1, Both = 2 };

struct PracticeSetup {
    std::vector<int32_t> verbs;                  // the verbs to draw from
    std::array<bool, AskedTenseCount> tenses{};  // which tenses
    std::array<bool, PersonCount> persons{true, true, true, true, true, true};
    FormChoice forms = FormChoice::Plain;
    int count = 20;
    bool Allows(const FormKey& key) const;
};

// Up to setup.count questions, no form twice, drawn evenly across the verbs
// (each round takes one form of each verb, in shuffled order), in shuffled
// order. The same generator state gives the same questions.
std::vector<Question> PickQuestions(const FormSource& source, const PracticeSetup& setup, std::mt19937& rng);

// Questions from the learner's own records: the forms `wanted` accepts that
// the setup allows and the verb still has, the longest overdue first (ties
// broken by the generator), at most setup.count, then shuffled. setup.verbs
// is not used: any verb of the records may come.
std::vector<Question> PickFromRecords(const FormSource& source, const PracticeSetup& setup,
                                      const std::map<FormKey, FormRecord>& records,
                                      bool (*wanted)(const FormRecord&, int64_t today), int64_t today,
                                      std::mt19937& rng);

inline bool WantDue(const FormRecord& r, int64_t today) { return IsDue(r, today); }
inline bool WantMistake(const FormRecord& r, int64_t) { return IsMistake(r); }

// The simple tenses (0-6 and the imperative), checked in a new setup.
std::array<bool, AskedTenseCount> SimpleTenses();

}  // namespace practice
