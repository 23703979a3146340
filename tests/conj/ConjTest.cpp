#include <cstring>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>

#include "ConjOptions.h"
#include "ConjProgram.h"
#include "TestSupport.h"
#include "VerbSuggestions.h"

namespace {

struct ConjRun {
    int code;
    std::string out;
    std::string err;
};

std::string Slurp(std::FILE* file) {
    std::rewind(file);
    std::string text;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, n);
    std::fclose(file);
    return text;
}

ConjRun Conj(std::vector<std::string> arguments, bool fake = true) {
    if (fake) {
        arguments.insert(arguments.begin(), "FakeFull.ldl");
        arguments.insert(arguments.begin(), "--module");
    }
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    int code = RunConj(arguments, out, err);
    return {code, Slurp(out), Slurp(err)};
}

// The heading lines of a page: the lines that follow an empty line.
std::vector<std::string> Headings(const std::string& page) {
    std::vector<std::string> headings;
    size_t pos = 0;
    while ((pos = page.find("\n\n", pos)) != std::string::npos) {
        pos += 2;
        headings.push_back(page.substr(pos, page.find('\n', pos) - pos));
    }
    return headings;
}

using ConjCommand = InTempDirectory;

}  // namespace

TEST(ConjOptionsTest, BadCommandLinesAreRefused) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"--frobnicate", "placer"},
        {"--all", "placer"},
        {"--find"},
        {"--define"},
        {"--all", "--find", "x"},
        {"--definitions", "placer"},
        {"--whole-word", "placer"},
        {"--find", "x", "placer"},
        {"--find", "x", "--pronominal"},
        {"--ignore-accents", "placer"},
        {"--lookup", "x", "--prefix", "--pronominal"},
        {"--prefix", "placer"},
        {"--lookup", "x", "--find", "y"},
        {"--lookup"},
        {"--define", "placer", "--alternate"},
        {"--module"},
        {"--find", ""},
        {"--define="},
        {"--all=1"},
        {"--verbose=2", "placer"},
        {"-px", "placer"},
        {"--format", "xml", "placer"},
        {"--format"},
        {"--format=", "placer"},
        {"--tense", "present,,imparfait", "placer"},
        {"--tense=", "placer"},
        {"--define", "placer", "--tense", "present"},
        {"--find", "to", "--definitions", "--tense", "present"},
    };
    for (const auto& arguments : bad) {
        ConjParse parse = ParseConjOptions(arguments);
        EXPECT_FALSE(parse.ok) << (arguments.empty() ? "(none)" : arguments.front());
        EXPECT_FALSE(parse.error.empty());
    }
    ConjParse joined = ParseConjOptions({"se", "placer", "-p"});
    ASSERT_TRUE(joined.ok);
    EXPECT_EQ(joined.options.verb, "se placer");
    EXPECT_TRUE(joined.options.pronominal);
    // Values after "=", grouped one-letter flags, and a value that starts
    // with "-" (a search for "-nous" finds the imperative "plaçons-nous").
    ConjParse attached = ParseConjOptions({"--find=-nous", "-w"});
    ASSERT_TRUE(attached.ok) << attached.error;
    EXPECT_EQ(attached.options.pattern, "-nous");
    EXPECT_TRUE(attached.options.wholeWord);
    ConjParse separate = ParseConjOptions({"--find", "-nous"});
    ASSERT_TRUE(separate.ok) << separate.error;
    EXPECT_EQ(separate.options.pattern, "-nous");
    ConjParse grouped = ParseConjOptions({"-pa", "aller", "--module=Other.ldl"});
    ASSERT_TRUE(grouped.ok) << grouped.error;
    EXPECT_TRUE(grouped.options.pronominal);
    EXPECT_TRUE(grouped.options.alternate);
    EXPECT_EQ(grouped.options.verb, "aller");
    EXPECT_EQ(grouped.options.moduleFile, "Other.ldl");
    ConjParse scripted =
        ParseConjOptions({"--format=tsv", "--tense", "present,passe-compose", "--tense=imperatif", "placer"});
    ASSERT_TRUE(scripted.ok) << scripted.error;
    EXPECT_EQ(scripted.options.format, ConjFormat::Tsv);
    EXPECT_EQ(scripted.options.tenses, (std::vector<std::string>{"present", "passe-compose", "imperatif"}));
    EXPECT_EQ(ParseConjOptions({"--format", "xml", "placer"}).error,
              "unknown format \"xml\" (text, json, tsv)");
    ConjParse dashVerb = ParseConjOptions({"--", "-x"});
    ASSERT_TRUE(dashVerb.ok);
    EXPECT_EQ(dashVerb.options.verb, "-x");
}

TEST(ConjSuggestions, DistanceIgnoresAccentsAndCase) {
    EXPECT_EQ(FoldForComparison("\xC9TERNUER"), "eternuer");
    EXPECT_EQ(FoldForComparison("\x9Cuvrer"), "oeuvrer");
    EXPECT_EQ(FoldForComparison("na\xEEtre \xE0 c\xF4t\xE9"), "naitre a cote");
    EXPECT_EQ(EditDistance("placer", "placer"), 0);
    EXPECT_EQ(EditDistance("placerr", "placer"), 1);
    EXPECT_EQ(EditDistance("plaser", "placer"), 1);
    EXPECT_EQ(EditDistance("", "abc"), 3);
    EXPECT_EQ(EditDistance("kitten", "sitting"), 3);
}

TEST_F(ConjCommand, PrintsThePageInTheOrderOfTheVerbWindow) {
    ConjRun run = Conj({"placer"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(run.err.empty());
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "placer");
    EXPECT_EQ(Headings(run.out),
              (std::vector<std::string>{"Pr\xC3\xA9sent", "Imparfait", "Pass\xC3\xA9 Simple", "Futur Simple",
                                        "Pass\xC3\xA9 Compos\xC3\xA9", "Plus-que-parfait",
                                        "Pass\xC3\xA9 Ant\xC3\xA9rieur", "Futur Ant\xC3\xA9rieur",
                                        "Pr\xC3\xA9sent du Subjonctif", "Imparfait du Subjonctif",
                                        "Pass\xC3\xA9 du Subjonctif", "Plus-que-parfait du Subjonctif",
                                        "Conditionnel", "Conditionnel Pass\xC3\xA9", "Imp\xC3\xA9ratif",
                                        "Participe Pr\xC3\xA9sent", "Participe Pass\xC3\xA9"}));
    // Tense 7 (slots 42-47) follows Futur Simple.
    EXPECT_NE(run.out.find("Pass\xC3\xA9 Compos\xC3\xA9\n42 placer\n43 placer\n44 placer\n45 placer\n"
                           "46 placer\n47 placer\n\n"),
              std::string::npos);
    // The imperative has three lines (the three empty slots are skipped);
    // the participles come from slots 90, 91 and 92.
    EXPECT_NE(run.out.find("Imp\xC3\xA9ratif\n84 placer\n85 placer\n86 placer\n\nParticipe Pr\xC3\xA9sent\n"
                           "90 placer\n\nParticipe Pass\xC3\xA9\n91 placer\n92 placer\n"),
              std::string::npos);
    EXPECT_EQ(run.out.back(), '\n');
    EXPECT_FALSE(std::filesystem::exists("FakeFull.txt"));  // never created by plimo-conj
}

TEST_F(ConjCommand, PronominalAndAlternateForms) {
    ConjRun aller = Conj({"--pronominal", "--alternate", "aller"});
    ASSERT_EQ(aller.code, 0);
    EXPECT_EQ(aller.out.substr(0, aller.out.find('\n')), "s'en aller");
    EXPECT_NE(aller.out.find("\nse 0 aller (E)\n"), std::string::npos);
    // The page names the variant it does not show.
    EXPECT_EQ(aller.out.rfind("s'en aller\n(also with the auxiliary avoir: without --alternate)\n\n", 0), 0u);
    ConjRun first = Conj({"aller"});
    EXPECT_EQ(first.out.rfind("aller\n(also with the auxiliary \xC3\xAAtre: --alternate)\n\n", 0), 0u);

    ConjRun typed = Conj({"s'en", "aller"});  // the pronominal infinitive, typed as two words
    ASSERT_EQ(typed.code, 0);
    EXPECT_EQ(typed.out.substr(0, typed.out.find('\n')), "s'en aller");

    ConjRun plain = Conj({"se placer"});  // no pronominal form: said, and the plain page shown
    ASSERT_EQ(plain.code, 0);
    EXPECT_EQ(plain.out.substr(0, plain.out.find('\n')), "placer");
    EXPECT_NE(plain.err.find("no pronominal form"), std::string::npos);
    ConjRun noAlternate = Conj({"-a", "placer"});
    EXPECT_NE(noAlternate.err.find("no second variant"), std::string::npos);
}

TEST_F(ConjCommand, AnUnknownVerbGetsSuggestions) {
    ConjRun run = Conj({"placerr"});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.out.empty());
    EXPECT_NE(run.err.find("unknown verb \"placerr\""), std::string::npos);
    EXPECT_NE(run.err.find("Did you mean: placer?"), std::string::npos);

    ConjRun accents = Conj({"ALL\xC3\x89R"});  // ALLÉR
    EXPECT_EQ(accents.code, 1);
    EXPECT_NE(accents.err.find("Did you mean: aller"), std::string::npos);

    ConjRun twice = Conj({"saillr"});  // two entries named saillir: suggested once
    EXPECT_NE(twice.err.find("Did you mean: saillir?"), std::string::npos);

    ConjRun nothing = Conj({"zzzzzzzzzz"});
    EXPECT_EQ(nothing.code, 1);
    EXPECT_NE(nothing.err.find("No verb of the database comes close"), std::string::npos);
}

TEST_F(ConjCommand, TextWithoutWindows1252FormIsRefused) {
    ConjRun polish =
        Conj({"p\xC5\x82"
              "acer"});
    EXPECT_EQ(polish.code, 2);
    EXPECT_NE(polish.err.find("U+0142"), std::string::npos);
    ConjRun latin1 = Conj({"--find", "\xE9t\xE9"});  // Latin-1 bytes, not UTF-8
    EXPECT_EQ(latin1.code, 2);
    EXPECT_NE(latin1.err.find("not UTF-8"), std::string::npos);
}

TEST_F(ConjCommand, FindPrintsInfinitiveFormAndTense) {
    ConjRun run = Conj({"--find", "ll"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out,
              "saillir\tsaillir\tInfinitif\nsaillir\tsaillir\tInfinitif\n"
              "aller\taller\tInfinitif\n");
    ConjRun none = Conj({"--find", "qqq"});
    EXPECT_EQ(none.code, 1);
    EXPECT_TRUE(none.out.empty());
    EXPECT_EQ(none.err, "plimo-conj: no form contains \"qqq\".\n");
    ConjRun noDefinition = Conj({"--find", "qqq", "--definitions"});
    EXPECT_EQ(noDefinition.code, 1);
    EXPECT_EQ(noDefinition.err, "plimo-conj: no definition contains \"qqq\".\n");
}

// What the user typed is shown safely: bytes that are not UTF-8 and control
// characters escaped, and a long argument shortened.
TEST(ConjOptionsTest, ArgumentsAreShownSafely) {
    const std::vector<std::pair<std::string, std::string>> table = {
        {"placer", "placer"},
        {"pla\xC3\xA7ons", "pla\xC3\xA7ons"},                     // ç stays
        {"\xE9t\xE9", "\\xE9t\\xE9"},                             // Latin-1 bytes
        {"a\x1B[2Jb", "a\\x1B[2Jb"},                              // an escape sequence
        {"\xC0\xAF \xED\xA0\x80", "\\xC0\\xAF \\xED\\xA0\\x80"},  // overlong, surrogate
        {"\xE2\x82", "\\xE2\\x82"},                               // cut short
        {std::string(100000, 'x'), std::string(40, 'x') + "\xE2\x80\xA6"},
    };
    for (const auto& [given, shown] : table) EXPECT_EQ(ShownArgument(given), shown) << given.substr(0, 20);
    ConjParse huge = ParseConjOptions({"--" + std::string(100000, 'z')});
    EXPECT_FALSE(huge.ok);
    EXPECT_LT(huge.error.size(), 80u);
    // Values shown escaped at their longest still make a short line.
    for (const char* option : {"--format", "--tense"}) {
        ConjParse bad = ParseConjOptions({option, std::string(100, '\xF3') + ",", "placer"});
        EXPECT_FALSE(bad.ok) << option;
        EXPECT_LE(bad.error.size(), 200u) << bad.error;
    }
    EXPECT_FALSE(ParseConjOptions({""}).ok);
    EXPECT_FALSE(ParseConjOptions({"se", ""}).ok);
}

// A French.txt that is there but cannot be read is named once on stderr;
// the command goes on with the module's definitions.
TEST_F(ConjCommand, AnUnreadableDefinitionsFileIsNamedOnce) {
    std::filesystem::create_directory("FakeFull.txt");
    ConjRun run = Conj({"--define", "abaisser"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "to lower\n");
    EXPECT_NE(run.err.find("cannot be read (it is a folder)"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("plimo-conj:"), run.err.rfind("plimo-conj:"));
}

TEST_F(ConjCommand, DefinePrintsTheUsersDefinitionFirst) {
    ConjRun module = Conj({"--define", "abaisser"});
    ASSERT_EQ(module.code, 0);
    EXPECT_EQ(module.out, "to lower\n");
    ConjRun pronominal = Conj({"--define", "abaisser", "--pronominal"});
    EXPECT_EQ(pronominal.out, "to be lowered\n");

    WriteFile("FakeFull.txt", DefinitionsHeaderLine + "abaisser,0,to bring down \xE0 terre\r\n");
    ConjRun user = Conj({"--define", "abaisser"});
    EXPECT_EQ(user.out, "to bring down \xC3\xA0 terre\n");
    EXPECT_EQ(ReadFile("FakeFull.txt"),
              DefinitionsHeaderLine + "abaisser,0,to bring down \xE0 terre\r\n");  // untouched

    ConjRun none = Conj({"--define", "aller"});
    EXPECT_EQ(none.code, 1);
    EXPECT_NE(none.err.find("no English definition"), std::string::npos);
    ConjRun empty = Conj({"--define", "placer", "-p"});  // the module's pronominal text is empty
    EXPECT_EQ(empty.code, 1);
}

TEST_F(ConjCommand, AllConjugatesEveryVerb) {
    ConjRun run = Conj({"--all"});
    ASSERT_EQ(run.code, 0);
    size_t pages = 0;
    for (size_t pos = 0; (pos = run.out.find("\n\nPr\xC3\xA9sent\n", pos)) != std::string::npos; ++pos)
        ++pages;
    EXPECT_EQ(pages, 5u);
    EXPECT_EQ(run.out.rfind("abaisser\n", 0), 0u);
}

TEST_F(ConjCommand, UsageHelpAndAMissingModule) {
    ConjRun help = Conj({"--help"}, false);
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("Usage: plimo-conj"), std::string::npos);
    for (const char* option : {"--quiz", "--verbs LIST", "--top N", "--mistakes", "--due", "--count N",
                               "--accents strict|warn|ignore", "--seed N"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
    ConjRun bad = Conj({"--bogus"}, false);
    EXPECT_EQ(bad.code, 2);
    EXPECT_NE(bad.err.find("unknown option --bogus"), std::string::npos);
    EXPECT_NE(bad.err.find("Usage: plimo-conj"), std::string::npos);
    EXPECT_NE(bad.err.find("plimo-conj --help"), std::string::npos);  // the way to the rest
    EXPECT_EQ(bad.err.find("--module FILE"), std::string::npos);      // not the whole help
    ConjRun missing = Conj({"--module", "Nowhere.ldl", "placer"}, false);
    EXPECT_EQ(missing.code, 3);
    EXPECT_NE(missing.err.find("Could not load language module. Error #2"), std::string::npos);
}

TEST_F(ConjCommand, TheProgramReturnsItsExitCodes) {
    std::string program = platform::ProgramDirectory() + "/plimo-conj";
    auto status = [&](const std::string& arguments) {
        int raw = std::system((program + " " + arguments + " >/dev/null 2>&1").c_str());
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    };
    EXPECT_EQ(status("--module FakeFull.ldl placer"), 0);
    EXPECT_EQ(status("--module FakeFull.ldl nosuchverb"), 1);
    EXPECT_EQ(status("--nonsense"), 2);
    EXPECT_EQ(status("--module NoSuch.ldl placer"), 3);
    // Output that cannot be written (a full disk) is an error, not success.
    auto full = [&](const std::string& arguments) {
        int raw = std::system((program + " " + arguments + " >/dev/full 2>/dev/null").c_str());
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    };
    EXPECT_EQ(status("--module FakeFull.ldl --find qqq"), 1);
    EXPECT_EQ(status("''"), 2);
    // --help too fails when its text cannot be written: a full disk, a
    // closed output.
    int closed = std::system((program + " --help >&- 2>/dev/null").c_str());
    EXPECT_EQ(WIFEXITED(closed) ? WEXITSTATUS(closed) : -1, 4);
    if (std::filesystem::exists("/dev/full")) {
        EXPECT_EQ(full("--help"), 4);
        EXPECT_EQ(full("--module FakeFull.ldl placer"), 4);
        EXPECT_EQ(full("--module FakeFull.ldl --all"), 4);
        EXPECT_EQ(full("--module FakeFull.ldl --find ll"), 4);
        EXPECT_EQ(full("--module FakeFull.ldl --define abaisser"), 4);
    }
}

TEST_F(ConjCommand, TheRealModule) {
    if (!std::filesystem::exists(platform::ProgramDirectory() + "/French.ldl"))
        FAIL() << "French.ldl is built with the tests and must be beside them";
    ConjRun run = Conj({"placer"}, false);
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out.rfind("placer\n\nPr\xC3\xA9sent\nje place\n", 0), 0u);
    EXPECT_EQ(Headings(run.out).size(), 17u);
    ConjRun find = Conj({"--find", "place", "--whole-word"}, false);
    ASSERT_EQ(find.code, 0);
    EXPECT_NE(find.out.find("placer\tje place\tPr\xC3\xA9sent\n"), std::string::npos);
    EXPECT_EQ(find.out.find("placerai"), std::string::npos);
    ConjRun unknown = Conj({"plaser"}, false);
    EXPECT_EQ(unknown.code, 1);
    EXPECT_NE(unknown.err.find("placer"), std::string::npos);
}

// Forms lead to their verbs: --lookup, a form given as the verb, a verb
// typed without its accents, and --find --ignore-accents.
TEST_F(ConjCommand, FormsLeadToTheirVerbs) {
    ASSERT_TRUE(std::filesystem::exists(platform::ProgramDirectory() + "/French.ldl"))
        << "French.ldl is built with the tests";
    struct Case {
        std::vector<std::string> arguments;
        int code;
        const char* outStart;  // what the output begins with
    };
    const Case cases[] = {
        {{"--lookup", "f\xC3\xBBmes"}, 0, "f\xC3\xBBmes\t\xC3\xAAtre\tPass\xC3\xA9 Simple\tnous\n"},
        {{"--lookup", "etions", "--ignore-accents"}, 0, "\xC3\xA9tions\t\xC3\xAAtre\tImparfait\tnous\n"},
        {{"--lookup", "etions"}, 1, "\xC3\xA9tions\t\xC3\xAAtre\tImparfait\tnous\n"},  // a suggestion
        {{"--lookup", "f\xC3\xBBm", "--prefix", "--format", "tsv"},
         0,
         "word\tinfinitive\ttense\tperson\tform\tslot\tpronominal\talternate\tsuggestion\n"
         "f\xC3\xBBmes\t\xC3\xAAtre\tPass\xC3\xA9 Simple\tnous\tnous f\xC3\xBBmes\t15\t0\t0\t0\n"},
        {{"--lookup", "vis", "--format", "json"},
         0,
         "{\"text\":\"vis\",\"suggestions\":false,\"readings\":[{\"word\":\"vis\",\"form\":\"je vis\","
         "\"infinitive\":\"voir\",\"tense\":\"Pass\xC3\xA9 Simple\",\"person\":\"je\",\"slot\":12,"},
        {{"f\xC3\xBBmes"},
         0,
         "f\xC3\xBBmes is a form of \xC3\xAAtre (Pass\xC3\xA9 Simple, nous).\n\n\xC3\xAAtre\n"},
        {{"suis"},
         0,
         "suis is a form of \xC3\xAAtre (Pr\xC3\xA9sent, je) and of suivre (Pr\xC3\xA9sent, je; "
         "Pr\xC3\xA9sent, tu; Imp\xC3\xA9ratif, tu).\n\n\xC3\xAAtre\n"},
        {{"assois"},
         0,
         "assois is a form of asseoir (Pr\xC3\xA9sent, je; Pr\xC3\xA9sent, tu; "
         "Imp\xC3\xA9ratif, tu).\n\nasseoir\n(also the variant IE"},
        {{"eteindre"}, 0, "\xC3\xA9teindre\n\nPr\xC3\xA9sent\n"},
        {{"se repondre"}, 0, "se r\xC3\xA9pondre\n"},
        {{"--find", "etions", "-w", "-i"},
         0,
         "s'abaisser\tnous nous \xC3\xA9tions abaiss\xC3\xA9s\tPlus-que-parfait\n"},
    };
    for (const Case& c : cases) {
        const ConjRun run = Conj(c.arguments, false);
        std::string shown;
        for (const auto& a : c.arguments) shown += a + " ";
        EXPECT_EQ(run.code, c.code) << shown << run.err;
        EXPECT_EQ(run.out.substr(0, std::strlen(c.outStart)), c.outStart) << shown;
    }
}
