#include "PageModel.h"

#include <cstring>

namespace page {

namespace {

constexpr std::array<int, TenseBlockCount> FullScreenTenses = {0, 1, 2,  3,  7, 8,  9, 10,
                                                               4, 5, 11, 12, 6, 13, 14};
// The tabbed layout puts the imperative beside the last tense of its tab.
constexpr std::array<int, TenseBlockCount> TabbedTenses = {0, 1, 2, 3, 7, 8, 9, 10, 4, 5, 11, 12, 6, 14, 13};

std::array<Line, LineCount> MakeLines(const std::array<int, TenseBlockCount>& tenses) {
    std::array<Line, LineCount> lines{};
    for (int block = 0; block < TenseBlockCount; ++block) {
        const int tense = tenses[size_t(block)];
        lines[size_t(block * LinesPerBlock)].tense = tense;
        for (int person = 0; person < PersonCount; ++person)
            lines[size_t(block * LinesPerBlock + 1 + person)].slot = tense * PersonCount + person;
    }
    Line* participles = &lines[size_t(TenseBlockCount * LinesPerBlock)];
    participles[0].tense = PresentParticipleTense;
    participles[1].slot = PresentParticipleSlot;
    participles[3].tense = PastParticipleTense;
    participles[4].slot = PastParticipleSlot;
    participles[5].slot = CompoundParticipleSlot;
    return lines;
}

}  // namespace

const std::array<int, TenseBlockCount>& BlockTenses(Layout layout) {
    return layout == Layout::Tabbed ? TabbedTenses : FullScreenTenses;
}

const std::array<Line, LineCount>& Lines(Layout layout) {
    static const std::array<Line, LineCount> fullScreen = MakeLines(FullScreenTenses);
    static const std::array<Line, LineCount> tabbed = MakeLines(TabbedTenses);
    return layout == Layout::Tabbed ? tabbed : fullScreen;
}

int BlockOfTense(Layout layout, int tense) {
    if (tense == PresentParticipleTense || tense == PastParticipleTense) return TenseBlockCount;
    const auto& tenses = BlockTenses(layout);
    for (int block = 0; block < TenseBlockCount; ++block)
        if (tenses[size_t(block)] == tense) return block;
    return -1;
}

int TenseOfSlot(int slot) {
    if (slot < 0) return -1;
    if (slot < ImperativeSlot + PersonCount) return slot / PersonCount;
    if (slot == PresentParticipleSlot) return PresentParticipleTense;
    if (slot == PastParticipleSlot || slot == CompoundParticipleSlot) return PastParticipleTense;
    if (slot == InfinitiveSlot) return InfinitiveTense;
    return -1;
}

int PersonOfSlot(int slot) {
    if (slot < 0 || slot >= ImperativeSlot + PersonCount) return 0;
    if (slot < ImperativeSlot) return slot % PersonCount + 1;
    static constexpr int imperativePersons[PersonCount] = {2, 4, 5, 0, 0, 0};  // tu, nous, vous
    return imperativePersons[slot - ImperativeSlot];
}

const char* PersonName(int slot) {
    static const char* const persons[PersonCount + 1] = {"", "je", "tu", "il", "nous", "vous", "ils"};
    return persons[PersonOfSlot(slot)];
}

std::vector<Block> WrittenBlocks(const char* const* forms, const std::vector<bool>* wanted) {
    std::vector<Block> blocks;
    for (const Line& line : Lines(Layout::FullScreen)) {
        if (line.tense >= 0) {
            const bool shown =
                wanted == nullptr || (size_t(line.tense) < wanted->size() && (*wanted)[size_t(line.tense)]);
            blocks.push_back(Block{shown ? line.tense : -1, {}});
        } else if (line.slot >= 0 && forms[line.slot][0] != '\0') {
            blocks.back().forms.push_back(Form{line.slot, PersonOfSlot(line.slot)});
        }
    }
    std::erase_if(blocks, [](const Block& block) { return block.tense < 0; });
    return blocks;
}

VariantLabels ReadVariantLabels(const char* labels, std::size_t size) {
    VariantLabels result;
    if (labels == nullptr || size == 0 || labels[0] == '\0') return result;
    const size_t first = strnlen(labels, size);
    result.first.assign(labels, first);
    if (first + 1 < size)
        result.second.assign(labels + first + 1, strnlen(labels + first + 1, size - first - 1));
    return result;
}

}  // namespace page
