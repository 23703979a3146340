// The order in which a learner meets the verbs, from the two lists compiled
// into the module (data/frequent-verbs.txt, data/common-verbs.txt).
#pragma once

#include <cstdint>
#include <vector>

namespace french {

struct VerbRanking {
    // Every verb index once: the frequent verbs in the list's order, then
    // the common verbs and every verb with an English definition, then the
    // rest; within the last two tiers, and between verbs spelled alike,
    // the verb index.
    std::vector<int32_t> verbAtRank;
    // How many verbs at the start of verbAtRank come from the frequent list:
    // the only part of the order that is a ranking by how often a verb is met.
    int32_t frequentCount = 0;
};

// Works the order out afresh (a few milliseconds); empty when the database
// failed its check.
VerbRanking RankVerbs();

}  // namespace french
