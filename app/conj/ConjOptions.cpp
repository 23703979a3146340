// Parsing plimo-conj's command line.
#include "ConjOptions.h"

#include <cstdio>

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

ConjParse ParseConjOptions(const std::vector<std::string>& arguments) {
    ConjParse parse;
    ConjOptions& o = parse.options;
    bool all = false, find = false, define = false, help = false, lookup = false;
    std::vector<std::string> positional;
    auto fail = [&parse](std::string error) {
        parse.ok = false;
        parse.error = std::move(error);
        return parse;
    };

    // Options that take a value accept it as the next argument or after "="
    // ("--find=TEXT"); one-letter flags may be grouped ("-pa" = "-p -a").
    // The value of an option is taken as it is, even when it starts with "-"
    // ("--find -nous").
    for (size_t i = 0; i < arguments.size(); ++i) {
        std::string a = arguments[i];
        std::string attachedValue;
        bool hasAttachedValue = false;
        if (a.rfind("--", 0) == 0 && a.find('=') != std::string::npos) {
            size_t equals = a.find('=');
            attachedValue = a.substr(equals + 1);
            hasAttachedValue = true;
            a = a.substr(0, equals);
        }
        auto value = [&](std::string& target) {
            if (hasAttachedValue) {
                target = attachedValue;
                return true;
            }
            if (i + 1 >= arguments.size()) return false;
            target = arguments[++i];
            return true;
        };
        bool takesValue = a == "--find" || a == "--define" || a == "--module" || a == "--format" ||
                          a == "--tense" || a == "--lookup";
        if (hasAttachedValue && !takesValue) {
            bool known = a == "--help" || a == "--pronominal" || a == "--alternate" || a == "--all" ||
                         a == "--definitions" || a == "--whole-word" || a == "--ignore-accents" ||
                         a == "--prefix";
            return fail(known ? "option " + a + " takes no value" : "unknown option " + ShownArgument(a));
        }

        if (a == "--") {
            positional.insert(positional.end(), arguments.begin() + i + 1, arguments.end());
            break;
        } else if (a == "-h" || a == "--help") {
            help = true;
        } else if (a == "-p" || a == "--pronominal") {
            o.pronominal = true;
        } else if (a == "-a" || a == "--alternate") {
            o.alternate = true;
        } else if (a == "--all") {
            all = true;
        } else if (a == "--definitions") {
            o.definitions = true;
        } else if (a == "-w" || a == "--whole-word") {
            o.wholeWord = true;
        } else if (a == "-i" || a == "--ignore-accents") {
            o.ignoreAccents = true;
        } else if (a == "--prefix") {
            o.prefix = true;
        } else if (a == "--lookup") {
            if (!value(o.lookup) || o.lookup.empty()) return fail("--lookup needs the form to look up");
            lookup = true;
        } else if (a == "--find") {
            if (!value(o.pattern) || o.pattern.empty()) return fail("--find needs the text to look for");
            find = true;
        } else if (a == "--define") {
            if (!value(o.verb) || o.verb.empty()) return fail("--define needs a verb");
            define = true;
        } else if (a == "--module") {
            if (!value(o.moduleFile) || o.moduleFile.empty()) return fail("--module needs a file name");
        } else if (a == "--format") {
            std::string format;
            if (!value(format) || format.empty()) return fail("--format needs one of: text, json, tsv");
            if (format == "text")
                o.format = ConjFormat::Text;
            else if (format == "json")
                o.format = ConjFormat::Json;
            else if (format == "tsv")
                o.format = ConjFormat::Tsv;
            else
                return fail("unknown format \"" + ShownArgument(format) + "\" (text, json, tsv)");
        } else if (a == "--tense") {
            std::string names;
            if (!value(names) || names.empty()) return fail("--tense needs a tense name");
            for (size_t start = 0; start <= names.size();) {
                size_t comma = names.find(',', start);
                if (comma == std::string::npos) comma = names.size();
                if (comma == start)
                    return fail("--tense has an empty name in \"" + ShownArgument(names) + "\"");
                o.tenses.push_back(names.substr(start, comma - start));
                start = comma + 1;
            }
        } else if (a.size() > 2 && a[0] == '-' && a[1] != '-' &&
                   a.find_first_not_of("hpawi", 1) == std::string::npos) {
            for (size_t k = 1; k < a.size(); ++k) {
                if (a[k] == 'h') help = true;
                if (a[k] == 'p') o.pronominal = true;
                if (a[k] == 'a') o.alternate = true;
                if (a[k] == 'w') o.wholeWord = true;
                if (a[k] == 'i') o.ignoreAccents = true;
            }
        } else if (a.size() > 1 && a[0] == '-') {
            return fail("unknown option " + ShownArgument(a));
        } else {
            positional.push_back(a);
        }
    }

    if (help) {
        o.mode = ConjMode::Help;
        parse.ok = true;
        return parse;
    }
    if (all + find + define + lookup > 1) return fail("choose one of --all, --find, --define and --lookup");
    if (o.ignoreAccents && !find && !lookup) return fail("--ignore-accents goes with --find or --lookup");
    if (o.prefix && !lookup) return fail("--prefix goes with --lookup");
    if (lookup) {
        if (!positional.empty()) return fail("unexpected argument " + ShownArgument(positional.front()));
        if (o.pronominal || o.alternate || o.definitions || o.wholeWord || !o.tenses.empty())
            return fail("--lookup takes only --ignore-accents, --prefix and --format");
        o.mode = ConjMode::Lookup;
        parse.ok = true;
        return parse;
    }
    if ((o.definitions || o.wholeWord) && !find) return fail("--definitions and --whole-word go with --find");
    if (all) {
        if (!positional.empty()) return fail("--all takes no verb");
        o.mode = ConjMode::All;
    } else if (find) {
        if (!positional.empty()) return fail("unexpected argument " + ShownArgument(positional.front()));
        if (o.pronominal || o.alternate) return fail("--pronominal and --alternate do not go with --find");
        if (o.definitions && !o.tenses.empty()) return fail("--tense does not go with --definitions");
        o.mode = ConjMode::Find;
    } else if (define) {
        if (!positional.empty()) return fail("unexpected argument " + ShownArgument(positional.front()));
        if (o.alternate) return fail("--alternate does not go with --define");
        if (!o.tenses.empty()) return fail("--tense does not go with --define");
        o.mode = ConjMode::Define;
    } else {
        if (positional.empty()) return fail("no verb given");
        for (const std::string& p : positional)
            if (p.empty()) return fail("an empty verb was given");
        if (positional.size() > 1) {
            // "se placer" typed without quotes arrives as two words.
            std::string joined;
            for (const std::string& p : positional) joined += (joined.empty() ? "" : " ") + p;
            o.verb = joined;
        } else {
            o.verb = positional.front();
        }
        o.mode = ConjMode::Conjugate;
    }
    parse.ok = true;
    return parse;
}
