#include "AnswerCheck.h"

#include <algorithm>
#include <string>
#include <vector>

namespace practice {

std::u32string ToCodePoints(std::string_view s) {
    std::u32string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        const int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        if (extra < 0 || i + extra >= s.size()) {
            out.push_back(U'\uFFFD');
            ++i;
            continue;
        }
        char32_t cp = extra == 0 ? c : (c & (0x3F >> extra));
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            const unsigned char cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (!ok) {
            out.push_back(U'\uFFFD');
            ++i;
            continue;
        }
        out.push_back(cp);
        i += extra + 1;
    }
    return out;
}

std::string ToUtf8(std::u32string_view text) {
    std::string out;
    for (char32_t cp : text) {
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

namespace {

// The letters of French with an accent, and their plain letter.
struct Accented {
    char32_t letter;
    char32_t plain;
    char32_t mark;  // the combining mark that makes it from the plain letter
};
constexpr Accented AccentedLetters[] = {
    {U'à', U'a', 0x300}, {U'â', U'a', 0x302}, {U'ä', U'a', 0x308}, {U'á', U'a', 0x301}, {U'é', U'e', 0x301},
    {U'è', U'e', 0x300}, {U'ê', U'e', 0x302}, {U'ë', U'e', 0x308}, {U'î', U'i', 0x302}, {U'ï', U'i', 0x308},
    {U'í', U'i', 0x301}, {U'ì', U'i', 0x300}, {U'ô', U'o', 0x302}, {U'ö', U'o', 0x308}, {U'ó', U'o', 0x301},
    {U'ò', U'o', 0x300}, {U'ù', U'u', 0x300}, {U'û', U'u', 0x302}, {U'ü', U'u', 0x308}, {U'ú', U'u', 0x301},
    {U'ç', U'c', 0x327}, {U'ÿ', U'y', 0x308}, {U'ñ', U'n', 0x303},
};

char32_t Lower(char32_t c) {
    if (c >= U'A' && c <= U'Z') return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
    if (c == U'Œ') return U'œ';
    if (c == U'Ÿ') return U'ÿ';
    return c;
}

bool IsApostrophe(char32_t c) {
    return c == U'\'' || c == U'’' || c == U'‘' || c == U'ʼ' || c == U'´' || c == U'`' || c == U'′';
}

bool IsSpace(char32_t c) {
    return c == U' ' || c == U'\t' || c == U'\n' || c == U'\r' || c == 0xA0 || c == 0x202F || c == 0x2009;
}

}  // namespace

std::u32string NormalizedAnswer(std::string_view text, bool withoutAccents) {
    const std::u32string in = ToCodePoints(text);
    std::u32string out;
    out.reserve(in.size() + 4);
    bool pendingSpace = false;
    for (char32_t c : in) {
        if (IsSpace(c)) {
            pendingSpace = !out.empty();
            continue;
        }
        c = Lower(c);
        // A combining mark joins the letter before it.
        if (c >= 0x300 && c <= 0x36F) {
            if (!out.empty()) {
                for (const Accented& a : AccentedLetters) {
                    if (a.plain == out.back() && a.mark == c) {
                        out.back() = a.letter;
                        break;
                    }
                }
            }
            continue;
        }
        if (IsApostrophe(c)) {
            c = U'\'';
            pendingSpace = false;  // "j' aime" is "j'aime"
        }
        if (pendingSpace && c != U'\'' && !(out.size() && out.back() == U'\'')) out.push_back(U' ');
        pendingSpace = false;
        if (c == U'œ') {
            out += U"oe";
            continue;
        }
        if (c == U'æ') {
            out += U"ae";
            continue;
        }
        out.push_back(c);
    }
    if (withoutAccents) {
        for (char32_t& c : out) {
            for (const Accented& a : AccentedLetters) {
                if (a.letter == c) {
                    c = a.plain;
                    break;
                }
            }
        }
    }
    return out;
}

namespace {

// The ways of writing the expected form that count: whole, without "que",
// without the subject pronoun. Each is the tail of the form from the
// returned character offset.
std::vector<std::size_t> AnswerStarts(const std::u32string& form) {
    std::vector<std::size_t> starts{0};
    std::size_t at = 0;
    auto skip = [&](std::u32string_view word) {
        if (form.compare(at, word.size(), word) == 0 && form.size() > at + word.size()) {
            at += word.size();
            while (at < form.size() && form[at] == U' ') ++at;
            starts.push_back(at);
            return true;
        }
        return false;
    };
    if (!skip(U"que ")) skip(U"qu'");
    for (std::u32string_view pronoun :
         {U"je ", U"j'", U"tu ", U"il ", U"elle ", U"on ", U"nous ", U"vous ", U"ils ", U"elles "}) {
        if (skip(pronoun)) break;
    }
    return starts;
}

bool Matches(const std::u32string& answer, const std::u32string& form,
             const std::vector<std::size_t>& starts) {
    for (std::size_t s : starts) {
        if (form.compare(s, std::u32string::npos, answer) == 0) return true;
    }
    return false;
}

// Marks in `result` where, in the expected form, the answer parts from it:
// compared, case and apostrophes aside, against the tail the answer most
// likely meant (the one nearest it in length), from both ends.
void MarkDifference(std::string_view typed, std::string_view expected, CheckResult& result) {
    const std::u32string shown = ToCodePoints(expected);
    std::u32string folded;
    for (char32_t c : shown) folded.push_back(IsApostrophe(c) ? U'\'' : Lower(c));
    std::u32string given;
    for (char32_t c : ToCodePoints(typed)) given.push_back(IsApostrophe(c) ? U'\'' : Lower(c));
    while (!given.empty() && IsSpace(given.back())) given.pop_back();
    while (!given.empty() && IsSpace(given.front())) given.erase(given.begin());
    const auto tails = AnswerStarts(folded);
    std::size_t from = 0;
    auto distance = [&](std::size_t s) {
        const std::size_t length = folded.size() - s;
        return length > given.size() ? length - given.size() : given.size() - length;
    };
    for (std::size_t s : tails) {
        if (distance(s) < distance(from)) from = s;
    }
    // An answer that begins with the form's own pronouns is compared after them.
    const std::size_t givenStart = AnswerStarts(given).back();
    if (givenStart > 0 && givenStart == tails.back() &&
        given.compare(0, givenStart, folded, 0, givenStart) == 0) {
        from = givenStart;
        given.erase(0, givenStart);
    }
    std::size_t prefix = 0;
    while (from + prefix < folded.size() && prefix < given.size() && folded[from + prefix] == given[prefix])
        ++prefix;
    std::size_t suffix = 0;
    while (suffix < folded.size() - from - prefix && suffix < given.size() - prefix &&
           folded[folded.size() - 1 - suffix] == given[given.size() - 1 - suffix])
        ++suffix;
    result.markStart = from + prefix;
    result.markLength = folded.size() - suffix - result.markStart;
    if (result.markLength == 0) {
        // The answer has letters the form lacks: mark the place.
        result.markLength = result.markStart < folded.size() ? 1 : 0;
        if (result.markLength == 0 && result.markStart > 0) {
            --result.markStart;
            result.markLength = 1;
        }
    }
}

}  // namespace

CheckResult CheckAnswer(std::string_view typed, std::string_view expected, AccentPolicy policy) {
    CheckResult result;
    const std::u32string exact = NormalizedAnswer(expected, false);
    const auto starts = AnswerStarts(exact);
    const std::u32string answer = NormalizedAnswer(typed, false);
    if (!answer.empty() && Matches(answer, exact, starts)) {
        result.verdict = Verdict::Right;
        return result;
    }
    const std::u32string plainForm = NormalizedAnswer(expected, true);
    const std::u32string plainAnswer = NormalizedAnswer(typed, true);
    const bool accentsOnly = !plainAnswer.empty() && Matches(plainAnswer, plainForm, AnswerStarts(plainForm));
    if (accentsOnly && policy == AccentPolicy::Ignore) {
        result.verdict = Verdict::Right;
        return result;
    }
    result.verdict = accentsOnly && policy == AccentPolicy::Warn ? Verdict::Accents : Verdict::Wrong;

    MarkDifference(typed, expected, result);
    return result;
}

namespace {

// The forms of être that make a compound form agree with its subject.
bool IsEtreAuxiliary(std::string_view word) {
    static const std::string_view forms[] = {
        "suis",    "es",      "est",    "sommes", "êtes",   "sont",   "étais",   "était",  "étions",
        "étiez",   "étaient", "fus",    "fut",    "fûmes",  "fûtes",  "furent",  "serai",  "seras",
        "sera",    "serons",  "serez",  "seront", "serais", "serait", "serions", "seriez", "seraient",
        "sois",    "soit",    "soyons", "soyez",  "soient", "fusse",  "fusses",  "fût",    "fussions",
        "fussiez", "fussent", "été",    "étant",  "être"};
    for (std::string_view form : forms)
        if (word == form) return true;
    return false;
}

std::vector<std::string> Words(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    for (char c : std::string(text) + ' ') {
        if (c == ' ') {
            if (!word.empty()) words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    return words;
}

// The other ways the form is right for another subject: "elle" or "on" for
// "il", "elles" for "ils"; and, where être is the auxiliary, the participle
// agreeing with a woman or women ("je suis allée", "nous sommes allées").
std::vector<std::string> AgreeingForms(std::string_view form) {
    std::vector<std::string> words = Words(form);
    std::vector<std::string> result;
    if (words.size() < 2) return result;
    size_t subject = words[0] == "que" ? 1 : 0;
    std::string& pronoun = words[subject];
    const bool plural = pronoun == "nous" || pronoun == "vous" || pronoun == "ils" || pronoun == "qu'ils";
    bool agrees = false;
    for (size_t i = 0; i + 1 < words.size(); ++i) {
        // "qu'il soit", "s'est": the auxiliary may follow an elided word.
        const size_t apostrophe = words[i].rfind('\'');
        if (IsEtreAuxiliary(apostrophe == std::string::npos ? words[i] : words[i].substr(apostrophe + 1)))
            agrees = true;
    }
    auto join = [](const std::vector<std::string>& parts) {
        std::string text;
        for (const std::string& part : parts) text += (text.empty() ? "" : " ") + part;
        return text;
    };
    std::vector<std::vector<std::string>> subjects{words};
    const std::pair<std::string_view, std::vector<std::string_view>> others[] = {
        {"il", {"elle", "on"}},
        {"ils", {"elles"}},
        {"qu'il", {"qu'elle", "qu'on"}},
        {"qu'ils", {"qu'elles"}}};
    for (const auto& [own, alternatives] : others)
        if (pronoun == own)
            for (std::string_view alternative : alternatives) {
                subjects.push_back(words);
                subjects.back()[subject] = alternative;
            }
    for (size_t s = 0; s < subjects.size(); ++s) {
        if (s > 0) result.push_back(join(subjects[s]));
        if (!agrees) continue;
        const std::string participle = subjects[s].back();
        // A plural participle's singular may end in "s" itself: "allés" is
        // "allées" for women, "assis" is "assises".
        std::vector<std::string> feminines;
        if (!plural)
            feminines = {participle + 'e'};
        else if (!participle.empty() && participle.back() == 's')
            feminines = {participle.substr(0, participle.size() - 1) + "es", participle + "es"};
        for (const std::string& feminine : feminines) {
            std::vector<std::string> agreeing = subjects[s];
            agreeing.back() = feminine;
            result.push_back(join(agreeing));
        }
    }
    return result;
}

}  // namespace

CheckResult CheckAnswer(std::string_view typed, std::string_view expected, std::string_view otherVariant,
                        AccentPolicy policy) {
    const CheckResult asked = CheckAnswer(typed, expected, policy);
    if (asked.verdict == Verdict::Right) return asked;
    std::vector<std::string> others = AgreeingForms(expected);
    if (!otherVariant.empty()) {
        others.emplace_back(otherVariant);
        for (std::string& form : AgreeingForms(otherVariant)) others.push_back(std::move(form));
    }
    bool accents = false;
    for (const std::string& form : others) {
        const CheckResult other = CheckAnswer(typed, form, policy);
        if (other.verdict == Verdict::Right) return other;
        accents |= other.verdict == Verdict::Accents;
    }
    // Right but for accents in another way of writing it: the accents are
    // what to mind, shown on the form asked.
    if (accents && asked.verdict == Verdict::Wrong) {
        CheckResult result;
        result.verdict = Verdict::Accents;
        return result;
    }
    return asked;
}

const char* PolicyName(AccentPolicy policy) {
    switch (policy) {
    case AccentPolicy::Strict:
        return "strict";
    case AccentPolicy::Warn:
        return "warn";
    case AccentPolicy::Ignore:
        return "ignore";
    }
    return "warn";
}

bool ParsePolicy(std::string_view name, AccentPolicy& policy) {
    for (AccentPolicy p : {AccentPolicy::Strict, AccentPolicy::Warn, AccentPolicy::Ignore}) {
        if (name == PolicyName(p)) {
            policy = p;
            return true;
        }
    }
    return false;
}

}  // namespace practice
