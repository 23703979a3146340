// LookupForm: from any word of a conjugation to the verbs and slots it
// belongs to.
//
// The verb's own word of a slot is what is left of the slot's text once the
// words around it are taken off: the last word after a space (pronouns,
// reflexive pronouns, auxiliaries, "ayant", "étant", "s'en" all come before
// it), without a leading elided pronoun (j' m' t' s' qu'), and in the
// imperative without its pronoun suffix (-toi -nous -vous -t'en -nous-en
// -vous-en). The past participle "placé, ée" holds four words: placé,
// placée, placés, placées. The placeholder "N'existe pas" holds none.
//
// The first lookup builds an index of every such word of every verb in
// every variant and pronominal form; it is kept until the module unloads.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "Conjugator.h"
#include "Database.h"
#include "Folding.h"
#include "LanguageModuleAbi.h"
#include "VerbRanking.h"

namespace {

using namespace french;

constexpr int kWorkBufferSize = 64;
constexpr size_t kPrefixCap = LookupPrefixLimit;
constexpr size_t kSuggestionCap = LookupSuggestionLimit;

// Slots in the order a verb lists its readings: the simple tenses, the
// imperative, the participles and the infinitive before the compound tenses,
// whose own word is a participle already listed.
struct SlotOrder {
    uint8_t slotAt[FormSlotCount];
    uint8_t ordinalOf[FormSlotCount];
    constexpr SlotOrder() : slotAt(), ordinalOf() {
        int n = 0;
        for (int s = 0; s < FormSlotCount; ++s)
            if (s < 42 || (s >= ImperativeSlot && s != CompoundParticipleSlot))
                slotAt[n++] = static_cast<uint8_t>(s);
        for (int s = 42; s < ImperativeSlot; ++s) slotAt[n++] = static_cast<uint8_t>(s);
        slotAt[n++] = CompoundParticipleSlot;
        for (int i = 0; i < FormSlotCount; ++i) ordinalOf[slotAt[i]] = static_cast<uint8_t>(i);
    }
};
constexpr SlotOrder kSlotOrder;
constexpr int kFirstCompoundOrdinal = 51;  // the ordinals of slots 42-83 and 92
static_assert(kSlotOrder.slotAt[kFirstCompoundOrdinal] == 42, "simple slots first");

// An entry of the index: the verb's place in the ranking, the conjugation
// (bit 0 second variant, bit 1 pronominal) and the slot's ordinal, so that
// sorting entries sorts readings.
constexpr int kConjShift = 7, kRankShift = 9;
constexpr uint32_t kFoldedTier = 1u << 30;

uint32_t MakeKey(uint32_t rank, int conj, int slot) {
    return rank << kRankShift | static_cast<uint32_t>(conj) << kConjShift | kSlotOrder.ordinalOf[slot];
}

int TenseOfSlot(int slot) {
    if (slot < ImperativeSlot) return slot / 6;
    if (slot < PresentParticipleSlot) return 14;
    if (slot == PresentParticipleSlot) return 16;
    if (slot < InfinitiveSlot) return 15;
    return 17;
}

bool StartsWith(std::string_view text, std::string_view start) {
    return text.size() >= start.size() && text.compare(0, start.size(), start) == 0;
}

// The own words of one slot's text: views into the text, or into `made` for
// the participle's other forms. At most four.
struct OwnWordList {
    std::string_view word[4];
    int count = 0;
    char made[3][kWorkBufferSize + 8];

    bool Has(std::string_view w) const { return std::find(word, word + count, w) != word + count; }
};

void OwnWords(const char* text, int slot, OwnWordList& words) {
    words.count = 0;
    std::string_view t(text);
    if (t.empty() || t.size() >= kWorkBufferSize || StartsWith(t, "N'existe")) return;
    std::string_view feminine;
    if (slot == PastParticipleSlot) {
        const size_t comma = t.find(", ");
        if (comma != std::string_view::npos) {
            feminine = t.substr(comma + 2);
            t = t.substr(0, comma);
        }
    }
    const size_t space = t.rfind(' ');
    if (space != std::string_view::npos) t.remove_prefix(space + 1);
    for (std::string_view elided : {"qu'", "j'", "m'", "t'", "s'"})
        if (StartsWith(t, elided) && t.size() > elided.size()) {
            t.remove_prefix(elided.size());
            break;
        }
    if (slot >= ImperativeSlot && slot < PresentParticipleSlot) {
        for (std::string_view suffix : {"-nous-en", "-vous-en", "-t'en", "-toi", "-nous", "-vous"})
            if (t.size() > suffix.size() && t.substr(t.size() - suffix.size()) == suffix) {
                t.remove_suffix(suffix.size());
                break;
            }
    }
    if (t.empty()) return;
    words.word[words.count++] = t;
    if (slot != PastParticipleSlot || space != std::string_view::npos) return;
    // The participle's other forms: the feminine ending replaces the
    // masculine from the ending's first letter (placé, ée; mort, orte;
    // assis, ise), and the plurals add an s unless the word ends in s or x.
    // A participle written without its feminine never agrees (été, plu):
    // "étés" and "plus" are no forms of it.
    if (feminine.empty()) return;
    int made = 0;
    auto addPlural = [&](std::string_view singular) {
        if (singular.back() == 's' || singular.back() == 'x') return;
        char* out = words.made[made++];
        std::memcpy(out, singular.data(), singular.size());
        out[singular.size()] = 's';
        words.word[words.count++] = std::string_view(out, singular.size() + 1);
    };
    addPlural(t);
    size_t from = t.rfind(feminine.front());
    if (from == std::string_view::npos) from = t.size();
    char* out = words.made[made++];
    std::memcpy(out, t.data(), from);
    std::memcpy(out + from, feminine.data(), feminine.size());
    const std::string_view female(out, from + feminine.size());
    if (female == t) return;
    words.word[words.count++] = female;
    addPlural(female);
}

struct Index {
    std::string pool;                 // every word, raw then folded, NUL-terminated
    std::vector<uint32_t> raw;        // per word, in folded order: offset of the raw text
    std::vector<uint32_t> folded;     // offset of the folded text
    std::vector<uint32_t> start;      // entries of word w: [start[w], start[w + 1])
    std::vector<uint32_t> entries;    // keys, ascending within a word
    std::vector<int32_t> verbAtRank;  // rank -> verb index

    const char* Raw(size_t w) const { return pool.data() + raw[w]; }
    std::string_view Folded(size_t w) const { return pool.data() + folded[w]; }
};

// Conjugates a verb in each of its forms as Find does, calling `visit` with
// the conjugation code (bit 0 second variant, bit 1 pronominal).
template <class Visit>
void EachConjugation(int32_t verb, char** forms, Visit visit) {
    bool hasAlternate = false, canBePronominal = false, useAlternate = false, pronominal = false;
    if (!Conjugate(verb, true, &hasAlternate, &canBePronominal, &useAlternate, &pronominal, nullptr, forms))
        return;
    const bool onlyPronominal = pronominal;
    visit(pronominal ? 2 : 0);
    if (hasAlternate) {
        useAlternate = true;
        pronominal = onlyPronominal;
        Conjugate(verb, true, &hasAlternate, &canBePronominal, &useAlternate, &pronominal, nullptr, forms);
        visit(1 | (pronominal ? 2 : 0));
    }
    if (onlyPronominal || !canBePronominal) return;
    useAlternate = false;
    pronominal = true;
    Conjugate(verb, true, &hasAlternate, &canBePronominal, &useAlternate, &pronominal, nullptr, forms);
    visit(pronominal ? 2 : 0);
    if (hasAlternate && canBePronominal) {
        useAlternate = true;
        pronominal = true;
        Conjugate(verb, true, &hasAlternate, &canBePronominal, &useAlternate, &pronominal, nullptr, forms);
        visit(1 | (pronominal ? 2 : 0));
    }
}

// Fills the 94 work buffers of one conjugation.
struct WorkForms {
    char block[FormSlotCount * kWorkBufferSize];
    char* forms[FormSlotCount];
    WorkForms() {
        for (int s = 0; s < FormSlotCount; ++s) {
            forms[s] = block + s * kWorkBufferSize;
            forms[s][0] = 0;
        }
    }
};

// The distinct words met while building, each stored once in a pool; an
// open-addressing table of their ids finds them again.
class WordTable {
public:
    WordTable() : table_(1u << 19, 0) { pool_.reserve(4u << 20); }

    uint32_t Intern(std::string_view word) {
        uint32_t hash = 2166136261u;  // FNV-1a
        for (char c : word) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
        // The words of one verb come back again and again: a small cache
        // of the last ones met keeps them out of the big table.
        Recent& recent = recent_[hash & (kRecent - 1)];
        if (recent.id != 0 && recent.hash == hash && Is(recent.id - 1, word)) return recent.id - 1;
        const uint32_t id = Find(hash, word);
        recent = {hash, id + 1};
        return id;
    }
    size_t Count() const { return offsets_.size(); }
    std::string_view Word(uint32_t id) const { return pool_.data() + offsets_[id]; }

private:
    static constexpr size_t kRecent = 512;
    struct Recent {
        uint32_t hash, id;  // id + 1, 0 for none
    };

    bool Is(uint32_t id, std::string_view word) const {
        const uint32_t at = offsets_[id];
        return pool_.compare(at, word.size(), word) == 0 && pool_[at + word.size()] == 0;
    }

    uint32_t Find(uint32_t hash, std::string_view word) {
        size_t mask = table_.size() - 1;
        for (size_t at = hash & mask;; at = (at + 1) & mask) {
            const uint32_t id = table_[at];
            if (id == 0) break;
            if (Is(id - 1, word)) return id - 1;
        }
        offsets_.push_back(static_cast<uint32_t>(pool_.size()));
        pool_.append(word).push_back(0);
        const auto id = static_cast<uint32_t>(offsets_.size() - 1);
        if (2 * offsets_.size() > table_.size()) {
            Grow();
            mask = table_.size() - 1;
        }
        Place(hash & mask, id);
        return id;
    }

    void Place(size_t at, uint32_t id) {
        const size_t mask = table_.size() - 1;
        while (table_[at] != 0) at = (at + 1) & mask;
        table_[at] = id + 1;
    }
    void Grow() {
        table_.assign(table_.size() * 2, 0);
        for (uint32_t id = 0; id < offsets_.size(); ++id) {
            uint32_t hash = 2166136261u;
            for (char c : Word(id)) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
            Place(hash & (table_.size() - 1), id);
        }
    }
    std::string pool_;
    std::vector<uint32_t> offsets_;
    std::vector<uint32_t> table_;  // id + 1, 0 for a free place
    Recent recent_[kRecent] = {};
};

// A word's entry before the words are sorted: its id in the word table,
// and its key.
using PendingEntry = std::pair<uint32_t, uint32_t>;

// Every own word of every slot of every verb, in ranking order, each word
// once in `words`, with its entries. The compound slots of a conjugation
// share one entry per word (their participle), spread back over the slots
// when reported.
void CollectWords(const std::vector<int32_t>& verbAtRank, WordTable& words,
                  std::vector<PendingEntry>& pending) {
    pending.reserve(1u << 19);
    auto work = std::make_unique<WorkForms>();
    OwnWordList slotWords;
    OwnWordList compoundWords;  // the distinct own words of the compound slots
    for (uint32_t rank = 0; rank < verbAtRank.size(); ++rank) {
        EachConjugation(verbAtRank[rank], work->forms, [&](int conj) {
            compoundWords.count = 0;
            for (int ordinal = 0; ordinal < FormSlotCount; ++ordinal) {
                const int slot = kSlotOrder.slotAt[ordinal];
                OwnWords(work->forms[slot], slot, slotWords);
                const bool compound = ordinal >= kFirstCompoundOrdinal;
                for (int i = 0; i < slotWords.count; ++i) {
                    const std::string_view w = slotWords.word[i];
                    if (compound) {
                        if (compoundWords.Has(w) || compoundWords.count == 4) continue;
                        compoundWords.word[compoundWords.count++] = w;
                    }
                    pending.emplace_back(
                        words.Intern(w),
                        MakeKey(rank, conj, compound ? kSlotOrder.slotAt[kFirstCompoundOrdinal] : slot));
                }
            }
        });
    }
}

// The words in folded order (then raw order) into the index's pool; returns
// each word id's place in that order. The first eight folded bytes decide
// most comparisons.
std::vector<uint32_t> SortWords(const WordTable& words, Index& index) {
    const size_t n = words.Count();
    std::string folded;
    folded.reserve(n * 12);
    std::vector<uint32_t> foldedAt(n);
    std::vector<std::pair<uint64_t, uint32_t>> sorted(n);
    for (uint32_t w = 0; w < n; ++w) {
        foldedAt[w] = static_cast<uint32_t>(folded.size());
        const std::string_view word = words.Word(w);
        folded.append(Folded(word.data(), word.size())).push_back(0);
        uint64_t head = 0;
        const char* f = folded.data() + foldedAt[w];
        for (int i = 0; i < 8; ++i) {
            head = head << 8 | static_cast<unsigned char>(*f);
            if (*f) ++f;
        }
        sorted[w] = {head, w};
    }
    std::sort(sorted.begin(), sorted.end(), [&](const auto& a, const auto& b) {
        if (a.first != b.first) return a.first < b.first;
        const int c = std::strcmp(folded.data() + foldedAt[a.second], folded.data() + foldedAt[b.second]);
        return c != 0 ? c < 0 : words.Word(a.second) < words.Word(b.second);
    });
    std::vector<uint32_t> placeOf(n);
    index.raw.resize(n);
    index.folded.resize(n);
    index.pool.reserve(2 * folded.size() + n);
    for (size_t p = 0; p < n; ++p) {
        const uint32_t w = sorted[p].second;
        placeOf[w] = static_cast<uint32_t>(p);
        index.raw[p] = static_cast<uint32_t>(index.pool.size());
        index.pool.append(words.Word(w)).push_back(0);
        index.folded[p] = static_cast<uint32_t>(index.pool.size());
        index.pool.append(folded.data() + foldedAt[w]).push_back(0);
    }
    return placeOf;
}

// The entries grouped by word, in the words' order; within a word the keys
// stay ascending.
void GroupEntries(const std::vector<PendingEntry>& pending, const std::vector<uint32_t>& placeOf,
                  Index& index) {
    const size_t n = placeOf.size();
    index.start.assign(n + 1, 0);
    for (const auto& e : pending) ++index.start[placeOf[e.first] + 1];
    for (size_t p = 0; p < n; ++p) index.start[p + 1] += index.start[p];
    index.entries.resize(pending.size());
    std::vector<uint32_t> next(index.start.begin(), index.start.end() - 1);
    for (const auto& e : pending) index.entries[next[placeOf[e.first]]++] = e.second;
}

Index* BuildIndex() {
    auto* index = new Index;
    // The ranking: verbs sorted by tier, place in the frequent list, index.
    index->verbAtRank = RankVerbs().verbAtRank;
    WordTable words;
    std::vector<PendingEntry> pending;
    CollectWords(index->verbAtRank, words, pending);
    GroupEntries(pending, SortWords(words, *index), *index);
    return index;
}

const Index& TheIndex() {
    // Built by the first lookup, once; freed when the module is unloaded.
    static const std::unique_ptr<const Index> index(BuildIndex());
    return *index;
}

// The words whose folded text equals `key`, or starts with it.
std::pair<size_t, size_t> WordRange(const Index& index, std::string_view key, bool prefix) {
    const size_t n = index.raw.size();
    size_t lo = 0, hi = n;
    while (lo < hi) {  // first word not below key
        const size_t mid = (lo + hi) / 2;
        if (index.Folded(mid) < key)
            lo = mid + 1;
        else
            hi = mid;
    }
    size_t end = lo;
    hi = n;
    while (end < hi) {  // first word past the range
        const size_t mid = (end + hi) / 2;
        const std::string_view w = index.Folded(mid);
        if (prefix ? StartsWith(w, key) : w == key)
            end = mid + 1;
        else
            hi = mid;
    }
    return {lo, end};
}

// A reading found: sort key (tier and entry key) above, word place below.
using Candidate = uint64_t;

void Collect(const Index& index, std::pair<size_t, size_t> range, std::string_view text, bool prefix,
             bool acceptFolded, uint32_t tierForAll, std::vector<Candidate>& out) {
    for (size_t w = range.first; w < range.second; ++w) {
        const std::string_view raw = index.Raw(w);
        uint32_t tier = tierForAll;
        if (!tierForAll && !(prefix ? StartsWith(raw, text) : raw == text)) {
            if (!acceptFolded) continue;
            tier = kFoldedTier;
        }
        for (uint32_t e = index.start[w]; e < index.start[w + 1]; ++e)
            out.push_back(static_cast<uint64_t>(tier | index.entries[e]) << 32 | w);
    }
}

bool IsCompound(uint32_t key) { return (key & 0x7F) == kFirstCompoundOrdinal; }

// Sorts, keeps the first reading of each verb, form and slot (of each word,
// for the compound slots, which share an entry), and at most `cap`.
void Select(std::vector<Candidate>& found, size_t cap) {
    // A slot holds at most four words, so 4 * cap candidates hold cap readings.
    if (cap && found.size() > 4 * cap) {
        std::nth_element(found.begin(), found.begin() + static_cast<ptrdiff_t>(4 * cap), found.end());
        found.resize(4 * cap);
    }
    std::sort(found.begin(), found.end());
    size_t kept = 0;
    std::unordered_set<uint64_t> seen;
    for (Candidate c : found) {
        const uint32_t key = static_cast<uint32_t>(c >> 32) & ~kFoldedTier;
        const uint64_t reading = static_cast<uint64_t>(key) << 32 | (IsCompound(key) ? (c & 0xFFFFFFFF) : 0);
        if (!seen.insert(reading).second) continue;  // the same reading through another word
        found[kept++] = c;
        if (cap && kept == cap) break;
    }
    found.resize(kept);
}

// One result: form, infinitive, tense, slot, word, tab-separated; the arrays
// double when full.
bool Append(SearchResultList* list, const std::string& text, int32_t value) {
    if (list->count == list->capacity) {
        const int32_t capacity = list->capacity ? list->capacity * 2 : 16;
        auto** texts = static_cast<char**>(std::realloc(list->texts, sizeof(char*) * capacity));
        if (!texts) return false;
        list->texts = texts;
        auto* values = static_cast<int32_t*>(std::realloc(list->values, sizeof(int32_t) * capacity));
        if (!values) return false;
        list->values = values;
        list->capacity = capacity;
    }
    char* copy = static_cast<char*>(std::malloc(text.size() + 1));
    if (!copy) return false;
    std::memcpy(copy, text.c_str(), text.size() + 1);
    list->texts[list->count] = copy;
    list->values[list->count] = value;
    ++list->count;
    return true;
}

// Lists the readings found, at most `cap` if not 0; with `whole`, only those
// whose form is that text (or starts with it, for a prefix), compared folded
// if `fold`.
void Report(const Index& index, const std::vector<Candidate>& found, int32_t extraBits,
            SearchResultList* list, size_t cap, const char* whole = nullptr, bool prefix = false,
            bool fold = false) {
    const std::string wholeKey = whole && fold ? Folded(whole, std::strlen(whole)) : whole ? whole : "";
    auto* work = new WorkForms;
    int64_t conjugated = -1;  // rank << 2 | conj of the forms in the buffers
    std::string text;
    OwnWordList slotWords;
    for (Candidate c : found) {
        if (cap && static_cast<size_t>(list->count) >= cap) break;
        const uint32_t key = static_cast<uint32_t>(c >> 32) & ~kFoldedTier;
        const uint32_t rank = key >> kRankShift;
        const int conj = static_cast<int>(key >> kConjShift) & 3;
        const int32_t verb = index.verbAtRank[rank];
        const char* word = index.Raw(static_cast<uint32_t>(c & 0xFFFFFFFF));
        if (conjugated != (static_cast<int64_t>(rank) << 2 | conj)) {
            bool hasAlternate = false, canBePronominal = false, useAlternate = (conj & 1) != 0,
                 pronominal = (conj & 2) != 0;
            Conjugate(verb, true, &hasAlternate, &canBePronominal, &useAlternate, &pronominal, nullptr,
                      work->forms);
            conjugated = static_cast<int64_t>(rank) << 2 | conj;
        }
        const int32_t value = verb | ((conj & 2) ? ResultPronominal : 0) |
                              ((conj & 1) ? ResultAlternate : 0) |
                              ((c >> 32) & kFoldedTier ? ResultFolded : 0) | extraBits;
        const int first = static_cast<int>(key & 0x7F);
        const int last = IsCompound(key) ? FormSlotCount - 1 : first;
        for (int ordinal = first; ordinal <= last; ++ordinal) {
            const int slot = kSlotOrder.slotAt[ordinal];
            const char* form = work->forms[slot];
            if (IsCompound(key)) {  // the compound slots whose own word this is
                OwnWords(form, slot, slotWords);
                if (!slotWords.Has(word)) continue;
            }
            if (whole) {
                const std::string shown = fold ? Folded(form, std::strlen(form)) : std::string(form);
                if (prefix ? !StartsWith(shown, wholeKey) : shown != wholeKey) continue;
            }
            if (cap && static_cast<size_t>(list->count) >= cap) break;
            text.assign(form).append("\t").append(work->forms[InfinitiveSlot]);
            text.append("\t").append(std::to_string(TenseOfSlot(slot)));
            text.append("\t").append(std::to_string(slot));
            text.append("\t").append(word);
            if (!Append(list, text, value)) break;
        }
    }
    delete work;
}

// The texts one edit away from `key`: a letter dropped, added, changed, or
// two neighbours swapped, each once.
std::vector<std::string> OneEditAway(const std::string& key) {
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz-'";
    std::vector<std::string> out;
    for (size_t i = 0; i < key.size(); ++i) out.push_back(key.substr(0, i) + key.substr(i + 1));
    for (size_t i = 0; i + 1 < key.size(); ++i) {
        std::string t = key;
        std::swap(t[i], t[i + 1]);
        out.push_back(t);
    }
    for (size_t i = 0; i <= key.size(); ++i)
        for (const char* l = kLetters; *l; ++l) {
            out.push_back(key.substr(0, i) + *l + key.substr(i));
            if (i < key.size() && key[i] != *l) {
                std::string t = key;
                t[i] = *l;
                out.push_back(t);
            }
        }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

}  // namespace

extern "C" {

void LookupForm(const char* text, int32_t flags, SearchResultList** result) {
    if (!text || !result) return;
    auto* list = static_cast<SearchResultList*>(std::calloc(1, sizeof(SearchResultList)));
    *result = list;
    if (!list || !*text || std::strlen(text) >= kWorkBufferSize) return;
    const Index& index = TheIndex();
    const bool prefix = (flags & LookupPrefix) != 0;
    const bool ignoreAccents = (flags & IgnoreAccents) != 0;
    // A whole form typed ("nous fûmes", "lave-toi") is looked up by its own
    // word; the readings whose form it is come alone if there are any.
    OwnWordList reduced;
    OwnWords(text, ImperativeSlot, reduced);
    if (reduced.count == 0) return;
    const std::string word(reduced.word[0]);
    const bool wholeForm = word != text;
    const std::string key = Folded(word.data(), word.size());

    std::vector<Candidate> found;
    Collect(index, WordRange(index, key, prefix), word, prefix, ignoreAccents, 0, found);
    if (!found.empty()) {
        const size_t cap = prefix ? kPrefixCap : 0;
        // A whole form keeps only some of its word's readings: the cap
        // applies to those, not before.
        Select(found, wholeForm ? 0 : cap);
        if (wholeForm) Report(index, found, 0, list, cap, text, prefix, ignoreAccents);
        if (list->count == 0) Report(index, found, 0, list, cap);
        return;
    }
    // Nothing: the readings of every word one edit away, accents ignored,
    // the word itself folded among them.
    std::vector<std::string> nearby = OneEditAway(key);
    nearby.push_back(key);
    for (const std::string& near : nearby)
        Collect(index, WordRange(index, near, prefix), near, prefix, true, kFoldedTier, found);
    Select(found, kSuggestionCap);
    Report(index, found, ResultSuggestion, list, kSuggestionCap);
}

}  // extern "C"
