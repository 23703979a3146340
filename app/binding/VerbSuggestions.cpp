// Suggestions for an unknown verb: the nearest infinitives by edit distance.
#include "VerbSuggestions.h"

#include <algorithm>
#include <numeric>

#include "LanguageModule.h"

std::string FoldForComparison(std::string_view text) {
    // The small letter without its accent of each byte from 0xE0 (capitals
    // are lowered first); '\0' keeps the byte.
    static const char withoutAccent[] = "aaaaaa\0ceeeeiiii\0nooooo\0\0uuuuy\0y";
    std::string folded;
    folded.reserve(text.size());
    for (char c : text) {
        unsigned char b = static_cast<unsigned char>(c);
        if (b >= 'A' && b <= 'Z') b += 0x20;
        if (b >= 0xC0 && b < 0xE0 && b != 0xD7 && b != 0xDF) b += 0x20;
        if (b == 0xE6)
            folded += "ae";
        else if (b == 0x9C || b == 0x8C)  // œ Œ
            folded += "oe";
        else if (b == 0x9F)  // Ÿ
            folded += 'y';
        else if (b == 0x91 || b == 0x92)  // curly quotes
            folded += '\'';
        else if (b >= 0xE0 && withoutAccent[b - 0xE0] != '\0')
            folded += withoutAccent[b - 0xE0];
        else
            folded += static_cast<char>(b);
    }
    return folded;
}

int EditDistance(std::string_view a, std::string_view b) {
    std::vector<int> row(b.size() + 1);
    std::iota(row.begin(), row.end(), 0);
    for (size_t i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = static_cast<int>(i);
        for (size_t j = 1; j <= b.size(); ++j) {
            int above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

std::vector<std::string> SuggestVerbs(const LanguageModule& module, std::string_view text, size_t limit) {
    std::string wanted = FoldForComparison(text);
    int allowed = wanted.size() <= 3 ? 1 : wanted.size() <= 6 ? 2 : 3;
    struct Candidate {
        int distance;
        int32_t index;
    };
    std::vector<Candidate> candidates;
    int32_t count = module.GetVerbCount();
    for (int32_t i = 0; i < count; ++i) {
        const char* verb = module.GetVerb(i);
        if (verb == nullptr) continue;
        std::string folded = FoldForComparison(verb);
        // Cheap bound first: the length difference alone.
        int gap = static_cast<int>(folded.size()) - static_cast<int>(wanted.size());
        if (gap > allowed || -gap > allowed) continue;
        int distance = EditDistance(wanted, folded);
        if (distance <= allowed) candidates.push_back({distance, i});
    }
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate& a, const Candidate& b) { return a.distance < b.distance; });
    std::vector<std::string> names;
    for (const Candidate& c : candidates) {
        std::string name = module.GetVerb(c.index);
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
        if (names.size() == limit) break;
    }
    return names;
}
