// The page description the windows and plimo-conj share.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "PageModel.h"

namespace {

constexpr page::Layout Layouts[] = {page::Layout::FullScreen, page::Layout::Tabbed};

// Every form slot, and every tense but
// the infinitive's, stands on exactly one line of each layout; a tense's
// forms follow its name in its own block, and BlockOfTense agrees.
TEST(PageModel, EveryTenseAndFormHasOneLineInItsBlock) {
    for (page::Layout layout : Layouts) {
        std::map<int, int> tenseLine, slotLine;
        const auto& lines = page::Lines(layout);
        for (int entry = 0; entry < page::LineCount; ++entry) {
            const page::Line& line = lines[size_t(entry)];
            EXPECT_FALSE(line.tense >= 0 && line.slot >= 0);
            if (line.tense >= 0) {
                EXPECT_TRUE(tenseLine.emplace(line.tense, entry).second) << line.tense;
            }
            if (line.slot >= 0) {
                EXPECT_TRUE(slotLine.emplace(line.slot, entry).second) << line.slot;
            }
        }
        EXPECT_EQ(tenseLine.size(), size_t(InfinitiveTense));
        EXPECT_EQ(slotLine.size(), size_t(InfinitiveSlot));  // the imperative's empty slots have lines too
        for (const auto& [slot, entry] : slotLine) {
            const int tense = page::TenseOfSlot(slot);
            ASSERT_TRUE(tenseLine.count(tense)) << slot;
            EXPECT_LT(tenseLine[tense], entry) << slot;
            EXPECT_EQ(tenseLine[tense] / page::LinesPerBlock, entry / page::LinesPerBlock) << slot;
            EXPECT_EQ(page::BlockOfTense(layout, tense), entry / page::LinesPerBlock) << slot;
        }
        EXPECT_EQ(page::BlockOfTense(layout, InfinitiveTense), -1);
    }
    // The layouts differ only in the places of the imperative and the last
    // compound tense, which share the fourth tab.
    EXPECT_EQ(page::BlockOfTense(page::Layout::Tabbed, ImperativeTense) / page::BlocksPerTab, 3);
    EXPECT_EQ(page::BlockOfTense(page::Layout::FullScreen, ImperativeTense), 14);
}

TEST(PageModel, PersonsOfSlots) {
    const std::pair<int, int> table[] = {{0, 1},  {5, 6},  {6, 1},  {83, 6}, {84, 2}, {85, 4},
                                         {86, 5}, {87, 0}, {90, 0}, {92, 0}, {93, 0}, {-1, 0}};
    for (auto [slot, person] : table) EXPECT_EQ(page::PersonOfSlot(slot), person) << slot;
    EXPECT_STREQ(page::PersonName(85), "nous");
    EXPECT_STREQ(page::PersonName(PastParticipleSlot), "");
}

// Written blocks: page order, participles split, empty slots and unselected
// tenses left out.
TEST(PageModel, WrittenBlocksLeaveOutEmptySlotsAndUnselectedTenses) {
    std::string texts[FormSlotCount];
    const char* forms[FormSlotCount];
    for (int s = 0; s < FormSlotCount; ++s) {
        texts[s] = s >= ImperativeSlot + ImperativeFormCount && s < PresentParticipleSlot
                       ? ""
                       : "f" + std::to_string(s);
        forms[s] = texts[s].c_str();
    }
    texts[3].clear();  // a defective person
    forms[3] = texts[3].c_str();

    std::vector<page::Block> all = page::WrittenBlocks(forms, nullptr);
    ASSERT_EQ(all.size(), 17u);
    EXPECT_EQ(all[0].forms.size(), 5u);
    EXPECT_EQ(all[14].tense, ImperativeTense);
    EXPECT_EQ(all[14].forms.size(), 3u);
    EXPECT_EQ(all[15].tense, PresentParticipleTense);
    EXPECT_EQ(all[16].tense, PastParticipleTense);
    EXPECT_EQ(all[16].forms.size(), 2u);

    std::vector<bool> wanted(TenseCount, false);
    wanted[PastParticipleTense] = wanted[1] = true;
    std::vector<page::Block> some = page::WrittenBlocks(forms, &wanted);
    ASSERT_EQ(some.size(), 2u);
    EXPECT_EQ(some[0].tense, 1);
    EXPECT_EQ(some[1].tense, PastParticipleTense);
}

TEST(PageModel, VariantLabelsStayInsideTheBuffer) {
    const char two[] = "I\0Y\0";
    page::VariantLabels labels = page::ReadVariantLabels(two, sizeof two);
    EXPECT_EQ(labels.first, "I");
    EXPECT_EQ(labels.second, "Y");
    const char unterminated[4] = {'A', 'B', 'C', 'D'};
    labels = page::ReadVariantLabels(unterminated, sizeof unterminated);
    EXPECT_EQ(labels.first, "ABCD");
    EXPECT_EQ(labels.second, "");
    EXPECT_EQ(page::ReadVariantLabels("", 1).first, "");
}

}  // namespace
