// LookupForm: from a form to its verbs, and Find's IgnoreAccents flag.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "FrenchModule.h"

using namespace testing_support;

namespace {

struct Reading {
    std::string form, infinitive;
    int tense = -1, slot = -1;
    std::string word;
    int32_t value = 0;
};

std::vector<Reading> Readings(const std::string& text, int32_t flags = 0) {
    std::vector<Reading> out;
    for (const auto& r : Lookup(text, flags)) {
        std::vector<std::string> f;
        size_t start = 0;
        for (size_t tab; (tab = r.text.find('\t', start)) != std::string::npos; start = tab + 1)
            f.push_back(r.text.substr(start, tab - start));
        f.push_back(r.text.substr(start));
        EXPECT_EQ(f.size(), 5u) << r.text;
        if (f.size() != 5) continue;
        out.push_back({f[0], f[1], std::stoi(f[2]), std::stoi(f[3]), f[4], r.value});
    }
    return out;
}

// "infinitive slot" of each reading, in order, for the table below.
std::string Summary(const std::vector<Reading>& readings, size_t most) {
    std::string s;
    for (size_t i = 0; i < readings.size() && i < most; ++i) {
        if (!s.empty()) s += ", ";
        s += readings[i].infinitive + " " + std::to_string(readings[i].slot);
        if (readings[i].value & ResultAlternate) s += "b";
        if (readings[i].value & ResultSuggestion) s += "?";
    }
    return s;
}

TEST(Lookup, ReadingsOfForms) {
    struct Case {
        const char* text;
        int32_t flags;
        const char* first;  // the first readings, "infinitive slot", b second variant, ? suggestion
        size_t count;       // how many readings in all, 0 for "any"
    };
    const Case cases[] = {
        {"fûmes", 0, "être 15", 1},
        {"eûtes", 0, "avoir 16", 1},
        {"vins", 0, "venir 12, venir 13", 2},
        {"vis", 0, "voir 12, voir 13, se voir 12, se voir 13, vivre 0, vivre 1, vivre 84", 7},
        {"suis", 0, "être 0, suivre 0, suivre 1, suivre 84", 7},
        {"assieds", 0, "asseoir 0, asseoir 1, asseoir 84, s'asseoir 0, s'asseoir 1, s'asseoir 84", 6},
        {"assois", 0, "asseoir 0b, asseoir 1b, asseoir 84b, s'asseoir 0b, s'asseoir 1b, s'asseoir 84b", 6},
        {"allons-nous-en", 0, "s'en aller 85", 1},
        {"va-t'en", 0, "s'en aller 84", 1},
        {"lave-toi", 0, "se laver 84", 1},
        {"nous fûmes", 0, "être 15", 1},
        {"j'assieds", 0, "asseoir 0", 1},
        {"abaissés", 0, "abaisser 91, s'abaisser 45", 0},
        {"placées", 0, "placer 91", 1},
        {"assise", 0, "asseoir 91", 2},
        {"morte", 0, "mourir 91", 1},
        {"été", 0, "être 91, être 42", 0},
        {"mangeâmes", 0, "manger 15, se manger 15", 2},
        {"mangeames", IgnoreAccents, "manger 15, se manger 15", 2},
        {"MANGEÂMES", IgnoreAccents, "manger 15", 0},
        {"œuvre", 0, "œuvrer 0, œuvrer 2", 5},
        {"oeuvre", IgnoreAccents, "œuvrer 0, œuvrer 2", 0},
        {"étions", 0, "être 9", 1},
        {"etions", IgnoreAccents, "être 9", 1},
        {"place", IgnoreAccents, "placer 0, placer 2, placer 24, placer 26, placer 84, se placer 0", 0},
        {"peut", 0, "pouvoir 2", 0},
        {"faut", 0, "falloir 2", 0},
        {"plu", 0, "plaire 91", 0},
        {"plus", 0, "plaire 12, plaire 13, se plaire 12, se plaire 13", 4},  // plu never agrees
        {"assis", 0, "asseoir 12, asseoir 13, asseoir 91", 0},
        {"paie", 0, "payer 0, payer 2", 0},
        {"paye", 0, "payer 0b, payer 2b", 0},
        {"placer", 0, "placer 93", 0},
    };
    for (const auto& c : cases) {
        const auto readings = Readings(c.text, c.flags);
        const std::string want = c.first;
        const size_t shown = std::count(want.begin(), want.end(), ',') + 1;
        EXPECT_EQ(Summary(readings, shown), want) << c.text;
        if (c.count) {
            EXPECT_EQ(readings.size(), c.count) << c.text << ": " << Summary(readings, 50);
        }
        for (const auto& r : readings) {
            EXPECT_FALSE(r.value & ResultSuggestion) << c.text;
            // Exact matches before folded ones.
            if (!(c.flags & IgnoreAccents)) {
                EXPECT_FALSE(r.value & ResultFolded) << c.text;
            }
        }
    }
}

TEST(Lookup, AccentsAreFoldedOnlyWhenAsked) {
    // Without the flag a text without its accents finds nothing but
    // suggestions, the right one among them.
    const auto plain = Readings("etions");
    ASSERT_FALSE(plain.empty());
    for (const auto& r : plain) EXPECT_TRUE(r.value & ResultSuggestion);
    EXPECT_EQ(plain.front().infinitive, "être");
    // With it, the exact readings come before the folded ones.
    const auto both = Readings("place", IgnoreAccents);
    bool folded = false;
    for (const auto& r : both) {
        if (r.value & ResultFolded)
            folded = true;
        else
            EXPECT_FALSE(folded) << "exact reading after a folded one: " << r.form;
        EXPECT_EQ(r.word, (r.value & ResultFolded) ? "placé" : "place") << r.form;
    }
    EXPECT_TRUE(folded);
}

TEST(Lookup, PrefixesAndSuggestions) {
    const auto e = Readings("e", LookupPrefix | IgnoreAccents);
    EXPECT_EQ(e.size(), static_cast<size_t>(LookupPrefixLimit));
    EXPECT_EQ(e.front().infinitive, "être");
    const auto fum = Readings("fûm", LookupPrefix);
    ASSERT_FALSE(fum.empty());
    EXPECT_EQ(fum.front().form, "nous fûmes");
    for (const auto& r : fum) EXPECT_EQ(r.word.rfind("fûm", 0), 0u) << r.word;
    // A whole form typed half-way: the limit counts the readings of that
    // form, not every word that starts with its last letters.
    const auto nousF = Readings("nous f", LookupPrefix | IgnoreAccents);
    EXPECT_EQ(nousF.size(), static_cast<size_t>(LookupPrefixLimit));
    for (const auto& r : nousF) EXPECT_EQ(r.form.rfind("nous f", 0), 0u) << r.form;
    // One edit away: a letter swapped, dropped, added, changed.
    for (const char* typo : {"fûems", "fûmse", "fmes", "fûmess", "fûmez"}) {
        const auto s = Readings(typo);
        ASSERT_FALSE(s.empty()) << typo;
        EXPECT_LE(s.size(), static_cast<size_t>(LookupSuggestionLimit)) << typo;
        bool fumes = false;
        for (const auto& r : s) {
            EXPECT_TRUE(r.value & ResultSuggestion) << typo;
            fumes |= r.form == "nous fûmes" && r.infinitive == "être";
        }
        EXPECT_TRUE(fumes) << typo << ": " << Summary(s, 10);
    }
    EXPECT_TRUE(Readings("zzqqzz").empty());
    EXPECT_TRUE(Readings("").empty());
    SearchResultList* list = nullptr;
    Module().LookupForm(nullptr, 0, &list);
    EXPECT_EQ(list, nullptr);
    Module().LookupForm(std::string(500, 'a').c_str(), LookupPrefix, &list);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->count, 0);
    Module().FreeSearchPtr(list);
}

// For every verb in every form it has, each non-empty slot's own word finds
// that verb, form and slot: the proof of the word-taking rule.
TEST(Lookup, EveryFormFindsItsVerbAndSlot) {
    const auto& m = Module();
    std::map<std::string, std::set<std::pair<int32_t, int>>> byWord;  // word -> (value, slot)
    auto ownWord = [](std::string form, int slot) {
        if (slot == PastParticipleSlot) form = form.substr(0, form.find(", "));
        form = form.substr(form.rfind(' ') + 1);
        for (const char* elided : {"qu'", "j'", "m'", "t'", "s'"})
            if (form.rfind(elided, 0) == 0) {
                form = form.substr(std::strlen(elided));
                break;
            }
        if (slot >= ImperativeSlot && slot < PresentParticipleSlot)
            for (const char* suffix : {"-nous-en", "-vous-en", "-t'en", "-toi", "-nous", "-vous"}) {
                const size_t n = std::strlen(suffix);
                if (form.size() > n && form.compare(form.size() - n, n, suffix) == 0) {
                    form.resize(form.size() - n);
                    break;
                }
            }
        return form;
    };
    size_t slots = 0;
    for (int v = 0; v < m.GetVerbCount(); ++v) {
        for (int variant = 0; variant < 4; ++variant) {
            const bool pronominal = variant & 2, alternate = variant & 1;
            const auto c = Conjugate(v, pronominal, alternate, true);
            if (!c.ok || (alternate && !c.hasAlternate) || (pronominal && !c.pronominal)) continue;
            if (!pronominal && c.pronominal) continue;  // a pronominal-only verb: counted once
            const int32_t value =
                v | (c.pronominal ? ResultPronominal : 0) | (alternate ? ResultAlternate : 0);
            for (int s = 0; s < FormSlotCount; ++s) {
                if (c.forms[s].empty() || c.forms[s].rfind("N'existe", 0) == 0) continue;
                byWord[ownWord(c.forms[s], s)].insert({value, s});
                ++slots;
            }
        }
    }
    size_t missing = 0;
    for (const auto& [word, expected] : byWord) {
        std::set<std::pair<int32_t, int>> found;
        for (const auto& r : Readings(word)) found.insert({r.value, r.slot});
        for (const auto& e : expected)
            if (!found.count(e) && ++missing <= 10)
                ADD_FAILURE() << word << " does not find verb " << (e.first & ResultVerbIndexMask) << " slot "
                              << e.second << " (value " << std::hex << e.first << ")";
    }
    EXPECT_EQ(missing, 0u);
    EXPECT_GT(slots, 500000u);
}

TEST(Lookup, ManyThreadsShareOneIndex) {
    std::vector<std::thread> threads;
    std::vector<size_t> counts(4);
    for (int t = 0; t < 4; ++t) threads.emplace_back([t, &counts] { counts[t] = Readings("suis").size(); });
    for (auto& t : threads) t.join();
    for (size_t c : counts) EXPECT_EQ(c, 7u);
}

TEST(Search, IgnoreAccentsFoldsPatternAndForms) {
    // Every form holding "étions" and nothing else: the same list, in the
    // same order, as the search for "étions" itself.
    const auto etions = Search("etions", SearchForms | WholeWord | IgnoreAccents);
    const auto exact = Search("étions", SearchForms | WholeWord);
    ASSERT_EQ(etions.size(), exact.size());
    for (size_t i = 0; i < exact.size(); ++i) {
        EXPECT_EQ(etions[i].text, exact[i].text);
        EXPECT_EQ(etions[i].value, exact[i].value);
    }
    EXPECT_TRUE(Search("etions", SearchForms | WholeWord).empty());
    const auto oeuvre = Search("OEUVRE", SearchForms | WholeWord | IgnoreAccents);
    ASSERT_FALSE(oeuvre.empty());
    EXPECT_NE(oeuvre.front().text.find("œuvre"), std::string::npos);
    // Definitions too: case folded.
    EXPECT_EQ(Search("TO BE LOWERED", SearchDefinitions | IgnoreAccents).size(),
              Search("to be lowered", SearchDefinitions).size());
}

}  // namespace
