// Spaced repetition by five Leitner boxes.
//
// A form never answered is in box 0. A right answer moves it one box up (at
// most box 5), a wrong one back to box 1; an answer right but for its
// accents (accepted with a warning) leaves it where it is (box 1 at least).
// A form is due again the given number of days after its last answer:
// 1, 2, 4, 8 or 16 days for boxes 1 to 5. Days are whole local days.
#pragma once

#include <cstdint>

#include "AnswerCheck.h"

namespace practice {

inline constexpr int BoxCount = 5;

// Days before a form in `box` (1-5) is asked again.
constexpr int BoxInterval(int box) { return box < 1 ? 0 : 1 << ((box > BoxCount ? BoxCount : box) - 1); }

// What is kept about one form.
struct FormRecord {
    int box = 0;
    int64_t dueDay = 0;  // first day it is due; meaningless in box 0
    int right = 0;
    int accents = 0;
    int wrong = 0;
    int64_t lastAnswered = 0;  // seconds since 1970, 0 for never
    Verdict lastVerdict = Verdict::Right;
};

void ApplyAnswer(FormRecord& record, Verdict verdict, int64_t today, int64_t now);

inline bool IsDue(const FormRecord& r, int64_t today) { return r.box > 0 && r.dueDay <= today; }

// "My mistakes": a form once answered wrong that has not climbed past box 2
// since, or whose last answer was wrong.
inline bool IsMistake(const FormRecord& r) {
    return r.wrong > 0 && (r.box <= 2 || r.lastVerdict == Verdict::Wrong);
}

// The local day of a moment (seconds since 1970) as days since 1970-01-01.
int64_t LocalDay(int64_t secondsSinceEpoch);
int64_t Today();
int64_t NowSeconds();

}  // namespace practice
