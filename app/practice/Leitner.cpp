#include "Leitner.h"

#include <algorithm>
#include <ctime>

namespace practice {

void ApplyAnswer(FormRecord& r, Verdict verdict, int64_t today, int64_t now) {
    switch (verdict) {
    case Verdict::Right:
        r.box = std::min(r.box + 1, BoxCount);
        ++r.right;
        break;
    case Verdict::Accents:
        r.box = std::max(r.box, 1);
        ++r.accents;
        break;
    case Verdict::Wrong:
        r.box = 1;
        ++r.wrong;
        break;
    }
    r.dueDay = today + BoxInterval(r.box);
    r.lastAnswered = now;
    r.lastVerdict = verdict;
}

int64_t LocalDay(int64_t seconds) {
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm local{};
    localtime_r(&t, &local);
    // The local calendar date counted as if it were UTC.
    local.tm_isdst = 0;
    const std::time_t asUtc = timegm(&local);
    return static_cast<int64_t>(asUtc / 86400 - (asUtc % 86400 < 0 ? 1 : 0));
}

int64_t NowSeconds() { return static_cast<int64_t>(std::time(nullptr)); }

int64_t Today() { return LocalDay(NowSeconds()); }

}  // namespace practice
