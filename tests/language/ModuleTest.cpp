// The module's lookups, names, resources and its behaviour on bad input.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "FrenchModule.h"
#include "platform/ModuleResources.h"

using namespace testing_support;

namespace {

TEST(Module, IdentityAndCount) {
    const auto& m = Module();
    EXPECT_STREQ(m.GetLanguage(), "French");
    EXPECT_EQ(m.GetLanguageVersion(), 1);
    EXPECT_GE(m.GetVerbCount(), 6400);
}

TEST(Module, VerbNamesAreInBoundsOnly) {
    const auto& m = Module();
    const int count = m.GetVerbCount();
    EXPECT_STREQ(m.GetVerb(0), "abaisser");
    EXPECT_NE(m.GetVerb(count - 1), nullptr);
    for (int32_t bad : {-1, count, INT32_MIN, INT32_MAX}) {
        EXPECT_EQ(m.GetVerb(bad), nullptr) << bad;
        EXPECT_EQ(m.GetEnglishDefinition(bad, false), nullptr) << bad;
        EXPECT_EQ(m.GetEnglishDefinition(bad, true), nullptr) << bad;
    }
}

TEST(Module, InfinitivesAreShortWordsAndRepeatOnlyForDistinctVerbs) {
    const auto& m = Module();
    std::set<std::string> seen;
    std::set<std::string> repeated;
    for (int i = 0; i < m.GetVerbCount(); ++i) {
        const std::string verb = m.GetVerb(i);
        ASSERT_FALSE(verb.empty());
        EXPECT_LE(verb.size(), 24u) << verb;
        if (!seen.insert(verb).second) repeated.insert(verb);
    }
    EXPECT_GE(repeated.size(), 4u);
    EXPECT_TRUE(repeated.count("saillir"));
    // Two entries of one infinitive differ in model or kind: their forms or flags differ.
    for (const auto& verb : repeated) {
        const auto both = VerbIndices(ToUtf8(verb.c_str()));
        ASSERT_EQ(both.size(), 2u) << verb;
        const auto a = Conjugate(both[0]), b = Conjugate(both[1]);
        EXPECT_TRUE(a.forms != b.forms || a.canBePronominal != b.canBePronominal ||
                    a.hasAlternate != b.hasAlternate)
            << verb;
    }
}

TEST(Module, EveryModelExemplarIsAVerb) {
    for (const char* verb :
         {"aller",      "abaisser",  "abasourdir", "abattre",    "aboyer",     "abréger",     "absoudre",
          "abstenir",   "abroger",   "abstraire",  "accéder",    "accourir",   "accroître",   "accueillir",
          "aurifier",   "aciseler",  "achever",    "acquérir",   "acquiescer", "adjoindre",   "admettre",
          "acheter",    "agneler",   "apercevoir", "apparaître", "appendre",   "apprendre",   "défaillir",
          "asseoir",    "boire",     "avoir",      "balayer",    "bouillir",   "conclure",    "circonscrire",
          "confire",    "clore",     "conduire",   "consentir",  "desservir",  "contredire",  "contrefaire",
          "convaincre", "coudre",    "couvrir",    "croire",     "faillir",    "départir",    "dépecer",
          "dévêtir",    "devoir",    "dormir",     "élire",      "émoudre",    "mouvoir",     "enfuir",
          "entre-haïr", "entrevoir", "envoyer",    "équivaloir", "paître",     "falloir",     "revivre",
          "prévoir",    "mourir",    "naître",     "pleuvoir",   "poursuivre", "pouvoir",     "vivre",
          "revouloir",  "rire",      "savoir",     "surseoir",   "gésir",      "bruire",      "messeoir",
          "allécher",   "sevrer",    "foutre",     "corrompre",  "assaillir",  "maudire",     "inclure",
          "circoncire", "suffire",   "enclore",    "déclore",    "luire",      "entre-nuire", "démentir",
          "lire",       "émouvoir",  "être",       "prévaloir",  "dépourvoir", "endormir"})
        EXPECT_GE(VerbIndex(verb), 0) << verb;
}

// The words of each line of a data file, comments and blank lines left out.
std::vector<std::vector<std::string>> DataLines(const std::string& name) {
    std::ifstream in(std::string(PLIMO_DATA_DIR) + "/" + name);
    EXPECT_TRUE(in) << name;
    std::vector<std::vector<std::string>> lines;
    for (std::string line; std::getline(in, line);) {
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        std::vector<std::string> list;
        for (std::string w; words >> w;) list.push_back(w);
        if (!list.empty()) lines.push_back(std::move(list));
    }
    return lines;
}

// Every verb a learner meets has a definition, in whichever pool it lives.
TEST(Module, EveryCommonVerbIsDefined) {
    const auto& m = Module();
    std::vector<std::string> undefined;
    int checked = 0;
    for (const auto& line : DataLines("common-verbs.txt")) {
        std::string verb;
        for (const auto& w : line) verb += (verb.empty() ? "" : " ") + w;
        for (int index : VerbIndices(verb)) {  // verbs left out of the database have none
            ++checked;
            if (!m.GetEnglishDefinition(index, false)) undefined.push_back(verb);
        }
    }
    EXPECT_GT(checked, 1800);
    EXPECT_TRUE(undefined.empty()) << undefined.size() << " undefined, first " << undefined.front();
}

// GetVerbRank: the frequent list's verbs hold the places 1 to n in the
// list's order, each place once (of verbs spelled alike, the first); every
// other verb, and every index out of range, has none.
TEST(Module, EveryFrequentVerbHasItsPlaceInTheRanking) {
    const auto& m = Module();
    const auto rank =
        reinterpret_cast<GetVerbRankFn>(platform::FindEntryPoint(ModuleHandle(), "GetVerbRank"));
    ASSERT_NE(rank, nullptr);
    int32_t expected = 0;
    for (const auto& line : DataLines("frequent-verbs.txt")) {
        const std::vector<int> verbs = VerbIndices(line.at(0));
        ASSERT_FALSE(verbs.empty()) << "not a verb of the database: " << line.at(0);
        EXPECT_EQ(rank(verbs[0]), ++expected) << line.at(0);
        for (size_t i = 1; i < verbs.size(); ++i) EXPECT_EQ(rank(verbs[i]), 0) << line.at(0) << " #" << i + 1;
    }
    int32_t ranked = 0;
    for (int32_t v = 0; v < m.GetVerbCount(); ++v) ranked += rank(v) > 0;
    EXPECT_EQ(ranked, expected);
    for (int32_t bad : {-1, m.GetVerbCount(), INT32_MIN, INT32_MAX}) EXPECT_EQ(rank(bad), 0) << bad;
}

// Two verbs with different senses never share a plain gloss: a learner would
// take them for interchangeable. Spelling variants and true synonyms are
// recorded in shared-glosses.txt.
TEST(Module, DistinctVerbsDoNotShareAGloss) {
    const auto& m = Module();
    std::map<std::string, std::set<std::string>> verbsByGloss;
    for (int i = 0; i < m.GetVerbCount(); ++i)
        if (const char* plain = m.GetEnglishDefinition(i, false))
            verbsByGloss[plain].insert(ToUtf8(m.GetVerb(i)));
    std::set<std::set<std::string>> recorded;
    for (const auto& line : DataLines("shared-glosses.txt")) recorded.insert({line.begin(), line.end()});
    for (const auto& [gloss, verbs] : verbsByGloss) {
        if (verbs.size() < 2) continue;
        EXPECT_TRUE(recorded.count(verbs)) << gloss << ": " << *verbs.begin() << ", " << *verbs.rbegin();
    }
}

// One register label, placed before the sense it marks: "(informal) to nab",
// never "to nab (informal)" or "(colloquial)".
TEST(Module, DefinitionsPlaceOneRegisterLabelBeforeTheSense) {
    const auto& m = Module();
    for (int i = 0; i < m.GetVerbCount(); ++i) {
        for (bool pronominal : {false, true}) {
            const char* text = m.GetEnglishDefinition(i, pronominal);
            if (!text) continue;
            const std::string gloss = std::string(text) + ";";
            EXPECT_EQ(gloss.find("colloquial"), std::string::npos) << ToUtf8(m.GetVerb(i));
            for (const char* label : {"(informal)", "(vulgar)", "(slang)"})
                for (const char* after : {";", ",", " |"}) {
                    const std::string misplaced = std::string(label) + after;
                    EXPECT_EQ(gloss.find(misplaced), std::string::npos)
                        << ToUtf8(m.GetVerb(i)) << ": " << text;
                }
        }
    }
}

TEST(Module, Definitions) {
    const auto& m = Module();
    const int abaisser = VerbIndex("abaisser");
    ASSERT_NE(m.GetEnglishDefinition(abaisser, false), nullptr);
    EXPECT_GT(std::strlen(m.GetEnglishDefinition(abaisser, false)), 0u);
    EXPECT_GT(std::strlen(m.GetEnglishDefinition(abaisser, true)), 0u);
    // A plain definition without a pronominal one gives "" for the pronominal flag.
    const int arriver = VerbIndex("arriver");
    ASSERT_NE(m.GetEnglishDefinition(arriver, false), nullptr);
    EXPECT_STREQ(m.GetEnglishDefinition(arriver, true), "");
    // Some verbs have no definition at all.
    int defined = 0, undefined = -1;
    size_t longest = 0;
    for (int i = 0; i < m.GetVerbCount(); ++i) {
        const char* plain = m.GetEnglishDefinition(i, false);
        if (!plain) {
            undefined = i;
            continue;
        }
        ++defined;
        EXPECT_GT(std::strlen(plain), 0u) << i;
        longest = std::max({longest, std::strlen(plain), std::strlen(m.GetEnglishDefinition(i, true))});
    }
    EXPECT_GE(defined, 1000);
    EXPECT_LE(longest, 255u);
    ASSERT_GE(undefined, 0);
    EXPECT_EQ(m.GetEnglishDefinition(undefined, true), nullptr);
}

TEST(Module, TenseAndTabNames) {
    const auto& m = Module();
    EXPECT_EQ(ToUtf8(m.GetTenseName(0)), "\\bluePrésent");
    EXPECT_EQ(ToUtf8(m.GetTenseName2(0)), "Présent");
    EXPECT_EQ(ToUtf8(m.GetTenseName(14)), "\\blueImpératif");
    EXPECT_EQ(ToUtf8(m.GetTenseName2(12)), "Plus-que-parfait du Subjonctif");
    EXPECT_EQ(ToUtf8(m.GetTenseName2(17)), "Infinitif");
    for (int t = 0; t < TenseCount; ++t) {
        ASSERT_NE(m.GetTenseName(t), nullptr);
        EXPECT_EQ(std::strncmp(m.GetTenseName(t), "\\blue", 5), 0);
        EXPECT_STREQ(m.GetTenseName(t) + 5, m.GetTenseName2(t));
    }
    for (int32_t bad : {-1, 18, INT32_MIN, INT32_MAX}) {
        EXPECT_EQ(m.GetTenseName(bad), nullptr);
        EXPECT_EQ(m.GetTenseName2(bad), nullptr);
    }
    EXPECT_STREQ(m.GetTabName(0), "Indicatif");
    EXPECT_EQ(ToUtf8(m.GetTabName(1)), "Composé");
    EXPECT_STREQ(m.GetTabName(3), "Conditionnel/Participe");
    EXPECT_EQ(m.GetTabName(4), nullptr);
    EXPECT_EQ(m.GetTabName(-1), nullptr);
}

TEST(Module, GetQuestion) {
    const auto& m = Module();
    char buffer[16] = "unchanged";
    EXPECT_FALSE(m.GetQuestion(m.GetVerbCount(), 0, buffer));
    EXPECT_FALSE(m.GetQuestion(0, 94, buffer));
    EXPECT_FALSE(m.GetQuestion(0, -1, buffer));
    EXPECT_FALSE(m.GetQuestion(-1, 0, buffer));
    EXPECT_FALSE(m.GetQuestion(0, 0, nullptr));
    EXPECT_STREQ(buffer, "unchanged");
    EXPECT_TRUE(m.GetQuestion(0, 93, buffer));
    EXPECT_STREQ(buffer, "Question");
}

// The icon and the progress picture are resources of the module in the
// formats the program reads.
TEST(Module, IconAndBitmapResources) {
    const ResourceEntry* icon = platform::FindModuleResource(ModuleHandle(), "ICON", 10000);
    ASSERT_NE(icon, nullptr);
    const auto* ico = static_cast<const uint8_t*>(icon->data);
    ASSERT_GT(icon->size, 6u + 32u);
    EXPECT_EQ(ico[2], 1);  // an icon
    EXPECT_EQ(ico[4], 2);  // two images
    EXPECT_EQ(ico[6], 32);
    EXPECT_EQ(ico[8], 16);  // 16 colours
    EXPECT_EQ(ico[6 + 16], 16);

    const ResourceEntry* bitmap = platform::FindModuleResource(ModuleHandle(), "BITMAP", 10001);
    ASSERT_NE(bitmap, nullptr);
    const auto* dib = static_cast<const uint8_t*>(bitmap->data);
    auto u32 = [&](int at) {
        return dib[at] | dib[at + 1] << 8 | dib[at + 2] << 16 | uint32_t(dib[at + 3]) << 24;
    };
    EXPECT_EQ(u32(0), 40u);
    EXPECT_EQ(u32(4), 263u);
    EXPECT_EQ(u32(8), 164u);
    EXPECT_EQ(dib[14], 8);  // bits per pixel
    EXPECT_EQ(u32(32), 256u);
    EXPECT_EQ(bitmap->size, 40u + 256u * 4u + 264u * 164u);

    // The six blobs of the database and the second definition pool.
    for (int id = 200; id <= 206; ++id)
        EXPECT_NE(platform::FindModuleResource(ModuleHandle(), "PLIMO", id), nullptr);
    EXPECT_EQ(platform::FindModuleResource(ModuleHandle(), "PLIMO", 207), nullptr);
}

}  // namespace
