// GetVerbRank, and the verb order that the form lookup lists its readings in.
#include "VerbRanking.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_map>

#include "Database.h"
#include "LanguageModuleAbi.h"

namespace french {
extern const char kFrequentVerbs[];
extern const char kCommonVerbs[];
}  // namespace french

namespace french {

namespace {

// The names of a list (UTF-8, one a line, "#" starts a comment line) in
// Windows-1252, each with its tier in the high half and its line in the low.
void AddRankingNames(const char* list, uint32_t tier, std::unordered_map<std::string, uint32_t>& ranks) {
    uint32_t line = 0;
    for (const char* p = list; *p;) {
        const char* end = std::strchr(p, '\n');
        if (!end) end = p + std::strlen(p);
        if (end > p && *p != '#') {
            std::string name;
            for (const char* q = p; q < end; ++q) {
                const unsigned char c = static_cast<unsigned char>(*q);
                if (c < 0x80) {
                    if (c != '\r') name += static_cast<char>(c);
                } else if ((c & 0xE0) == 0xC0 && q + 1 < end) {
                    const unsigned code = (c & 0x1Fu) << 6 | (static_cast<unsigned char>(q[1]) & 0x3Fu);
                    name += static_cast<char>(code == 0x153 ? 0x9C : code == 0x152 ? 0x8C : code);
                    ++q;
                }
            }
            ranks.emplace(name, tier << 16 | line++);
        }
        p = *end ? end + 1 : end;
    }
}

}  // namespace

VerbRanking RankVerbs() {
    VerbRanking ranking;
    const int32_t count = Db.verbCount;
    std::vector<uint64_t> order(static_cast<size_t>(count));
    std::unordered_map<std::string, uint32_t> names;
    AddRankingNames(kFrequentVerbs, 0, names);
    AddRankingNames(kCommonVerbs, 1, names);
    for (int32_t i = 0; i < count; ++i) {
        const auto found = names.find(Infinitive(i));
        uint32_t rank = 2u << 16;
        if (found != names.end())
            rank = found->second >> 16 == 0 ? found->second : 1u << 16;
        else if (PlainDefinition(i))
            rank = 1u << 16;
        if (rank >> 16 == 0) ++ranking.frequentCount;
        order[static_cast<size_t>(i)] = static_cast<uint64_t>(rank) << 32 | static_cast<uint32_t>(i);
    }
    std::sort(order.begin(), order.end());
    ranking.verbAtRank.resize(order.size());
    for (size_t r = 0; r < order.size(); ++r)
        ranking.verbAtRank[r] = static_cast<int32_t>(order[r] & 0xFFFFFFFF);
    return ranking;
}

}  // namespace french

extern "C" {

int32_t GetVerbRank(int32_t verbIndex) {
    // Each verb's place, 1 = met first, 0 for a verb outside the frequent
    // list; worked out once, on the first call from any thread. A listed
    // name is the verb of that name met first, the first so spelled
    // (sortir, not the legal sortir#2); verbs spelled alike sit side by
    // side in the order, by index.
    static const std::vector<int32_t> rankOf = [] {
        const french::VerbRanking ranking = french::RankVerbs();
        std::vector<int32_t> ranks(ranking.verbAtRank.size(), 0);
        int32_t place = 0;
        const char* previous = "";
        for (int32_t r = 0; r < ranking.frequentCount; ++r) {
            const int32_t verb = ranking.verbAtRank[static_cast<size_t>(r)];
            const char* name = french::Infinitive(verb);
            if (std::strcmp(name, previous) != 0) ranks[static_cast<size_t>(verb)] = ++place;
            previous = name;
        }
        return ranks;
    }();
    if (verbIndex < 0 || static_cast<size_t>(verbIndex) >= rankOf.size()) return 0;
    return rankOf[static_cast<size_t>(verbIndex)];
}

}  // extern "C"
