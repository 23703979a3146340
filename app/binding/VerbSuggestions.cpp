// Suggestions for an unknown verb: the nearest infinitives by edit distance.
#include "VerbSuggestions.h"

#include <algorithm>
#include <numeric>

#include "LanguageModule.h"

std::string FoldForComparison(std::string_view text) {
    std::string folded;
    folded.reserve(text.size());
    for (char c : text) {
        unsigned char b = static_cast<unsigned char>(c);
        if (b >= 'A' && b <= 'Z') {
            folded += static_cast<char>(b - 'A' + 'a');
            continue;
        }
        if (b < 0x80) {
            folded += c;
            continue;
        }
        if (b >= 0xC0 && b < 0xE0 && b != 0xD7 && b != 0xDF) b += 0x20;  // upper -> lower
        switch (b) {
        case 0xE0:
        case 0xE1:
        case 0xE2:
        case 0xE3:
        case 0xE4:
        case 0xE5:
            folded += 'a';
            break;
        case 0xE7:
            folded += 'c';
            break;
        case 0xE8:
        case 0xE9:
        case 0xEA:
        case 0xEB:
            folded += 'e';
            break;
        case 0xEC:
        case 0xED:
        case 0xEE:
        case 0xEF:
            folded += 'i';
            break;
        case 0xF1:
            folded += 'n';
            break;
        case 0xF2:
        case 0xF3:
        case 0xF4:
        case 0xF5:
        case 0xF6:
            folded += 'o';
            break;
        case 0xF9:
        case 0xFA:
        case 0xFB:
        case 0xFC:
            folded += 'u';
            break;
        case 0xFD:
        case 0xFF:
        case 0x9F:
            folded += 'y';
            break;
        case 0xE6:
            folded += "ae";
            break;
        case 0x9C:
        case 0x8C:
            folded += "oe";
            break;
        case 0x92:
        case 0x91:
            folded += '\'';
            break;
        default:
            folded += static_cast<char>(b);
            break;
        }
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
