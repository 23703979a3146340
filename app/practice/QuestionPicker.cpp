#include "QuestionPicker.h"

#include <algorithm>

#include "Cp1252.h"
#include "LanguageModule.h"

namespace practice {

namespace {
constexpr int ImperativePersons[3] = {1, 3, 4};
constexpr const char* PersonLabels[PersonCount] = {"je", "tu", "il", "nous", "vous", "ils"};
}  // namespace

int SlotOf(int tense, int person) {
    if (person < 0 || person >= PersonCount || tense < 0 || tense >= AskedTenseCount) return -1;
    if (tense < ImperativeTense) return tense * 6 + person;
    for (int i = 0; i < 3; ++i) {
        if (ImperativePersons[i] == person) return ImperativeSlot + i;
    }
    return -1;
}

bool TenseAndPerson(int slot, int& tense, int& person) {
    if (slot >= 0 && slot < ImperativeSlot) {
        tense = slot / 6;
        person = slot % 6;
        return true;
    }
    if (slot >= ImperativeSlot && slot < ImperativeSlot + 3) {
        tense = ImperativeTense;
        person = ImperativePersons[slot - ImperativeSlot];
        return true;
    }
    return false;
}

std::string Question::PersonLabel() const {
    const std::string label = PersonLabels[person];
    return tense == ImperativeTense ? "(" + label + ")" : label;
}

std::string Question::Prompt() const {
    return PersonLabel() + " \u2014 " + infinitive + " \u2014 " + tenseName;
}

int32_t ModuleFormSource::VerbCount() const { return module_.GetVerbCount(); }

bool ModuleFormSource::Forms(int32_t verbIndex, bool pronominal, bool alternate,
                             std::array<std::string, 94>& forms) const {
    char buffers[FormSlotCount][FormBufferSize] = {};
    char* pointers[FormSlotCount];
    for (int i = 0; i < FormSlotCount; ++i) pointers[i] = buffers[i];
    char labels[256] = {};
    bool hasAlternate = false, canBePronominal = false, useAlternate = alternate, isPronominal = pronominal;
    if (!module_.ConjugateVerb(verbIndex, true, &hasAlternate, &canBePronominal, &useAlternate, &isPronominal,
                               labels, pointers))
        return false;
    if (pronominal && !(canBePronominal && isPronominal)) return false;
    if (alternate && !hasAlternate) return false;
    for (int i = 0; i < FormSlotCount; ++i) {
        buffers[i][FormBufferSize - 1] = 0;
        forms[i] = cp1252::ToUtf8(buffers[i]);
    }
    return true;
}

std::string ModuleFormSource::TenseName(int tense) const {
    const char* name = module_.GetTenseName2(tense);
    return name ? cp1252::ToUtf8(name) : std::string();
}

bool IsAskableForm(const std::string& text) {
    if (text.empty()) return false;
    if (text.find("N'existe pas") != std::string::npos) return false;
    if (text.find("pas d'imp") != std::string::npos) return false;
    return true;
}

bool PracticeSetup::Allows(const FormKey& key) const {
    int tense = 0, person = 0;
    if (!TenseAndPerson(key.slot, tense, person)) return false;
    if (!tenses[tense] || !persons[person]) return false;
    if (forms == FormChoice::Plain && key.pronominal) return false;
    if (forms == FormChoice::Pronominal && !key.pronominal) return false;
    return true;
}

namespace {

Question QuestionFrom(const FormSource& source, const FormKey& key,
                      const std::array<std::string, 94>& forms) {
    Question q;
    q.key = key;
    TenseAndPerson(key.slot, q.tense, q.person);
    q.infinitive = forms[InfinitiveSlot];
    q.tenseName = source.TenseName(q.tense);
    q.answer = forms[key.slot];
    return q;
}

// The slot's form in the other variant, when it is a different form to ask.
std::string OtherVariant(const std::string& asked, const std::string& other) {
    return IsAskableForm(other) && other != asked ? other : std::string();
}

}  // namespace

bool MakeQuestion(const FormSource& source, const FormKey& key, Question& question) {
    int tense = 0, person = 0;
    if (!TenseAndPerson(key.slot, tense, person)) return false;
    std::array<std::string, 94> forms;
    if (!source.Forms(key.verbIndex, key.pronominal, key.alternate, forms)) return false;
    if (!IsAskableForm(forms[key.slot])) return false;
    question = QuestionFrom(source, key, forms);
    std::array<std::string, 94> other;
    if (source.Forms(key.verbIndex, key.pronominal, !key.alternate, other))
        question.otherVariant = OtherVariant(question.answer, other[key.slot]);
    return true;
}

std::vector<Question> PickQuestions(const FormSource& source, const PracticeSetup& setup, std::mt19937& rng) {
    std::vector<Question> picked;
    if (setup.count <= 0) return picked;
    // Each verb's askable forms, shuffled; verbs are conjugated lazily, so
    // a session over all verbs costs one conjugation per question.
    struct Pool {
        int32_t verb;
        bool pronominal;
        bool loaded = false;
        std::vector<Question> questions;
    };
    std::vector<Pool> pools;
    for (int32_t v : setup.verbs) {
        if (v < 0 || v >= source.VerbCount()) continue;
        if (setup.forms != FormChoice::Pronominal) pools.push_back({v, false, false, {}});
        if (setup.forms != FormChoice::Plain) pools.push_back({v, true, false, {}});
    }
    std::shuffle(pools.begin(), pools.end(), rng);
    bool any = true;
    while (any && static_cast<int>(picked.size()) < setup.count) {
        any = false;
        for (Pool& pool : pools) {
            if (static_cast<int>(picked.size()) >= setup.count) break;
            if (!pool.loaded) {
                pool.loaded = true;
                std::array<std::string, 94> variants[2];
                const bool hasFirst = source.Forms(pool.verb, pool.pronominal, false, variants[0]);
                const bool hasSecond = source.Forms(pool.verb, pool.pronominal, true, variants[1]);
                for (int slot = 0; hasFirst && slot < ImperativeSlot + 3; ++slot) {
                    if (!setup.Allows({pool.verb, pool.pronominal, false, slot})) continue;
                    // Where the variants differ, the slot is asked in one
                    // of them; the other's form is right as well.
                    const std::string& first = variants[0][slot];
                    const std::string other =
                        hasSecond ? OtherVariant(first, variants[1][slot]) : std::string();
                    bool alternate = false;
                    if (!other.empty()) alternate = !IsAskableForm(first) || (rng() & 1) != 0;
                    const auto& asked = variants[alternate ? 1 : 0];
                    if (!IsAskableForm(asked[slot])) continue;
                    Question q = QuestionFrom(source, {pool.verb, pool.pronominal, alternate, slot}, asked);
                    q.otherVariant = OtherVariant(q.answer, variants[alternate ? 0 : 1][slot]);
                    pool.questions.push_back(std::move(q));
                }
                std::shuffle(pool.questions.begin(), pool.questions.end(), rng);
            }
            if (pool.questions.empty()) continue;
            picked.push_back(std::move(pool.questions.back()));
            pool.questions.pop_back();
            any = true;
        }
    }
    std::shuffle(picked.begin(), picked.end(), rng);
    return picked;
}

std::vector<Question> PickFromRecords(const FormSource& source, const PracticeSetup& setup,
                                      const std::map<FormKey, FormRecord>& records,
                                      bool (*wanted)(const FormRecord&, int64_t), int64_t today,
                                      std::mt19937& rng) {
    std::vector<std::pair<FormKey, int64_t>> candidates;
    for (const auto& [key, record] : records) {
        if (setup.Allows(key) && wanted(record, today)) candidates.emplace_back(key, record.dueDay);
    }
    std::shuffle(candidates.begin(), candidates.end(), rng);
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const auto& a, const auto& b) { return a.second < b.second; });
    std::vector<Question> picked;
    for (const auto& [key, due] : candidates) {
        if (static_cast<int>(picked.size()) >= setup.count) break;
        Question q;
        if (MakeQuestion(source, key, q)) picked.push_back(std::move(q));
    }
    std::shuffle(picked.begin(), picked.end(), rng);
    return picked;
}

std::array<bool, AskedTenseCount> SimpleTenses() {
    std::array<bool, AskedTenseCount> t{};
    for (int i = 0; i <= 6; ++i) t[i] = true;
    t[ImperativeTense] = true;
    return t;
}

}  // namespace practice
