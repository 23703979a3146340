// The command line of plimo-conj.
#pragma once

#include <string>
#include <string_view>
#include <vector>

enum class ConjMode { Help, Conjugate, All, Find, Define, Lookup };
enum class ConjFormat { Text, Json, Tsv };

struct ConjOptions {
    ConjMode mode = ConjMode::Conjugate;
    std::string verb;     // UTF-8, as typed (Conjugate, Define)
    std::string pattern;  // UTF-8, as typed (Find)
    bool pronominal = false;
    bool alternate = false;
    bool definitions = false;  // Find: search the English definitions instead of the forms
    bool wholeWord = false;
    bool ignoreAccents = false;  // Find, Lookup: case and accents left out of the comparison
    bool prefix = false;         // Lookup: the text may be the start of the word
    std::string lookup;          // UTF-8, as typed (Lookup)
    std::string moduleFile = "French.ldl";
    ConjFormat format = ConjFormat::Text;
    std::vector<std::string> tenses;  // --tense names, UTF-8 as typed; empty for every tense
};

struct ConjParse {
    bool ok = false;
    ConjOptions options;
    std::string error;  // what was wrong, when !ok
};

ConjParse ParseConjOptions(const std::vector<std::string>& arguments);

// Whether `option` ("--find") is one of plimo-conj's options that take a
// value.
bool ConjOptionTakesValue(std::string_view option);

// An argument as a message may show it: bytes that are not UTF-8 and control
// characters escaped as \xNN, and a long text cut to its first 40
// characters and "…".
std::string ShownArgument(std::string_view text);

// The full help text (--help), and the short form shown after a bad
// command line.
extern const char* const ConjUsage;
extern const char* const ConjSynopsis;
