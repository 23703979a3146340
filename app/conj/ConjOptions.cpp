// Parsing plimo-conj's command line.
#include "ConjOptions.h"

const char* const ConjUsage =
    "Usage: plimo-conj [--pronominal] [--alternate] VERB\n"
    "       plimo-conj --all [--pronominal] [--alternate]\n"
    "       plimo-conj --find TEXT [--definitions] [--whole-word]\n"
    "       plimo-conj --define VERB [--pronominal]\n"
    "\n"
    "Conjugates French verbs from the Plimo language module.\n"
    "\n"
    "  VERB               print every tense of VERB (\"placer\", \"se placer\")\n"
    "  -p, --pronominal   the pronominal form (se placer)\n"
    "  -a, --alternate    the second variant (auxiliary \"être\", or \"je balaye\")\n"
    "      --all          conjugate every verb of the database\n"
    "      --find TEXT    list every form containing TEXT: infinitive, form, tense\n"
    "      --definitions  with --find: search the English definitions instead\n"
    "  -w, --whole-word   with --find: match TEXT only as a whole word\n"
    "      --define VERB  print the English definition of VERB\n"
    "      --module FILE  the language module to load (default French.ldl)\n"
    "  -h, --help         show this text\n"
    "\n"
    "Your own English definitions are read from French.txt in the current folder.\n"
    "Exit status: 0 done, 1 verb or definition not found, 2 bad command line or text,\n"
    "3 the language module could not be loaded.\n";

ConjParse ParseConjOptions(const std::vector<std::string>& arguments) {
    ConjParse parse;
    ConjOptions& o = parse.options;
    bool all = false, find = false, define = false, help = false;
    std::vector<std::string> positional;
    auto fail = [&parse](std::string error) {
        parse.ok = false;
        parse.error = std::move(error);
        return parse;
    };

    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        auto value = [&](std::string& target) {
            if (i + 1 >= arguments.size()) return false;
            target = arguments[++i];
            return true;
        };
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
        } else if (a == "--find") {
            if (!value(o.pattern)) return fail("--find needs the text to look for");
            find = true;
        } else if (a == "--define") {
            if (!value(o.verb)) return fail("--define needs a verb");
            define = true;
        } else if (a == "--module") {
            if (!value(o.moduleFile) || o.moduleFile.empty())
                return fail("--module needs a file name");
        } else if (a.size() > 1 && a[0] == '-') {
            return fail("unknown option " + a);
        } else {
            positional.push_back(a);
        }
    }

    if (help) {
        o.mode = ConjMode::Help;
        parse.ok = true;
        return parse;
    }
    if (all + find + define > 1) return fail("choose one of --all, --find and --define");
    if ((o.definitions || o.wholeWord) && !find)
        return fail("--definitions and --whole-word go with --find");
    if (all) {
        if (!positional.empty()) return fail("--all takes no verb");
        o.mode = ConjMode::All;
    } else if (find) {
        if (!positional.empty()) return fail("unexpected argument " + positional.front());
        if (o.pronominal || o.alternate)
            return fail("--pronominal and --alternate do not go with --find");
        o.mode = ConjMode::Find;
    } else if (define) {
        if (!positional.empty()) return fail("unexpected argument " + positional.front());
        if (o.alternate) return fail("--alternate does not go with --define");
        o.mode = ConjMode::Define;
    } else {
        if (positional.empty()) return fail("no verb given");
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
