// french-forms: prints what the module conjugates, read through its exports.
//
//   french-forms [-p] [-a] [VERB]   the full conjugation of VERB (default
//                          "placer"), UTF-8; -p the pronominal form, -a the
//                          second variant
//   french-forms --words   every distinct word of every form of every verb in
//                          every variant, one per line, for the spelling check
//   french-forms --words-by-verb   the same, each word with its verb after a tab
#include <cstdio>
#include <cstring>
#include <set>
#include <string>

#include "FrenchModule.h"

using namespace testing_support;

namespace {

int PrintVerb(const std::string& infinitive, bool pronominal, bool alternate) {
    const auto& m = Module();
    const auto indices = VerbIndices(infinitive);
    if (indices.empty()) {
        std::fprintf(stderr, "french-forms: no verb \"%s\"\n", infinitive.c_str());
        return 1;
    }
    static const int order[] = {0, 1, 2, 3, 7, 8, 9, 10, 4, 5, 11, 12, 6, 13, 14};
    for (int index : indices) {
        const auto c = Conjugate(index, pronominal, alternate);
        std::printf("%s\n\n", c.forms[InfinitiveSlot].c_str());
        for (int tense : order) {
            std::printf("%s\n", ToUtf8(m.GetTenseName2(tense)).c_str());
            const int first = tense * PersonCount;
            const int last =
                tense == ImperativeTense ? first + ImperativeFormCount - 1 : first + PersonCount - 1;
            for (int s = first; s <= last; ++s)
                if (!c.forms[s].empty()) std::printf("  %s\n", c.forms[s].c_str());
        }
        std::printf("%s\n  %s\n", ToUtf8(m.GetTenseName2(PresentParticipleTense)).c_str(),
                    c.forms[PresentParticipleSlot].c_str());
        std::printf("%s\n  %s\n", ToUtf8(m.GetTenseName2(PastParticipleTense)).c_str(),
                    c.forms[PastParticipleSlot].c_str());
        if (!c.forms[CompoundParticipleSlot].empty())
            std::printf("  %s\n", c.forms[CompoundParticipleSlot].c_str());
        std::printf("\n");
    }
    return 0;
}

// With `withVerbs`, each word is followed by a tab and the verb it comes from.
int PrintWords(bool withVerbs) {
    std::set<std::string> words;
    for (int i = 0; i < Module().GetVerbCount(); ++i) {
        const std::string tag = withVerbs ? "\t" + ToUtf8(Module().GetVerb(i)) : "";
        for (int variant = 0; variant < 4; ++variant) {
            const auto c = Conjugate(i, variant & 1, variant & 2, true);
            for (int s = 0; s < FormSlotCount; ++s) {
                if (s == PastParticipleSlot && !c.pronominal) {
                    // "placé, ée": the bare feminine ending is not a word.
                    words.insert(c.forms[s].substr(0, c.forms[s].find(',')) + tag);
                    continue;
                }
                std::string form = c.forms[s];
                // The pronouns after a pronominal imperative: "lève-toi", "va-t'en".
                for (const char* suffix : {"-nous-en", "-vous-en", "-t'en", "-toi", "-nous", "-vous"}) {
                    const size_t n = std::strlen(suffix);
                    const bool imperative = s >= ImperativeSlot && s < ImperativeSlot + ImperativeFormCount;
                    if (imperative && form.size() > n && form.compare(form.size() - n, n, suffix) == 0) {
                        form.resize(form.size() - n);
                        break;
                    }
                }
                // Words are cut at spaces; an elided pronoun (j', m', t', s') is
                // a word of its own, but "entr'ouvrir" stays whole.
                std::string word;
                for (char ch : form + " ") {
                    const bool elision = ch == '\'' && word.size() == 1 && std::strchr("jmts", word[0]);
                    if (ch == ' ' || ch == ',' || elision) {
                        if (!word.empty() && !elision) words.insert(word + tag);
                        word.clear();
                    } else {
                        word += ch;
                    }
                }
            }
        }
    }
    for (const auto& w : words) {
        const std::string bare = w.substr(0, w.find('\t'));
        if (!bare.empty() && bare != "N" && bare != "existe" && bare != "pas") std::printf("%s\n", w.c_str());
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--words") == 0) return PrintWords(false);
    if (argc > 1 && std::strcmp(argv[1], "--words-by-verb") == 0) return PrintWords(true);
    bool pronominal = false, alternate = false;
    int arg = 1;
    for (; arg < argc && argv[arg][0] == '-' && argv[arg][1] && !argv[arg][2]; ++arg) {
        if (argv[arg][1] == 'p')
            pronominal = true;
        else if (argv[arg][1] == 'a')
            alternate = true;
    }
    return PrintVerb(arg < argc ? argv[arg] : "placer", pronominal, alternate);
}
