// The search engine through Find, FreeSearchPtr and SetSearchProgressHwnd.
#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "FrenchModule.h"
#include "platform/ModuleResources.h"

using namespace testing_support;

namespace {

std::vector<std::string> Split(const std::string& text) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t tab; (tab = text.find('\t', start)) != std::string::npos; start = tab + 1)
        parts.push_back(text.substr(start, tab - start));
    parts.push_back(text.substr(start));
    return parts;
}

bool Contains(const std::vector<SearchResult>& results, const std::string& text, int32_t value) {
    for (const auto& r : results)
        if (r.text == text && r.value == value) return true;
    return false;
}

TEST(Search, FindsFormsWithInfinitiveAndTense) {
    const auto results = Search("plaçons", SearchForms);
    const int placer = VerbIndex("placer");
    EXPECT_TRUE(Contains(results, "nous plaçons\tplacer\t0", placer));
    EXPECT_TRUE(Contains(results, "plaçons\tplacer\t14", placer));
    EXPECT_TRUE(Contains(results, "nous nous plaçons\tse placer\t0", placer | ResultPronominal));
    EXPECT_TRUE(Contains(results, "plaçons-nous\tse placer\t14", placer | ResultPronominal));
    for (const auto& r : results) {
        const auto parts = Split(r.text);
        ASSERT_EQ(parts.size(), 3u) << r.text;
        EXPECT_NE(parts[0].find("plaçons"), std::string::npos);
    }
}

TEST(Search, SecondVariantAndPronominalBits) {
    const int balayer = VerbIndex("balayer");
    const auto results = Search("balaye", SearchForms | WholeWord);
    EXPECT_TRUE(Contains(results, "je balaye\tbalayer\t0", balayer | ResultAlternate));
    for (const auto& r : results) EXPECT_TRUE(r.value & ResultAlternate) << r.text;
    const int payer = VerbIndex("payer");
    const auto paye = Search("paye", SearchForms | WholeWord);
    EXPECT_TRUE(Contains(paye, "je me paye\tse payer\t0", payer | ResultAlternate | ResultPronominal));
    EXPECT_FALSE(Contains(paye, "je me paye\tse payer\t0", payer | ResultPronominal));
    const auto participles = Search("s'étant accouru", SearchForms);
    EXPECT_TRUE(participles.empty());
    const auto atterri = Search("suis atterri", SearchForms);
    ASSERT_EQ(atterri.size(), 1u);
    EXPECT_EQ(atterri[0].value, VerbIndex("atterrir") | ResultAlternate);
    // Where être comes first, its forms are the first variant's.
    const auto accouru = Search("suis accouru", SearchForms);
    ASSERT_EQ(accouru.size(), 1u);
    EXPECT_EQ(accouru[0].value, VerbIndex("accourir"));
}

TEST(Search, WholeWord) {
    const auto whole = Search("place", SearchForms | WholeWord);
    bool foundJePlace = false;
    for (const auto& r : whole) {
        EXPECT_EQ(r.text.find("placerai"), std::string::npos) << r.text;
        foundJePlace |= r.text.rfind("je place\t", 0) == 0;
    }
    EXPECT_TRUE(foundJePlace);
    // Apostrophe and space are not letters; accented letters are.
    const auto ai = Search("ai", SearchForms | WholeWord);
    EXPECT_EQ(ai.size(), 200u);
    EXPECT_EQ(ai.front().text.rfind("j'ai ", 0), 0u);
    const auto ete = Search("t", SearchForms | WholeWord);  // never a word of its own
    for (const auto& r : ete) EXPECT_EQ(r.text.find("été"), std::string::npos) << r.text;
}

TEST(Search, LimitsAndOrder) {
    int32_t capacity = 0;
    const auto all = Search("e", SearchForms, &capacity);
    ASSERT_EQ(all.size(), 200u);
    EXPECT_EQ(capacity % 10, 0);
    EXPECT_GE(capacity, 200);
    // The first matches come from the first verb, slot by slot.
    EXPECT_EQ(Split(all.front().text)[1], "abaisser");
    EXPECT_EQ(all.front().value, 0);
    // Both kinds of search: 200 form matches leave no room for definitions.
    const auto both = Search("e", SearchForms | SearchDefinitions);
    for (const auto& r : both) EXPECT_EQ(Split(r.text).size(), 3u);
    // The empty pattern is found at the start of every slot, empty ones too.
    const auto empty = Search("", SearchForms);
    ASSERT_EQ(empty.size(), 200u);
    EXPECT_EQ(empty[0].text, "j'abaisse\tabaisser\t0");
    EXPECT_EQ(empty[87].text, "\tabaisser\t14");
    EXPECT_EQ(Split(empty[93].text)[0], "abaisser");
    EXPECT_EQ(empty[94].value, 0 | ResultPronominal);
}

TEST(Search, PlaceholdersAreNotFound) {
    for (const auto& r : Search("pas d'imp", SearchForms)) ADD_FAILURE() << r.text;
    // Slot 90 of a verb without a present participle keeps its text.
    const auto results = Search("N'existe pas", SearchForms);
    ASSERT_FALSE(results.empty());
    for (const auto& r : results) EXPECT_EQ(Split(r.text)[2], "16") << r.text;
}

TEST(Search, PronominalOnlyVerbsAreSearchedOnce) {
    const int abstenir = VerbIndex("abstenir");
    const auto results = Search("abstiens", SearchForms | WholeWord);
    int count = 0;
    for (const auto& r : results) {
        if ((r.value & ResultVerbIndexMask) != abstenir) continue;
        ++count;
        EXPECT_TRUE(r.value & ResultPronominal) << r.text;
        EXPECT_EQ(r.text.find("j'abstiens"), std::string::npos);
    }
    EXPECT_EQ(count, 3);  // je m'abstiens, tu t'abstiens, abstiens-toi
}

TEST(Search, Definitions) {
    const auto& m = Module();
    const int abaisser = VerbIndex("abaisser");
    const std::string plain = ToUtf8(m.GetEnglishDefinition(abaisser, false));
    const std::string pronominal = ToUtf8(m.GetEnglishDefinition(abaisser, true));
    const auto results = Search(pronominal, SearchDefinitions);
    EXPECT_TRUE(Contains(results, pronominal + "\ts'abaisser", abaisser | ResultPronominal));
    const auto plainResults = Search(plain, SearchDefinitions);
    EXPECT_TRUE(Contains(plainResults, plain + "\tabaisser", abaisser));
    for (const auto& r : Search("to", SearchDefinitions | WholeWord)) EXPECT_EQ(Split(r.text).size(), 2u);
    EXPECT_TRUE(Search("zzqqzz", SearchDefinitions).empty());
}

TEST(Search, NullAndOddArguments) {
    const auto& m = Module();
    SearchResultList* list = reinterpret_cast<SearchResultList*>(0x1);
    m.Find(nullptr, SearchForms, &list);
    EXPECT_EQ(list, reinterpret_cast<SearchResultList*>(0x1));
    m.Find("a", SearchForms, nullptr);  // nowhere to put a list: nothing happens
    m.FreeSearchPtr(nullptr);

    EXPECT_TRUE(Search("place", 0).empty());
    EXPECT_TRUE(Search("place", WholeWord).empty());
    EXPECT_FALSE(Search("place", SearchForms | 0x7FFFFFF8).empty());  // unknown bits are ignored
    EXPECT_TRUE(Search(std::string(10000, 'a'), SearchForms | SearchDefinitions).empty());
    std::string high;
    for (int c = 0x80; c <= 0xFF; ++c) high += static_cast<char>(c);
    SearchResultList* raw = nullptr;
    m.Find(high.c_str(), SearchForms | SearchDefinitions | WholeWord, &raw);
    ASSERT_NE(raw, nullptr);
    EXPECT_EQ(raw->count, 0);
    m.FreeSearchPtr(raw);
    raw = nullptr;
    m.Find("\xE9", SearchForms | WholeWord, &raw);  // "é" alone is never a word
    ASSERT_NE(raw, nullptr);
    EXPECT_EQ(raw->count, 0);
    m.FreeSearchPtr(raw);
}

// A pattern longer than any text of its kind ends the search at once; one of
// exactly the longest definition's length still finds that definition.
TEST(Search, PatternsLongerThanEveryTextEndAtOnce) {
    const auto& m = Module();
    std::string longest;
    for (int32_t i = 0; i < m.GetVerbCount(); ++i)
        for (bool pronominal : {false, true})
            if (const char* d = m.GetEnglishDefinition(i, pronominal); d && std::strlen(d) > longest.size())
                longest = d;
    ASSERT_FALSE(longest.empty());
    EXPECT_FALSE(Search(longest, SearchDefinitions).empty());
    EXPECT_TRUE(Search(longest + "x", SearchDefinitions).empty());

    struct Counter : MessageTarget {
        int messages = 0;
    } counter;
    counter.send = [](MessageTarget* t, uint32_t, uintptr_t, intptr_t) -> intptr_t {
        ++static_cast<Counter*>(t)->messages;
        return 0;
    };
    m.SetSearchProgressHwnd(&counter);
    EXPECT_TRUE(Search(std::string(1 << 20, 'e'), SearchForms | SearchDefinitions).empty());
    m.SetSearchProgressHwnd(nullptr);
    EXPECT_EQ(counter.messages, 0);  // no pass over the forms was made
}

struct ProgressRecorder : MessageTarget {
    std::vector<uintptr_t> percents;
    uint32_t lastMessage = 0;
    intptr_t lastLParam = -1;
};

intptr_t Record(MessageTarget* target, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    auto* self = static_cast<ProgressRecorder*>(target);
    self->percents.push_back(wParam);
    self->lastMessage = message;
    self->lastLParam = lParam;
    return 0;
}

TEST(Search, ReportsProgressTwentyOneTimes) {
    ProgressRecorder recorder;
    recorder.send = Record;
    Module().SetSearchProgressHwnd(&recorder);
    Search("zzqqzz", SearchForms);
    Search("zzqqzz", SearchDefinitions);  // definitions report nothing
    Module().SetSearchProgressHwnd(nullptr);
    ASSERT_EQ(recorder.percents.size(), 21u);
    EXPECT_EQ(recorder.percents.front(), 0u);
    EXPECT_EQ(recorder.percents.back(), 100u);
    for (size_t i = 1; i < recorder.percents.size(); ++i)
        EXPECT_GT(recorder.percents[i], recorder.percents[i - 1]);
    EXPECT_EQ(recorder.lastMessage, static_cast<uint32_t>(WM_USER));
    EXPECT_EQ(recorder.lastLParam, 0);
    // A search whose list fills up early still reports all the way.
    recorder.percents.clear();
    Module().SetSearchProgressHwnd(&recorder);
    EXPECT_EQ(Search("e", SearchForms).size(), 200u);
    Module().SetSearchProgressHwnd(nullptr);
    ASSERT_EQ(recorder.percents.size(), 21u);
    EXPECT_EQ(recorder.percents.back(), 100u);
    // Switched off again: later searches send nothing.
    Search("zzqqzz", SearchForms);
    EXPECT_EQ(recorder.percents.size(), 21u);
}

}  // namespace

namespace {

// What the module's header promises: searches and conjugations on several
// threads at once give what they give on one, and each thread's progress
// reaches the one target, from that thread.
TEST(Search, SeveralThreadsGetTheResultsOfOne) {
    const auto expectedForms = Search("ons", SearchForms);
    const auto expectedDefinitions = Search("to", SearchDefinitions);
    const int count = Module().GetVerbCount();
    std::vector<Conjugation> expectedPages;
    for (int i = 0; i < count; i += 97) expectedPages.push_back(Conjugate(i, i % 2 == 1));

    struct Counter : MessageTarget {
        std::atomic<int> messages{0};
    } counter;
    counter.send = [](MessageTarget* t, uint32_t, uintptr_t, intptr_t) -> intptr_t {
        ++static_cast<Counter*>(t)->messages;
        return 0;
    };
    Module().SetSearchProgressHwnd(&counter);
    std::atomic<int> mismatches{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t) {
        threads.emplace_back([&, t] {
            auto same = [](const std::vector<SearchResult>& a, const std::vector<SearchResult>& b) {
                if (a.size() != b.size()) return false;
                for (size_t i = 0; i < a.size(); ++i)
                    if (a[i].text != b[i].text || a[i].value != b[i].value) return false;
                return true;
            };
            if (!same(Search("ons", SearchForms), expectedForms)) ++mismatches;
            if (!same(Search("to", SearchDefinitions), expectedDefinitions)) ++mismatches;
            for (size_t k = size_t(t) % 2; k < expectedPages.size(); k += 2) {
                const int index = int(k) * 97;
                if (Conjugate(index, index % 2 == 1).forms != expectedPages[k].forms) ++mismatches;
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    Module().SetSearchProgressHwnd(nullptr);
    EXPECT_EQ(mismatches.load(), 0);
    EXPECT_EQ(counter.messages.load(), 8 * 21);
}

}  // namespace
