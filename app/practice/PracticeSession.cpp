#include "PracticeSession.h"

#include <algorithm>

namespace practice {

PracticeSession::PracticeSession(std::vector<Question> questions) {
    for (Question& q : questions) queue_.push_back({std::move(q), false});
    questionCount_ = static_cast<int>(queue_.size());
}

void PracticeSession::Answer(Verdict verdict) {
    if (queue_.empty()) return;
    Entry entry = std::move(queue_.front());
    queue_.pop_front();
    Tally& tally = byTense_[std::clamp(entry.question.tense, 0, AskedTenseCount - 1)];
    switch (verdict) {
    case Verdict::Right:
        ++tally.right;
        break;
    case Verdict::Accents:
        ++tally.accents;
        break;
    case Verdict::Wrong:
        ++tally.wrong;
        break;
    }
    if (verdict != Verdict::Wrong) {
        if (!entry.retried) ++firstTimeRight_;
        return;
    }
    entry.retried = true;
    // RetryGap places later, and never before the next question not asked
    // yet: missing every answer must not keep the rest from being asked.
    const auto firstNew =
        std::find_if(queue_.begin(), queue_.end(), [](const Entry& e) { return !e.retried; }) -
        queue_.begin();
    const std::ptrdiff_t place =
        std::max<std::ptrdiff_t>(RetryGap, firstNew == std::ptrdiff_t(queue_.size()) ? 0 : firstNew + 1);
    queue_.insert(queue_.begin() + std::min<std::ptrdiff_t>(place, std::ptrdiff_t(queue_.size())),
                  std::move(entry));
}

Tally PracticeSession::Total() const {
    Tally t;
    for (const Tally& x : byTense_) {
        t.right += x.right;
        t.accents += x.accents;
        t.wrong += x.wrong;
    }
    return t;
}

}  // namespace practice
