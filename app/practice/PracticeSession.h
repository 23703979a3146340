// One practice session: the questions in order, a missed form asked again a
// few questions later until it is answered right, and the tally per tense.
#pragma once

#include <array>
#include <deque>
#include <vector>

#include "AnswerCheck.h"
#include "QuestionPicker.h"

namespace practice {

struct Tally {
    int right = 0;
    int accents = 0;
    int wrong = 0;
    int Total() const { return right + accents + wrong; }
};

class PracticeSession {
public:
    explicit PracticeSession(std::vector<Question> questions);

    bool Finished() const { return queue_.empty(); }
    const Question& Current() const { return queue_.front().question; }
    // Questions still to ask, a missed one counted again.
    int Remaining() const { return static_cast<int>(queue_.size()); }
    int QuestionCount() const { return questionCount_; }

    // Records the verdict on the current question and moves on; a wrong
    // answer puts the question back `RetryGap` places later (or last).
    void Answer(Verdict verdict);

    // Answers given, every attempt counted, by tense; and in all.
    const std::array<Tally, AskedTenseCount>& ByTense() const { return byTense_; }
    Tally Total() const;
    // Questions right (or right but for accents) at the first attempt.
    int FirstTimeRight() const { return firstTimeRight_; }

    static constexpr int RetryGap = 3;

private:
    struct Entry {
        Question question;
        bool retried = false;
    };
    std::deque<Entry> queue_;
    std::array<Tally, AskedTenseCount> byTense_{};
    int questionCount_ = 0;
    int firstTimeRight_ = 0;
};

}  // namespace practice
