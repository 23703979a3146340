// The practice core: answer checking, Leitner steps, question choice (on a
// table of forms and on the real module), and a session's retries.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "AnswerCheck.h"
#include "LanguageModule.h"
#include "Leitner.h"
#include "PracticeSession.h"
#include "QuestionPicker.h"

using namespace practice;

namespace {

struct CheckCase {
    const char* typed;
    const char* expected;
    Verdict strict, warn, ignore;
};

}  // namespace

TEST(AnswerCheck, VerdictsUnderEachPolicy) {
    const Verdict R = Verdict::Right, A = Verdict::Accents, W = Verdict::Wrong;
    const CheckCase cases[] = {
        {"nous vînmes", "nous vînmes", R, R, R},
        {"vînmes", "nous vînmes", R, R, R},            // pronoun left out
        {"  Nous   VÎNMES ", "nous vînmes", R, R, R},  // case and spaces
        {"nous vinmes", "nous vînmes", W, A, R},       // accent missing
        {"nous vénmes", "nous vînmes", W, W, W},       // another letter
        {"vinmes", "nous vînmes", W, A, R},
        {"nous venons", "nous vînmes", W, W, W},
        {"", "nous vînmes", W, W, W},
        {"nous", "nous vînmes", W, W, W},  // the pronoun alone
        {"j'aime", "j'aime", R, R, R},
        {"j’aime", "j'aime", R, R, R},  // typographic apostrophe
        {"j' aime", "j'aime", R, R, R},
        {"aime", "j'aime", R, R, R},
        {"que je vienne", "que je vienne", R, R, R},
        {"je vienne", "que je vienne", R, R, R},
        {"vienne", "que je vienne", R, R, R},
        {"qu'il vienne", "qu'il vienne", R, R, R},
        {"il vienne", "qu'il vienne", R, R, R},
        {"nous sommes venus", "nous sommes venus", R, R, R},  // compound, whole
        {"venus", "nous sommes venus", W, W, W},              // the auxiliary is part of it
        {"je manoeuvre", "je manœuvre", R, R, R},             // œ as oe
        {"je MANŒUVRE", "je manœuvre", R, R, R},
        {"je manouvre", "je manœuvre", W, W, W},
        {"ÉTAIS", "j'étais", R, R, R},  // capital accented letter
        {"etais", "j'étais", W, A, R},
        {"je me suis souvenu", "je me suis souvenu", R, R, R},
        {"me suis souvenu", "je me suis souvenu", R, R, R},
        {"je suis souvenu", "je me suis souvenu", W, W, W},  // the reflexive pronoun counts
        {"vie\xCC\x81ns", "viens", W, A, R},                 // an accent too many, decomposed
        {"e\xCC\x81tais", "j'étais", R, R, R},               // and joins its letter
        {"vinmes", "vînmes", W, A, R},                       // imperative-like, no pronoun
    };
    for (const CheckCase& c : cases) {
        EXPECT_EQ(CheckAnswer(c.typed, c.expected, AccentPolicy::Strict).verdict, c.strict) << c.typed;
        EXPECT_EQ(CheckAnswer(c.typed, c.expected, AccentPolicy::Warn).verdict, c.warn) << c.typed;
        EXPECT_EQ(CheckAnswer(c.typed, c.expected, AccentPolicy::Ignore).verdict, c.ignore) << c.typed;
    }
}

TEST(AnswerCheck, TheCorrectionMarksWhereTheAnswerPartsFromTheForm) {
    struct {
        const char* typed;
        const char* expected;
        std::size_t start, length;
    } cases[] = {
        {"nous venimes", "nous vînmes", 6, 2},          // "în" against "eni"
        {"venimes", "nous vînmes", 6, 2},               // measured on the form shown
        {"nous vînme", "nous vînmes", 10, 1},           // a letter short
        {"xyz", "nous vînmes", 5, 6},                   // nothing in common
        {"nous abaissions", "nous abaissâmes", 11, 3},  // "âme" against "ion"
        {"j'abaissai", "nous abaissâmes", 5, 10},       // another person: all of it
    };
    for (const auto& c : cases) {
        const CheckResult r = CheckAnswer(c.typed, c.expected, AccentPolicy::Strict);
        EXPECT_EQ(r.verdict, Verdict::Wrong) << c.typed;
        EXPECT_EQ(r.markStart, c.start) << c.typed;
        EXPECT_EQ(r.markLength, c.length) << c.typed;
    }
}

TEST(AnswerCheck, EitherVariantAnotherSubjectOrAnAgreeingParticipleIsRight) {
    const Verdict R = Verdict::Right, A = Verdict::Accents, W = Verdict::Wrong;
    const struct {
        const char* typed;
        const char* asked;
        const char* other;
        Verdict strict, warn, ignore;
    } cases[] = {
        {"je paye", "je paie", "je paye", R, R, R},
        {"paye", "je paie", "je paye", R, R, R},  // pronoun left out
        {"je paye", "je paie", "", W, W, W},      // a verb of one variant
        {"je pays", "je paie", "je paye", W, W, W},
        {"je suis passé", "j'ai passé", "je suis passé", R, R, R},  // the other auxiliary
        {"suis passe", "j'ai passé", "je suis passé", W, A, R},
        {"j'ai passé", "je suis passé", "j'ai passé", R, R, R},
        {"nous avons entré", "nous sommes entrés", "nous avons entré", R, R, R},
        {"nous sommes entres", "nous sommes entrés", "nous avons entré", W, A, R},
        {"nous sommes entré", "nous sommes entrés", "nous avons entré", W, W, W},  // the agreement counts
        // Another subject, and être's participle agreeing with it.
        {"je suis allée", "je suis allé", "", R, R, R},
        {"elle est allée", "il est allé", "", R, R, R},
        {"on est allé", "il est allé", "", R, R, R},
        {"elle est allee", "il est allé", "", W, A, R},
        {"elles se sont assises", "ils se sont assis", "", R, R, R},
        {"tu t'es lavée", "tu t'es lavé", "", R, R, R},
        {"qu'elle soit venue", "qu'il soit venu", "", R, R, R},
        {"que nous soyons venues", "que nous soyons venus", "", R, R, R},
        {"je suis allées", "je suis allé", "", W, W, W},
        {"j'ai mangée", "j'ai mangé", "", W, W, W},  // no agreement with avoir
        {"elle a mangé", "il a mangé", "", R, R, R},
        {"je suis passée", "j'ai passé", "je suis passé", R, R, R},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CheckAnswer(c.typed, c.asked, c.other, AccentPolicy::Strict).verdict, c.strict) << c.typed;
        EXPECT_EQ(CheckAnswer(c.typed, c.asked, c.other, AccentPolicy::Warn).verdict, c.warn) << c.typed;
        EXPECT_EQ(CheckAnswer(c.typed, c.asked, c.other, AccentPolicy::Ignore).verdict, c.ignore) << c.typed;
    }
    // A wrong answer is marked in the form asked.
    const CheckResult r = CheckAnswer("je payes", "je paie", "je paye", AccentPolicy::Strict);
    EXPECT_TRUE(r.markLength > 0 && r.markStart + r.markLength <= 7);
}

TEST(Leitner, BoxesClimbOnRightFallOnWrongAndHoldOnAccents) {
    FormRecord r;
    const int64_t day0 = 20000;
    // (verdict, day answered) -> (box, due day)
    struct Step {
        Verdict verdict;
        int64_t day;
        int box;
        int64_t due;
    } steps[] = {
        {Verdict::Right, day0, 1, day0 + 1},       {Verdict::Right, day0 + 1, 2, day0 + 3},
        {Verdict::Right, day0 + 3, 3, day0 + 7},   {Verdict::Accents, day0 + 7, 3, day0 + 11},
        {Verdict::Right, day0 + 11, 4, day0 + 19}, {Verdict::Right, day0 + 19, 5, day0 + 35},
        {Verdict::Right, day0 + 35, 5, day0 + 51},  // the top box keeps its 16 days
        {Verdict::Wrong, day0 + 51, 1, day0 + 52}, {Verdict::Accents, day0 + 52, 1, day0 + 53},
    };
    for (const Step& s : steps) {
        EXPECT_FALSE(IsDue(r, s.day - 1) && r.box > 0 && r.dueDay > s.day - 1);
        ApplyAnswer(r, s.verdict, s.day, s.day * 86400);
        EXPECT_EQ(r.box, s.box);
        EXPECT_EQ(r.dueDay, s.due);
        EXPECT_FALSE(IsDue(r, s.due - 1));
        EXPECT_TRUE(IsDue(r, s.due));
    }
    EXPECT_EQ(r.right, 6);
    EXPECT_EQ(r.accents, 2);
    EXPECT_EQ(r.wrong, 1);
    EXPECT_TRUE(IsMistake(r));
    ApplyAnswer(r, Verdict::Right, day0 + 53, 0);
    ApplyAnswer(r, Verdict::Right, day0 + 55, 0);
    EXPECT_EQ(r.box, 3);
    EXPECT_FALSE(IsMistake(r));  // learned again
    FormRecord never;
    EXPECT_FALSE(IsDue(never, day0));
    EXPECT_FALSE(IsMistake(never));
}

namespace {

// Three verbs: a full one, an impersonal one (il only, no imperative) and
// a defective one (no passé simple, placeholders that must not leak).
class TableSource : public FormSource {
public:
    int32_t VerbCount() const override { return 3; }
    bool Forms(int32_t verb, bool pronominal, bool alternate, std::array<std::string, 94>& f) const override {
        if (alternate || verb < 0 || verb > 2 || (pronominal && verb != 0)) return false;
        f.fill("");
        const char* pronouns[6] = {"je ", "tu ", "il ", "nous ", "vous ", "ils "};
        for (int t = 0; t < 14; ++t)
            for (int p = 0; p < 6; ++p)
                f[t * 6 + p] = std::string(pronouns[p]) + (pronominal ? "me " : "") + "v" +
                               std::to_string(verb) + "t" + std::to_string(t) + "p" + std::to_string(p);
        for (int i = 0; i < 3; ++i) f[84 + i] = "imp" + std::to_string(i);
        f[93] = pronominal ? "se v0" : "v" + std::to_string(verb);
        if (verb == 1) {
            for (int s = 0; s < 84; ++s)
                if (s % 6 != 2) f[s].clear();
            for (int i = 84; i < 90; ++i) f[i].clear();
        }
        if (verb == 2) {
            for (int p = 0; p < 6; ++p) f[2 * 6 + p].clear();
            f[2 * 6 + 2] = "N'existe pas";
            f[86] = "pas d'impératif";
        }
        return true;
    }
    std::string TenseName(int tense) const override { return "T" + std::to_string(tense); }
};

PracticeSetup AllOf(std::vector<int32_t> verbs, int count) {
    PracticeSetup s;
    s.verbs = std::move(verbs);
    s.tenses.fill(true);
    s.count = count;
    return s;
}

}  // namespace

TEST(QuestionPicker, NeverAsksAMissingFormNorTheSameFormTwice) {
    const TableSource source;
    for (FormChoice choice : {FormChoice::Plain, FormChoice::Pronominal, FormChoice::Both}) {
        for (unsigned seed = 1; seed <= 20; ++seed) {
            PracticeSetup setup = AllOf({0, 1, 2, 7, -1}, 1000);
            setup.forms = choice;
            std::mt19937 rng(seed);
            const auto qs = PickQuestions(source, setup, rng);
            std::set<FormKey> seen;
            for (const Question& q : qs) {
                EXPECT_TRUE(IsAskableForm(q.answer)) << q.answer;
                EXPECT_TRUE(seen.insert(q.key).second);
                EXPECT_TRUE(setup.Allows(q.key));
                if (q.key.verbIndex == 1) {
                    EXPECT_EQ(q.person, 2);
                }
                if (q.key.verbIndex == 2) {
                    EXPECT_NE(q.tense, 2);
                }
            }
            // Everything the verbs have: 87 + 14 + 84 - 6 - 1 plain, 87 pronominal.
            const size_t plain = 87 + 14 + 80, pronominal = 87;
            EXPECT_EQ(qs.size(), choice == FormChoice::Plain        ? plain
                                 : choice == FormChoice::Pronominal ? pronominal
                                                                    : plain + pronominal);
        }
    }
}

TEST(QuestionPicker, FollowsTheSetupSpreadsAcrossVerbsAndRepeatsWithTheSeed) {
    const TableSource source;
    PracticeSetup setup = AllOf({0, 2}, 6);
    setup.tenses = {};
    setup.tenses[0] = setup.tenses[ImperativeTense] = true;
    setup.persons = {false, true, false, true, false, false};
    std::mt19937 a(7), b(7);
    const auto first = PickQuestions(source, setup, a);
    const auto again = PickQuestions(source, setup, b);
    ASSERT_EQ(first.size(), 6u);
    int perVerb[3] = {};
    for (size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(first[i].key, again[i].key);
        EXPECT_TRUE(first[i].tense == 0 || first[i].tense == ImperativeTense);
        EXPECT_TRUE(first[i].person == 1 || first[i].person == 3);
        ++perVerb[first[i].key.verbIndex];
    }
    EXPECT_EQ(perVerb[0], 3);
    EXPECT_EQ(perVerb[2], 3);
    EXPECT_EQ(first[0].Prompt().find(" \u2014 v"), first[0].PersonLabel().size());
}

TEST(QuestionPicker, MistakesAndDueFormsComeFromTheRecordsOverdueFirst) {
    const TableSource source;
    const int64_t today = 100;
    std::map<FormKey, FormRecord> records;
    auto add = [&](FormKey k, int box, int64_t due, int wrong) {
        FormRecord r;
        r.box = box;
        r.dueDay = due;
        r.wrong = wrong;
        r.lastVerdict = wrong ? Verdict::Wrong : Verdict::Right;
        records[k] = r;
    };
    add({0, false, false, 0}, 1, 99, 1);   // mistake, overdue
    add({0, false, false, 1}, 3, 100, 0);  // due today
    add({0, false, false, 2}, 4, 105, 0);  // not due
    add({2, false, false, 12}, 1, 90, 2);  // a form the verb lacks now
    add({0, true, false, 3}, 1, 98, 1);    // pronominal mistake
    PracticeSetup setup = AllOf({}, 10);
    std::mt19937 rng(3);
    std::set<FormKey> due, mistakes;
    for (const auto& q : PickFromRecords(source, setup, records, WantDue, today, rng)) due.insert(q.key);
    for (const auto& q : PickFromRecords(source, setup, records, WantMistake, today, rng))
        mistakes.insert(q.key);
    EXPECT_EQ(due, (std::set<FormKey>{{0, false, false, 0}, {0, false, false, 1}}));
    EXPECT_EQ(mistakes, (std::set<FormKey>{{0, false, false, 0}}));
    setup.forms = FormChoice::Both;
    setup.count = 1;
    const auto one = PickFromRecords(source, setup, records, WantMistake, today, rng);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].key, (FormKey{0, true, false, 3}));  // the longest overdue
}

TEST(PracticeSession, AMissedQuestionComesBackUntilAnsweredRight) {
    std::vector<Question> qs(5);
    for (int i = 0; i < 5; ++i) {
        qs[i].key.slot = i;
        qs[i].tense = i % 2;
    }
    PracticeSession s(qs);
    std::vector<int> order;
    int misses = 2;
    while (!s.Finished()) {
        const int slot = s.Current().key.slot;
        order.push_back(slot);
        s.Answer(slot == 0 && misses-- > 0 ? Verdict::Wrong : Verdict::Right);
    }
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 0, 4, 0}));
    EXPECT_EQ(s.FirstTimeRight(), 4);
    EXPECT_EQ(s.ByTense()[0].wrong, 2);
    EXPECT_EQ(s.ByTense()[0].right, 3);
    EXPECT_EQ(s.Total().Total(), 7);

    // Every answer wrong: the questions not asked yet still come, each
    // within two answers of the one before.
    PracticeSession wrong(std::vector<Question>(qs.begin(), qs.end()));
    std::set<int> asked;
    for (int answer = 0; answer < 10; ++answer) {
        asked.insert(wrong.Current().key.slot);
        wrong.Answer(Verdict::Wrong);
    }
    EXPECT_EQ(asked.size(), 5u);
}

TEST(QuestionPicker, OnTheRealModuleEveryAskedFormExistsAndIsWhole) {
    LanguageModule module;
    module.readOnlyDefinitions = true;
    ASSERT_TRUE(module.Load("French.ldl")) << "French.ldl is built with the tests";
    const ModuleFormSource source(module);
    PracticeSetup setup;
    for (int32_t v = 0; v < source.VerbCount(); ++v) setup.verbs.push_back(v);
    setup.tenses.fill(true);
    setup.forms = FormChoice::Both;
    setup.count = 3000;
    std::mt19937 rng(21);
    const auto qs = PickQuestions(source, setup, rng);
    ASSERT_EQ(qs.size(), 3000u);
    for (const Question& q : qs) {
        ASSERT_TRUE(IsAskableForm(q.answer)) << q.Prompt();
        EXPECT_FALSE(q.tenseName.empty());
        if (q.tense >= 7 && q.tense <= 13) {  // pronoun, auxiliary and participle: "j'ai aimé", "il est venu"
            EXPECT_GE(std::count(q.answer.begin(), q.answer.end(), ' ') +
                          std::count(q.answer.begin(), q.answer.end(), '\''),
                      2)
                << q.answer;
        }
        EXPECT_EQ(CheckAnswer(q.answer, q.answer, AccentPolicy::Strict).verdict, Verdict::Right) << q.answer;
    }
    // The impersonal "falloir" is asked in the third person only.
    const int32_t falloir = module.FindVerbIndex("falloir");
    ASSERT_GE(falloir, 0);
    setup.verbs = {falloir};
    setup.forms = FormChoice::Plain;
    for (const Question& q : PickQuestions(source, setup, rng)) EXPECT_EQ(q.person, 2) << q.answer;
    Question venir;
    ASSERT_TRUE(MakeQuestion(source, {module.FindVerbIndex("venir"), false, false, SlotOf(2, 3)}, venir));
    EXPECT_EQ(venir.Prompt(), "nous \u2014 venir \u2014 Passé Simple");
    EXPECT_EQ(venir.answer, "nous vînmes");
}

// A verb of two variants is asked in either, the other's form being right
// too: payer (je paie / je paye) and passer (je suis passé / j'ai passé).
TEST(QuestionPicker, OnTheRealModuleBothVariantsAreAskedAndEitherIsRight) {
    LanguageModule module;
    module.readOnlyDefinitions = true;
    ASSERT_TRUE(module.Load("French.ldl")) << "French.ldl is built with the tests";
    const ModuleFormSource source(module);
    const int32_t payer = module.FindVerbIndex("payer"), passer = module.FindVerbIndex("passer");
    PracticeSetup setup = AllOf({payer, passer}, 1000);
    std::set<FormKey> keys;
    for (unsigned seed = 1; seed <= 6; ++seed) {
        std::mt19937 rng(seed);
        std::set<std::pair<int32_t, int>> slots;  // a session asks a slot in one variant only
        for (const Question& q : PickQuestions(source, setup, rng)) {
            keys.insert(q.key);
            EXPECT_TRUE(slots.insert({q.key.verbIndex, q.key.slot}).second) << q.Prompt();
            EXPECT_NE(q.otherVariant, q.answer);
            if (!q.otherVariant.empty()) {
                EXPECT_EQ(CheckAnswer(q.otherVariant, q.answer, q.otherVariant, AccentPolicy::Strict).verdict,
                          Verdict::Right);
            }
        }
    }
    for (const FormKey& key : {FormKey{payer, false, false, 0}, FormKey{payer, false, true, 0},
                               FormKey{passer, false, false, 42}, FormKey{passer, false, true, 42}})
        EXPECT_TRUE(keys.count(key)) << key.verbIndex << " " << key.alternate;
    // A form from the record (my mistakes, due today) knows the other variant too.
    Question passe;
    ASSERT_TRUE(MakeQuestion(source, {passer, false, true, 42}, passe));
    EXPECT_EQ(passe.answer, "j'ai passé");
    EXPECT_EQ(passe.otherVariant, "je suis passé");
}
