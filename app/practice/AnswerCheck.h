// Checking a typed answer against the form the module wrote.
//
// Case, extra spaces, the kind of apostrophe and the spelling of œ/æ
// ("coeur" for "cœur") never make an answer wrong. Accents are judged by the
// learner's chosen policy. The subject pronoun may be left out: for "nous
// vînmes" both "nous vînmes" and "vînmes" are right; for "que je vienne"
// also "je vienne". Text is UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace practice {

enum class AccentPolicy { Strict = 0, Warn = 1, Ignore = 2 };
enum class Verdict { Right = 0, Accents = 1, Wrong = 2 };

struct CheckResult {
    Verdict verdict = Verdict::Wrong;
    // Where, in the expected form (in characters, not bytes), the answer
    // stops matching it: the part to mark in a correction. Both zero when
    // the answer was right.
    std::size_t markStart = 0;
    std::size_t markLength = 0;
};

CheckResult CheckAnswer(std::string_view typed, std::string_view expected, AccentPolicy policy);

// The same for a verb with two variants (je paie / je paye, j'ai passé /
// je suis passé): `otherVariant` is the slot's form in the variant not
// asked, or empty. The form is right for other subjects too ("elle" or
// "on" for "il", "elles" for "ils") and, with the auxiliary être, with the
// participle agreeing ("je suis allée", "nous nous sommes assises"). The
// best verdict counts; the mark is always placed in `expected`, the form
// asked, which the correction shows.
CheckResult CheckAnswer(std::string_view typed, std::string_view expected, std::string_view otherVariant,
                        AccentPolicy policy);

// The answer reduced to what the comparison looks at (lower case, œ as
// "oe", one kind of apostrophe, single spaces); with `withoutAccents`, the
// accents taken off as well.
std::u32string NormalizedAnswer(std::string_view text, bool withoutAccents);

// UTF-8 to code points and back (invalid bytes become U+FFFD).
std::u32string ToCodePoints(std::string_view utf8);
std::string ToUtf8(std::u32string_view text);

const char* PolicyName(AccentPolicy policy);  // "strict", "warn", "ignore"
bool ParsePolicy(std::string_view name, AccentPolicy& policy);

}  // namespace practice
