// Find: a pattern in every conjugated form or every English definition.
//
// The search runs on the caller's thread and reports progress by sending the
// progress window a message now and then. Only matches allocate memory.
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "Conjugator.h"
#include "Database.h"
#include "Folding.h"
#include "LanguageModuleAbi.h"

namespace {

constexpr int32_t kGrowth = 10;
constexpr int kWorkBufferSize = 64;
constexpr int kProgressSteps = 20;

std::atomic<HWND> progressWindow{nullptr};  // set from any thread

// Bytes 0x80 and above are letters too: é, ç, œ belong to the word.
bool IsWordCharacter(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c >= 0x80;
}

// Only the first occurrence counts; with wholeWord it must stand alone. The
// pattern's length is measured once per search, not once per text.
bool Matches(const char* text, const char* pattern, size_t patternLength, bool wholeWord) {
    const size_t textLength = std::strlen(text);
    if (textLength < patternLength) return false;
    const size_t at = std::string_view(text, textLength).find(std::string_view(pattern, patternLength));
    if (at == std::string_view::npos) return false;
    const char* found = text + at;
    if (!wholeWord) return true;
    if (found > text && IsWordCharacter(static_cast<unsigned char>(found[-1]))) return false;
    const char after = found[patternLength];
    return after == 0 || !IsWordCharacter(static_cast<unsigned char>(after));
}

int TenseOfSlot(int slot) {
    if (slot < 84) return slot / 6;
    if (slot < PresentParticipleSlot) return 14;
    if (slot == PresentParticipleSlot) return 16;
    if (slot < InfinitiveSlot) return 15;
    return 17;
}

// Appends one entry; the arrays grow ten entries at a time. A failed
// allocation drops the entry and leaves the list as it was.
void AddResult(SearchResultList* list, const char* first, const char* second, const char* third,
               int32_t value) {
    if (list->count >= MaxSearchResults) return;
    if (list->count == list->capacity) {
        const int32_t capacity = list->capacity + kGrowth;
        auto** texts = static_cast<char**>(std::malloc(sizeof(char*) * capacity));
        auto* values = static_cast<int32_t*>(std::malloc(sizeof(int32_t) * capacity));
        if (!texts || !values) {
            std::free(texts);
            std::free(values);
            return;
        }
        if (list->count > 0) {
            std::memcpy(texts, list->texts, sizeof(char*) * list->count);
            std::memcpy(values, list->values, sizeof(int32_t) * list->count);
        }
        std::free(list->texts);
        std::free(list->values);
        list->texts = texts;
        list->values = values;
        list->capacity = capacity;
    }
    const size_t a = std::strlen(first), b = std::strlen(second), c = third ? std::strlen(third) : 0;
    const size_t length = a + 1 + b + (third ? 1 + c : 0);
    char* text = static_cast<char*>(std::malloc(length + 1));
    if (!text) return;
    char* out = text;
    std::memcpy(out, first, a);
    out += a;
    *out++ = '\t';
    std::memcpy(out, second, b);
    out += b;
    if (third) {
        *out++ = '\t';
        std::memcpy(out, third, c);
        out += c;
    }
    *out = 0;
    list->texts[list->count] = text;
    list->values[list->count] = value;
    ++list->count;
}

struct SearchRun {
    const char* pattern;  // folded with IgnoreAccents
    size_t patternLength;
    bool wholeWord;
    SearchResultList* list;
    char** forms;
    bool fold = false;
    char* folded = nullptr;  // room for any text of the run folded
};

// With IgnoreAccents the text is folded first; the pattern already is.
bool RunMatches(SearchRun& run, const char* text) {
    if (run.fold) {
        french::FoldInto(text, run.folded);
        text = run.folded;
    }
    return Matches(text, run.pattern, run.patternLength, run.wholeWord);
}

void MatchForms(SearchRun& run, int32_t verbIndex, bool alternate, bool pronominal) {
    const int32_t value = verbIndex | (pronominal ? ResultPronominal : 0) | (alternate ? ResultAlternate : 0);
    for (int s = 0; s < FormSlotCount; ++s) {
        if (!RunMatches(run, run.forms[s])) continue;
        char tense[4];
        std::snprintf(tense, sizeof tense, "%d", TenseOfSlot(s));
        AddResult(run.list, run.forms[s], run.forms[InfinitiveSlot], tense, value);
    }
}

void ReportProgress(int32_t verbIndex, int32_t count) {
    HWND target = progressWindow.load(std::memory_order_acquire);
    if (!target || !target->send) return;
    const int32_t step = count / kProgressSteps > 0 ? count / kProgressSteps : 1;
    if (verbIndex % step != 0) return;
    const int64_t percent = (static_cast<int64_t>(verbIndex) * 100 + count / 2) / count;
    target->send(target, WM_USER, static_cast<uintptr_t>(percent), 0);
}

void SearchAllForms(SearchRun& run) {
    const int32_t count = french::Db.verbCount;
    for (int32_t i = 0; i < count; ++i) {
        ReportProgress(i, count);
        // A full list takes no more entries; the progress reports still run
        // to the end so that the progress window behaves the same.
        if (run.list->count >= MaxSearchResults) continue;
        bool hasAlternate = false, canBePronominal = false, useAlternate = false, pronominal = false;
        if (!french::Conjugate(i, true, &hasAlternate, &canBePronominal, &useAlternate, &pronominal, nullptr,
                               run.forms))
            continue;
        // A verb that exists only as a pronominal verb comes back pronominal
        // from the first call already; it is searched in that form only.
        const bool onlyPronominal = pronominal;
        MatchForms(run, i, false, pronominal);
        if (hasAlternate) {
            useAlternate = true;
            pronominal = onlyPronominal;
            french::Conjugate(i, true, &hasAlternate, &canBePronominal, &useAlternate, &pronominal, nullptr,
                              run.forms);
            MatchForms(run, i, true, pronominal);
        }
        if (onlyPronominal || !canBePronominal) continue;
        useAlternate = false;
        pronominal = true;
        french::Conjugate(i, true, &hasAlternate, &canBePronominal, &useAlternate, &pronominal, nullptr,
                          run.forms);
        MatchForms(run, i, false, pronominal);
        if (hasAlternate && canBePronominal) {
            useAlternate = true;
            pronominal = true;
            french::Conjugate(i, true, &hasAlternate, &canBePronominal, &useAlternate, &pronominal, nullptr,
                              run.forms);
            MatchForms(run, i, true, pronominal);
        }
    }
}

void TestDefinition(SearchRun& run, int32_t verbIndex, const char* definition, bool pronominal) {
    if (!RunMatches(run, definition)) return;
    bool hasAlternate = false, canBePronominal = false, useAlternate = false, isPronominal = pronominal;
    french::Conjugate(verbIndex, true, &hasAlternate, &canBePronominal, &useAlternate, &isPronominal, nullptr,
                      run.forms);
    AddResult(run.list, definition, run.forms[InfinitiveSlot], nullptr,
              verbIndex | (isPronominal ? ResultPronominal : 0));
}

// The length of the longest English definition, plain or pronominal.
size_t LongestDefinition() {
    static const size_t longest = [] {
        size_t most = 0;
        for (int32_t i = 0; i < french::Db.verbCount; ++i) {
            const char* plain = french::PlainDefinition(i);
            if (!plain) continue;
            const size_t a = std::strlen(plain);
            most = std::max(most, std::max(a, std::strlen(plain + a + 1)));
        }
        return most;
    }();
    return longest;
}

void SearchAllDefinitions(SearchRun& run) {
    for (int32_t i = 0; i < french::Db.verbCount && run.list->count < MaxSearchResults; ++i) {
        const char* plain = french::PlainDefinition(i);
        if (!plain) continue;
        TestDefinition(run, i, plain, false);
        TestDefinition(run, i, plain + std::strlen(plain) + 1, true);
    }
}

}  // namespace

extern "C" {

void Find(const char* pattern, int32_t flags, SearchResultList** result) {
    if (!pattern || !result) return;
    auto* list = static_cast<SearchResultList*>(std::calloc(1, sizeof(SearchResultList)));
    *result = list;
    if (!list) return;

    char* block = static_cast<char*>(std::malloc(static_cast<size_t>(FormSlotCount) * kWorkBufferSize));
    if (!block) return;
    char* forms[FormSlotCount];
    for (int s = 0; s < FormSlotCount; ++s) {
        forms[s] = block + s * kWorkBufferSize;
        forms[s][0] = 0;
    }
    SearchRun run{pattern, std::strlen(pattern), (flags & WholeWord) != 0, list, forms};
    // Folding: the pattern once, each text into a buffer twice the longest.
    char* foldedPattern = nullptr;
    if (flags & IgnoreAccents) {
        const size_t room =
            2 * std::max(run.patternLength, std::max<size_t>(kWorkBufferSize, LongestDefinition())) + 1;
        foldedPattern = static_cast<char*>(std::malloc(2 * run.patternLength + 1));
        run.folded = static_cast<char*>(std::malloc(room));
        if (!foldedPattern || !run.folded) {
            std::free(foldedPattern);
            std::free(run.folded);
            std::free(block);
            return;
        }
        run.patternLength = french::FoldInto(pattern, foldedPattern);
        run.pattern = foldedPattern;
        run.fold = true;
    }
    // A pattern longer than every text of a kind cannot match one: that
    // search ends at once instead of measuring it against millions of forms.
    // (A folded text may be twice as long as its source.)
    const size_t growth = run.fold ? 2 : 1;
    if ((flags & SearchForms) && run.patternLength < growth * kWorkBufferSize) SearchAllForms(run);
    if ((flags & SearchDefinitions) && run.patternLength <= growth * LongestDefinition())
        SearchAllDefinitions(run);
    std::free(foldedPattern);
    std::free(run.folded);
    std::free(block);
}

void FreeSearchPtr(SearchResultList* list) {
    if (!list) return;
    for (int32_t i = 0; i < list->count; ++i) std::free(list->texts[i]);
    std::free(list->texts);
    std::free(list->values);
    std::free(list);
}

void SetSearchProgressHwnd(HWND window) { progressWindow.store(window, std::memory_order_release); }

}  // extern "C"
