// The page of a verb: which tense names and which form slots stand on which
// line, in the two layouts of the verb windows; the blocks plimo-conj
// writes; the variant labels the module returns. Qt-free, so that the
// windows, the printer and plimo-conj read one description of the page.
//
// A page is 16 blocks of 7 lines. Blocks 0-14 each hold a tense: its name,
// then its six person slots (the imperative's last three are empty). Block
// 15 holds the participles: the present participle's name and slot, an empty
// line, the past participle's name, its two slots, an empty line.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "LanguageModuleAbi.h"

namespace page {

inline constexpr int LinesPerBlock = 7;
inline constexpr int BlockCount = 16;
inline constexpr int LineCount = BlockCount * LinesPerBlock;
inline constexpr int TenseBlockCount = 15;  // the blocks before the participles'
inline constexpr int BlocksPerTab = 4;      // the tabbed layout shows four blocks a tab

// What the module writes in the present participle's slot of a verb that
// has none, even when asked to leave out its placeholders.
inline constexpr const char* NoPresentParticiple = "N'existe pas";

enum class Layout {
    FullScreen,  // four columns of four blocks
    Tabbed,      // four tabs of two columns of two blocks
};

// One line of the page: a tense's name, a form slot, or nothing.
struct Line {
    int tense = -1;  // the tense named on this line, or -1
    int slot = -1;   // the form slot shown on this line, or -1
};

// The tense of each of the first 15 blocks, in page order.
const std::array<int, TenseBlockCount>& BlockTenses(Layout layout);

// Every line of the page in `layout`.
const std::array<Line, LineCount>& Lines(Layout layout);

// The block that shows `tense` (0-16), or -1.
int BlockOfTense(Layout layout, int tense);

// The tense whose block shows slot `slot` (0-92), or -1.
int TenseOfSlot(int slot);

// The person of slot `slot`: 1-6 for je .. ils, 0 for a participle or the
// infinitive.
int PersonOfSlot(int slot);
// The subject pronoun of slot `slot` as a learner names the person ("je",
// "nous"), "" for a participle or the infinitive.
const char* PersonName(int slot);

// One form of a written block: its slot and its person (see PersonOfSlot).
struct Form {
    int slot;
    int person;
};
struct Block {
    int tense;
    std::vector<Form> forms;
};

// The blocks of the full-screen page in order, the participles' block split
// into its two tenses (present, then past), without the slots `forms`
// leaves empty, and only the tenses `wanted` selects, indexed by tense
// (null: all of them).
std::vector<Block> WrittenBlocks(const char* const* forms, const std::vector<bool>* wanted);

// The two variant labels ConjugateVerb wrote into `labels` ("A" then "E",
// "I" then "Y"), each ended by a NUL; empty texts where there is none. The
// buffer is read no further than `size` bytes.
struct VariantLabels {
    std::string first;
    std::string second;
};
VariantLabels ReadVariantLabels(const char* labels, std::size_t size);

}  // namespace page
