#include "QuizCommand.h"

#include <QCoreApplication>
#include <algorithm>
#include <iterator>
#include <random>

#include "ConjOptions.h"
#include "ConjProgram.h"
#include "Cp1252.h"
#include "LanguageModule.h"
#include "PracticeSession.h"
#include "PracticeStore.h"

using namespace practice;

namespace {

constexpr const char* QuizSynopsis =
    "Usage: plimo-conj --quiz [--tense NAMES] [--verbs LIST | --top N | --mistakes | --due]\n"
    "                         [--count N] [--accents strict|warn|ignore] [--seed N] [--module FILE]\n";

constexpr const char* QuizHelp =
    "\n"
    "Drills conjugated forms: one question a line on standard output, one answer a\n"
    "line from standard input, judged at once and kept in the practice record.\n"
    "\n"
    "      --tense NAMES  the tenses to ask, by name or number 0-14 (default: the\n"
    "                     simple tenses and the imperative)\n"
    "      --verbs LIST   these verbs, separated by commas (\"se souvenir\" for the\n"
    "                     pronominal form)\n"
    "      --top N        the N verbs learners meet first\n"
    "      --mistakes     the forms you have missed and not learned since\n"
    "      --due          the forms your Leitner boxes bring back today\n"
    "      --count N      how many questions (1 to 1000, default 20)\n"
    "      --accents strict|warn|ignore\n"
    "                     how a wrong accent counts (default warn)\n"
    "      --seed N       the same questions for the same N\n"
    "      --module FILE  the language module to load (default French.ldl)\n"
    "Without --verbs, --top, --mistakes or --due, any verb may be asked.\n";

void Say(std::FILE* err, const std::string& text) { std::fprintf(err, "plimo-conj: %s\n", text.c_str()); }

std::vector<std::string> SplitList(const std::string& text) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : text + ",") {
        if (c == ',' || c == ';') {
            while (!part.empty() && part.back() == ' ') part.pop_back();
            size_t start = part.find_first_not_of(' ');
            if (start != std::string::npos) parts.push_back(part.substr(start));
            part.clear();
        } else {
            part += c;
        }
    }
    return parts;
}

bool ParseCount(const std::string& text, int low, int high, int& value) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    value = std::stoi(text);
    return value >= low && value <= high;
}

struct QuizOptions {
    std::string tenses, verbs, moduleFile = "French.ldl";
    enum { All, List, Top, Mistakes, Due } source = All;
    bool help = false;
    int top = 0;
    int count = 20;
    AccentPolicy policy = AccentPolicy::Warn;
    bool seeded = false;
    int seed = 0;
};

bool ParseQuiz(const std::vector<std::string>& args, QuizOptions& o, std::string& error) {
    int sources = 0;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) return false;
            out = args[++i];
            return true;
        };
        std::string v;
        if (a == "--quiz") {
        } else if (a == "--tense") {
            if (!value(o.tenses) || o.tenses.empty()) return error = "--tense needs tense names", false;
        } else if (a == "--verbs") {
            if (!value(o.verbs) || o.verbs.empty()) return error = "--verbs needs a list of verbs", false;
            o.source = QuizOptions::List;
            ++sources;
        } else if (a == "--mistakes" || a == "--due") {
            o.source = a == "--due" ? QuizOptions::Due : QuizOptions::Mistakes;
            ++sources;
        } else if (a == "--top") {
            if (!value(v) || !ParseCount(v, 1, 999999999, o.top))
                return error = "--top needs a number of verbs, 1 or more (--top 50)", false;
            o.source = QuizOptions::Top;
            ++sources;
        } else if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--count") {
            if (!value(v) || !ParseCount(v, 1, 1000, o.count))
                return error = "--count needs a number from 1 to 1000", false;
        } else if (a == "--accents") {
            if (!value(v) || !ParsePolicy(v, o.policy))
                return error = "--accents needs one of: strict, warn, ignore", false;
        } else if (a == "--seed") {
            if (!value(v) || !ParseCount(v, 0, 999999999, o.seed))
                return error = "--seed needs a number", false;
            o.seeded = true;
        } else if (a == "--module") {
            if (!value(o.moduleFile) || o.moduleFile.empty())
                return error = "--module needs a file name", false;
        } else {
            return error = "unknown option for --quiz: " + a, false;
        }
    }
    if (sources > 1) return error = "choose one of --verbs, --top, --mistakes and --due", false;
    return true;
}

}  // namespace

bool IsQuizCommand(const std::vector<std::string>& arguments) {
    // "--find --quiz" looks for the text "--quiz"; "--" ends the options.
    static const std::string_view quizValues[] = {"--verbs", "--top", "--count", "--accents", "--seed"};
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == "--") return false;
        if (a == "--quiz") return true;
        if (ConjOptionTakesValue(a) ||
            std::find(std::begin(quizValues), std::end(quizValues), a) != std::end(quizValues))
            ++i;
    }
    return false;
}

namespace {

// The verbs and tenses the options ask for, in `setup`; an exit code when
// they cannot be had, -1 otherwise.
int ChooseForms(const LanguageModule& module, const ModuleFormSource& source, const QuizOptions& o,
                PracticeSetup& setup, std::FILE* err) {
    setup.count = o.count;
    setup.tenses = SimpleTenses();
    if (!o.tenses.empty()) {
        setup.tenses = {};
        for (const std::string& name : SplitList(o.tenses)) {
            int found = -1;
            for (int t = 0; t < AskedTenseCount && found < 0; ++t) {
                if (name == std::to_string(t) ||
                    NormalizedAnswer(name, true) == NormalizedAnswer(source.TenseName(t), true))
                    found = t;
            }
            if (found < 0) {
                Say(err, "not a tense: " + name);
                return ConjUsageError;
            }
            setup.tenses[found] = true;
        }
    }
    if (o.source == QuizOptions::List) {
        for (std::string name : SplitList(o.verbs)) {
            for (const char* prefix : {"se ", "s'", "s\u2019"}) {
                if (name.rfind(prefix, 0) == 0) {
                    name = name.substr(std::string(prefix).size());
                    setup.forms = FormChoice::Both;
                }
            }
            const auto bytes = cp1252::FromUtf8(name);
            const int32_t v = bytes.ok ? module.FindVerbIndex(bytes.text) : -1;
            if (v < 0) {
                Say(err, "not a verb: " + name);
                return ConjNotFound;
            }
            setup.verbs.push_back(v);
        }
    } else if (o.source == QuizOptions::Top) {
        if (!module.CanRankVerbs()) {
            Say(err, "this language module does not rank its verbs, so --top cannot choose them");
            return ConjUsageError;
        }
        setup.verbs = module.VerbsMetFirst(o.top);
        if (static_cast<int>(setup.verbs.size()) < o.top)
            Say(err, "the module ranks " + std::to_string(setup.verbs.size()) + " verbs; asking those");
    } else {
        for (int32_t v = 0; v < source.VerbCount(); ++v) setup.verbs.push_back(v);
    }
    return -1;
}

// The practice record, opened where the program keeps it; a closed store
// (answers not kept) when it cannot be, said once.
void OpenStore(PracticeStore& store, std::FILE* err) {
    if (!store.Open(PracticeStore::DefaultPath())) {
        Say(err, store.Error().toStdString() + " Answers will not be kept.");
    } else if (!store.SetAsideNotice().isEmpty()) {
        Say(err, store.SetAsideNotice().toStdString());
    }
}

// Asks every question of `session`, a line each, until it is finished or
// the input ends; each answer is judged and kept.
void Ask(PracticeSession& session, PracticeStore& store, AccentPolicy policy, std::FILE* in, std::FILE* out,
         std::FILE* err) {
    int unrecorded = 0;
    char line[1024];
    while (!session.Finished()) {
        const Question q = session.Current();
        std::fprintf(out, "%s\n", q.Prompt().c_str());
        std::fflush(out);
        if (std::fgets(line, sizeof line, in) == nullptr) break;
        std::string typed = line;
        while (!typed.empty() && (typed.back() == '\n' || typed.back() == '\r')) typed.pop_back();
        const CheckResult result = CheckAnswer(typed, q.answer, q.otherVariant, policy);
        switch (result.verdict) {
        case Verdict::Right:
            std::fputs("right\n", out);
            break;
        case Verdict::Accents:
            std::fprintf(out, "mind the accents: %s\n", q.answer.c_str());
            break;
        case Verdict::Wrong:
            std::fprintf(out, "wrong: %s\n", q.answer.c_str());
            break;
        }
        if (store.IsOpen()) {
            const int64_t now = NowSeconds();
            if (!store.RecordAnswer(q.key, q.infinitive, q.tense, result.verdict, typed, LocalDay(now),
                                    now)) {
                if (unrecorded++ == 0) Say(err, store.Error().toStdString());
            }
        }
        session.Answer(result.verdict);
    }
}

// The questions of the session: from the record for --mistakes and --due,
// otherwise from the forms chosen.
std::vector<Question> Pick(const ModuleFormSource& source, PracticeSetup& setup, PracticeStore& store,
                           const QuizOptions& o) {
    std::mt19937 rng(o.seeded ? unsigned(o.seed) : std::random_device{}());
    if (o.source != QuizOptions::Mistakes && o.source != QuizOptions::Due)
        return PickQuestions(source, setup, rng);
    setup.forms = FormChoice::Both;
    std::map<FormKey, FormRecord> records;
    store.LoadRecords(records);
    return PickFromRecords(source, setup, records, o.source == QuizOptions::Due ? WantDue : WantMistake,
                           Today(), rng);
}

}  // namespace

int RunQuiz(const std::vector<std::string>& arguments, std::FILE* in, std::FILE* out, std::FILE* err) {
    QuizOptions o;
    std::string error;
    if (!ParseQuiz(arguments, o, error)) {
        Say(err, error);
        std::fputs(QuizSynopsis, err);
        return ConjUsageError;
    }
    if (o.help) {
        std::fputs(QuizSynopsis, out);
        std::fputs(QuizHelp, out);
        return std::fflush(out) == 0 ? ConjOk : ConjOutputError;
    }
    LanguageModule module;
    module.readOnlyDefinitions = true;
    if (!module.Load(o.moduleFile)) {
        Say(err, "Could not load language module. Error #" + std::to_string(platform::LastErrorCode()));
        return ConjModuleError;
    }
    const ModuleFormSource source(module);
    PracticeSetup setup;
    if (const int code = ChooseForms(module, source, o, setup, err); code >= 0) return code;

    // The SQLite driver is a Qt plugin, found through the application object.
    std::unique_ptr<QCoreApplication> app;
    if (QCoreApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "plimo-conj";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    PracticeStore store;
    OpenStore(store, err);

    std::vector<Question> questions = Pick(source, setup, store, o);
    if (questions.empty()) {
        std::fputs(o.source == QuizOptions::Due        ? "Nothing is due today.\n"
                   : o.source == QuizOptions::Mistakes ? "No mistakes to practise.\n"
                                                       : "No forms to ask.\n",
                   out);
        return ConjOk;
    }

    PracticeSession session(std::move(questions));
    Ask(session, store, o.policy, in, out, err);
    const Tally total = session.Total();
    std::fprintf(out, "Score: %d of %d right at the first try (%d right, %d accents, %d wrong).\n",
                 session.FirstTimeRight(), session.QuestionCount(), total.right, total.accents, total.wrong);
    if (std::fflush(out) != 0) return ConjOutputError;
    return ConjOk;
}
