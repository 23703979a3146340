// Parsing plimo-conj's command line.
#include "ConjOptions.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#define PLIMO_CONJ_SYNOPSIS                                                                            \
    "Usage: plimo-conj [--pronominal] [--alternate] [--tense NAMES] [--format FORMAT] VERB\n"          \
    "       plimo-conj --all [--pronominal] [--alternate] [--tense NAMES] [--format FORMAT]\n"         \
    "       plimo-conj --find TEXT [--definitions] [--whole-word] [--tense NAMES] [--format FORMAT]\n" \
    "       plimo-conj --define VERB [--pronominal] [--format FORMAT]\n"                               \
    "       plimo-conj --lookup TEXT [--ignore-accents] [--prefix] [--format FORMAT]\n"                \
    "       plimo-conj --quiz [--tense NAMES] [--verbs LIST | --top N | --mistakes | --due]\n"         \
    "                         [--count N] [--accents strict|warn|ignore] [--seed N]\n"

const char* const ConjSynopsis = PLIMO_CONJ_SYNOPSIS "Run \"plimo-conj --help\" for every option.\n";

const char* const ConjUsage = PLIMO_CONJ_SYNOPSIS
    "\n"
    "Conjugates French verbs from the Plimo language module.\n"
    "\n"
    "  VERB               print every tense of VERB (\"placer\", \"se placer\"), in any\n"
    "                     case; \"sortir#2\" is the second of two verbs spelled alike.\n"
    "                     A conjugated form (\"fûmes\") names its verbs, then the page\n"
    "                     of the first; a verb typed without accents is found too\n"
    "  -p, --pronominal   the pronominal form (se placer)\n"
    "  -a, --alternate    the second variant (the other auxiliary, or \"je balaye\")\n"
    "      --all          conjugate every verb of the database\n"
    "      --find TEXT    list every form containing TEXT: infinitive, form, tense\n"
    "      --definitions  with --find: search the English definitions instead\n"
    "  -w, --whole-word   with --find: match TEXT only as a whole word\n"
    "      --lookup TEXT  list the verbs of which TEXT is a form: word, infinitive,\n"
    "                     tense, person; one edit away if nothing matches\n"
    "  -i, --ignore-accents\n"
    "                     with --find or --lookup: case and accents do not count\n"
    "      --prefix       with --lookup: TEXT may be the start of the word (200 at most)\n"
    "      --define VERB  print the English definition of VERB\n"
    "      --module FILE  the language module to load (default French.ldl)\n"
    "      --tense NAMES  only these tenses, named as in the page's headings; case and\n"
    "                     accents may be left out, \"-\" or \"_\" stand for a space, and\n"
    "                     several names are separated by commas: --tense present,passe-compose\n"
    "      --format FORMAT\n"
    "                     text (the default), json or tsv, described below\n"
    "  -h, --help         show this text\n"
    "\n"
    "Practice (--quiz): one question a line on standard output, one answer a line\n"
    "from standard input, judged at once and kept in the practice record:\n"
    "      --quiz         drill conjugated forms (\"plimo-conj --quiz --help\" for more)\n"
    "      --verbs LIST   with --quiz: these verbs, separated by commas\n"
    "      --top N        with --quiz: the N verbs learners meet first\n"
    "      --mistakes     with --quiz: the forms you have missed and not learned since\n"
    "      --due          with --quiz: the forms your Leitner boxes bring back today\n"
    "                     (one of --verbs, --top, --mistakes and --due; without one,\n"
    "                     any verb)\n"
    "      --count N      with --quiz: how many questions (1 to 1000, default 20)\n"
    "      --accents strict|warn|ignore\n"
    "                     with --quiz: how a wrong accent counts (default warn)\n"
    "      --seed N       with --quiz: the same questions for the same N\n"
    "      --tense and --module as above; the tenses also by number 0-14\n"
    "\n"
    "Output for scripts (UTF-8; the field names stay as they are):\n"
    "  json    a verb: one object {infinitive, entry, title, pronominal, can_be_pronominal,\n"
    "          alternate, variant, variants, tenses: [{tense, forms: [{person, form}]}]}.\n"
    "          infinitive is the verb as listed (aller), entry its place among the\n"
    "          verbs so spelled (2 for the second sortir, named \"sortir#2\"), title\n"
    "          the infinitive as conjugated (s'en aller); variant is the label of the variant shown\n"
    "          (\"A\" or \"E\" for the auxiliary, \"I\"/\"Y\", \"IE\"/\"OI\") or null, and\n"
    "          variants lists both labels or none; person is 1 to 6 (je, tu, il, nous,\n"
    "          vous, ils) and null for a participle.\n"
    "          --all: one such object a line (JSON Lines).\n"
    "          --find: one object {text, complete, matches: [{infinitive, form, tense,\n"
    "          pronominal, alternate}]}, with definition in place of form and tense\n"
    "          under --definitions; complete is false when the search stopped at 200.\n"
    "          --define: one object {infinitive, pronominal, definition}.\n"
    "          --lookup: one object {text, suggestions, readings: [{word, form,\n"
    "          infinitive, tense, person, slot, pronominal, alternate}]}; suggestions is\n"
    "          true when nothing matched and the readings are one edit away.\n"
    "  tsv     a line of field names, then a line for each form or match:\n"
    "          a verb or --all: infinitive, pronominal, alternate, variant, tense, person, form\n"
    "          --find: infinitive, form, tense, pronominal, alternate\n"
    "          --find --definitions: infinitive, definition, pronominal, alternate\n"
    "          --define: infinitive, pronominal, definition\n"
    "          --lookup: word, infinitive, tense, person, form, slot, pronominal,\n"
    "          alternate, suggestion\n"
    "          Yes and no are 1 and 0; a tab or line break inside a text becomes a space.\n"
    "  In both, a form that does not exist is left out where the page says N'existe pas.\n"
    "\n"
    "Your own English definitions are read from French.txt in the current folder.\n"
    "Text is read and written as UTF-8; words need letters that Windows-1252 has.\n"
    "Exit status: 0 done, 1 verb or definition not found, 2 bad command line or text,\n"
    "3 the language module could not be loaded, 4 the output could not be written.\n";

std::string ShownArgument(std::string_view text) {
    constexpr size_t MaxShown = 40;
    std::string shown;
    size_t characters = 0;
    size_t i = 0;
    while (i < text.size()) {
        if (characters == MaxShown) return shown + "\xE2\x80\xA6";  // …
        const unsigned char c = static_cast<unsigned char>(text[i]);
        // The length of a well-formed UTF-8 sequence starting here, or 0.
        size_t length = c < 0x80                   ? 1
                        : (c >= 0xC2 && c <= 0xDF) ? 2
                        : (c >= 0xE0 && c <= 0xEF) ? 3
                        : (c >= 0xF0 && c <= 0xF4) ? 4
                                                   : 0;
        if (length > 1) {
            if (i + length > text.size()) length = 0;
            for (size_t k = 1; k < length; ++k)
                if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) length = 0;
            // Overlong forms, surrogates and code points past U+10FFFF.
            const unsigned char d = length > 1 ? static_cast<unsigned char>(text[i + 1]) : 0;
            if ((c == 0xE0 && d < 0xA0) || (c == 0xED && d >= 0xA0) || (c == 0xF0 && d < 0x90) ||
                (c == 0xF4 && d >= 0x90))
                length = 0;
        }
        if (length == 0 || (length == 1 && (c < 0x20 || c == 0x7F))) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            shown += escaped;
            i += 1;
        } else {
            shown.append(text.substr(i, length));
            i += length;
        }
        ++characters;
    }
    return shown;
}

namespace {

// What the command line said, before the mode is chosen.
struct CommandLine {
    ConjOptions options;
    bool all = false, find = false, define = false, help = false, lookup = false;
    std::vector<std::string> positional;
};

// One option: its names, and what it does to the command line. An option
// that takes a value gets it in `value`; a non-empty result is the error.
struct OptionSpec {
    const char* longName;
    char shortName;  // 0 for none; only flags have one
    bool takesValue;
    std::string (*apply)(CommandLine& line, const std::string& value);
};

std::string SetFormat(ConjOptions& o, const std::string& format) {
    if (format.empty()) return "--format needs one of: text, json, tsv";
    if (format == "text")
        o.format = ConjFormat::Text;
    else if (format == "json")
        o.format = ConjFormat::Json;
    else if (format == "tsv")
        o.format = ConjFormat::Tsv;
    else
        return "unknown format \"" + ShownArgument(format) + "\" (text, json, tsv)";
    return {};
}

std::string AddTenses(ConjOptions& o, const std::string& names) {
    if (names.empty()) return "--tense needs a tense name";
    for (size_t start = 0; start <= names.size();) {
        size_t comma = names.find(',', start);
        if (comma == std::string::npos) comma = names.size();
        if (comma == start) return "--tense has an empty name in \"" + ShownArgument(names) + "\"";
        o.tenses.push_back(names.substr(start, comma - start));
        start = comma + 1;
    }
    return {};
}

// A value that must not be empty.
std::string Take(std::string& target, const std::string& value, const char* missing) {
    target = value;
    return value.empty() ? missing : std::string();
}

const OptionSpec Options[] = {
    {"--help", 'h', false, [](CommandLine& l, const std::string&) { return l.help = true, std::string(); }},
    {"--pronominal", 'p', false,
     [](CommandLine& l, const std::string&) { return l.options.pronominal = true, std::string(); }},
    {"--alternate", 'a', false,
     [](CommandLine& l, const std::string&) { return l.options.alternate = true, std::string(); }},
    {"--whole-word", 'w', false,
     [](CommandLine& l, const std::string&) { return l.options.wholeWord = true, std::string(); }},
    {"--ignore-accents", 'i', false,
     [](CommandLine& l, const std::string&) { return l.options.ignoreAccents = true, std::string(); }},
    {"--all", 0, false, [](CommandLine& l, const std::string&) { return l.all = true, std::string(); }},
    {"--definitions", 0, false,
     [](CommandLine& l, const std::string&) { return l.options.definitions = true, std::string(); }},
    {"--prefix", 0, false,
     [](CommandLine& l, const std::string&) { return l.options.prefix = true, std::string(); }},
    {"--lookup", 0, true,
     [](CommandLine& l, const std::string& v) {
         l.lookup = true;
         return Take(l.options.lookup, v, "--lookup needs the form to look up");
     }},
    {"--find", 0, true,
     [](CommandLine& l, const std::string& v) {
         l.find = true;
         return Take(l.options.pattern, v, "--find needs the text to look for");
     }},
    {"--define", 0, true,
     [](CommandLine& l, const std::string& v) {
         l.define = true;
         return Take(l.options.verb, v, "--define needs a verb");
     }},
    {"--module", 0, true,
     [](CommandLine& l, const std::string& v) {
         return Take(l.options.moduleFile, v, "--module needs a file name");
     }},
    {"--format", 0, true, [](CommandLine& l, const std::string& v) { return SetFormat(l.options, v); }},
    {"--tense", 0, true, [](CommandLine& l, const std::string& v) { return AddTenses(l.options, v); }},
};

const OptionSpec* FindOption(std::string_view name) {
    for (const OptionSpec& option : Options)
        if (name == option.longName ||
            (option.shortName && name.size() == 2 && name[0] == '-' && name[1] == option.shortName))
            return &option;
    return nullptr;
}

const OptionSpec* FindFlag(char letter) {
    for (const OptionSpec& option : Options)
        if (option.shortName == letter) return &option;
    return nullptr;
}

// Reads the arguments into `line`; an error text when one is wrong.
// Options that take a value accept it as the next argument or after "="
// ("--find=TEXT"); one-letter flags may be grouped ("-pa" = "-p -a"). The
// value of an option is taken as it is, even when it starts with "-"
// ("--find -nous").
std::string ReadArguments(const std::vector<std::string>& arguments, CommandLine& line) {
    for (size_t i = 0; i < arguments.size(); ++i) {
        std::string a = arguments[i];
        std::optional<std::string> attached;
        if (a.rfind("--", 0) == 0 && a.find('=') != std::string::npos) {
            attached = a.substr(a.find('=') + 1);
            a.resize(a.find('='));
        }
        if (a == "--") {
            line.positional.insert(line.positional.end(), arguments.begin() + long(i) + 1, arguments.end());
            break;
        }
        if (const OptionSpec* option = FindOption(a)) {
            if (attached && !option->takesValue) return "option " + a + " takes no value";
            std::string value;
            if (option->takesValue)
                value = attached ? *attached : i + 1 < arguments.size() ? arguments[++i] : "";
            if (std::string error = option->apply(line, value); !error.empty()) return error;
        } else if (a.size() > 2 && a[0] == '-' && a[1] != '-' &&
                   std::all_of(a.begin() + 1, a.end(), [](char c) { return FindFlag(c) != nullptr; })) {
            for (size_t k = 1; k < a.size(); ++k) FindFlag(a[k])->apply(line, {});
        } else if (a.size() > 1 && a[0] == '-') {
            return "unknown option " + ShownArgument(a);
        } else {
            line.positional.push_back(a);
        }
    }
    return {};
}

// Chooses the mode from the options read; an error text when they do not
// go together.
std::string ChooseMode(CommandLine& line) {
    ConjOptions& o = line.options;
    auto unexpected = [&line]() { return "unexpected argument " + ShownArgument(line.positional.front()); };
    if (line.help) return o.mode = ConjMode::Help, std::string();
    if (line.all + line.find + line.define + line.lookup > 1)
        return "choose one of --all, --find, --define and --lookup";
    if (o.ignoreAccents && !line.find && !line.lookup) return "--ignore-accents goes with --find or --lookup";
    if (o.prefix && !line.lookup) return "--prefix goes with --lookup";
    if (line.lookup) {
        if (!line.positional.empty()) return unexpected();
        if (o.pronominal || o.alternate || o.definitions || o.wholeWord || !o.tenses.empty())
            return "--lookup takes only --ignore-accents, --prefix and --format";
        return o.mode = ConjMode::Lookup, std::string();
    }
    if ((o.definitions || o.wholeWord) && !line.find) return "--definitions and --whole-word go with --find";
    if (line.all) {
        if (!line.positional.empty()) return "--all takes no verb";
        return o.mode = ConjMode::All, std::string();
    }
    if (line.find) {
        if (!line.positional.empty()) return unexpected();
        if (o.pronominal || o.alternate) return "--pronominal and --alternate do not go with --find";
        if (o.definitions && !o.tenses.empty()) return "--tense does not go with --definitions";
        return o.mode = ConjMode::Find, std::string();
    }
    if (line.define) {
        if (!line.positional.empty()) return unexpected();
        if (o.alternate) return "--alternate does not go with --define";
        if (!o.tenses.empty()) return "--tense does not go with --define";
        return o.mode = ConjMode::Define, std::string();
    }
    if (line.positional.empty()) return "no verb given";
    for (const std::string& p : line.positional)
        if (p.empty()) return "an empty verb was given";
    // "se placer" typed without quotes arrives as two words.
    o.verb.clear();
    for (const std::string& p : line.positional) o.verb += (o.verb.empty() ? "" : " ") + p;
    return o.mode = ConjMode::Conjugate, std::string();
}

}  // namespace

bool ConjOptionTakesValue(std::string_view option) {
    const OptionSpec* spec = FindOption(option);
    return spec != nullptr && spec->takesValue;
}

ConjParse ParseConjOptions(const std::vector<std::string>& arguments) {
    CommandLine line;
    std::string error = ReadArguments(arguments, line);
    if (error.empty()) error = ChooseMode(line);
    ConjParse parse;
    parse.ok = error.empty();
    parse.error = std::move(error);
    if (parse.ok) parse.options = std::move(line.options);
    return parse;
}
