// The verbs and tenses typed on plimo-conj's command line.
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "ConjCommands.h"
#include "VerbSuggestions.h"

namespace cli {

namespace {

// A tense name as compared with what the user typed: no case, no accents,
// and "-" and "_" as spaces.
std::string FoldTenseName(std::string_view cp1252Text) {
    std::string folded = FoldForComparison(cp1252Text);
    for (char& c : folded)
        if (c == '-' || c == '_') c = ' ';
    return folded;
}

}  // namespace

bool SelectTenses(const LanguageModule& module, const std::vector<std::string>& names,
                  TenseSelection& selection, std::FILE* err) {
    selection.clear();
    if (names.empty()) return true;
    selection.assign(TenseCount, false);
    for (const std::string& name : names) {
        std::string cp1252Name;
        if (!ToCp1252(name, cp1252Name, err)) return false;
        const std::string typed = FoldTenseName(cp1252Name);
        bool found = false;
        for (int tense = 0; tense < TenseCount; ++tense) {
            const char* tenseName = module.GetTenseName2(tense);
            if (tenseName && FoldTenseName(tenseName) == typed) {
                selection[tense] = true;
                found = true;
            }
        }
        if (!found) {
            std::string known;
            for (int tense = 0; tense < TenseCount; ++tense)
                if (module.GetTenseName2(tense))
                    known += (known.empty() ? "" : ", ") + TenseName(module, tense);
            Message(err, "unknown tense \"" + ShownArgument(name) + "\"; the tenses are: " + known + ".");
            return false;
        }
    }
    return true;
}

namespace {

// Windows-1252 text in lower case, accents kept.
std::string LowerCase(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        const unsigned char b = static_cast<unsigned char>(c);
        if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7))
            c = static_cast<char>(b + 0x20);
        else if (b == 0x8A || b == 0x8C || b == 0x8E)
            c = static_cast<char>(b + 0x10);  // Š Œ Ž
        else if (b == 0x9F)
            c = static_cast<char>(0xFF);  // Ÿ
    }
    return lower;
}

// The verb named `name` without regard to case, as the program's verb box
// finds it: the exact spelling first, then the first in any case. A name
// ending in "#2" asks for the second verb so spelled ("sortir#2"). -1 when
// there is none.
int32_t FindVerbByName(const LanguageModule& module, const std::string& name) {
    std::string wanted = name;
    int entry = 1;
    const size_t hash = name.rfind('#');
    if (hash != std::string::npos && hash + 1 < name.size() &&
        name.find_first_not_of("0123456789", hash + 1) == std::string::npos && name.size() - hash <= 4) {
        entry = std::atoi(name.c_str() + hash + 1);
        wanted = name.substr(0, hash);
        if (entry < 1) return -1;
    }
    if (wanted.empty()) return -1;
    const int32_t exact = module.FindVerbIndex(wanted);
    if (exact >= 0 && entry == 1) return exact;
    const std::string lower = LowerCase(wanted);
    const int32_t count = module.GetVerbCount();
    int seen = 0;
    std::string spelling;  // the entries counted are those spelled as the first one found
    for (int32_t i = 0; i < count; ++i) {
        const char* verb = module.GetVerb(i);
        if (verb == nullptr) continue;
        if (spelling.empty() ? LowerCase(verb) != lower : spelling != verb) continue;
        if (spelling.empty()) spelling = exact >= 0 ? wanted : verb;
        if (spelling != verb) continue;
        if (++seen == entry) return i;
    }
    return -1;
}

// The one verb whose infinitive is `name` typed without its accents
// ("eteindre"), or -1 when none or several are. A name with accents of its
// own is taken as typed.
int32_t FindVerbByFoldedName(const LanguageModule& module, const std::string& name) {
    for (unsigned char c : name)
        if (c >= 0x80) return -1;
    const std::string wanted = FoldForComparison(name);
    int32_t found = -1;
    for (int32_t i = 0; i < module.GetVerbCount(); ++i) {
        const char* verb = module.GetVerb(i);
        if (verb == nullptr || FoldForComparison(verb) != wanted) continue;
        if (found >= 0 && std::strcmp(module.GetVerb(found), verb) != 0) return -1;
        if (found < 0) found = i;
    }
    return found;
}

}  // namespace

int32_t ResolveVerb(const LanguageModule& module, const std::string& text, bool& pronominal) {
    int32_t index = FindVerbByName(module, text);
    if (index >= 0) return index;
    index = FindVerbByFoldedName(module, text);
    if (index >= 0) return index;
    const std::string lower = LowerCase(text);
    for (const char* prefix : {"s'en ",
                               "s\x92"
                               "en ",
                               "se ", "s'", "s\x92"}) {
        size_t length = std::strlen(prefix);
        if (text.size() > length && lower.compare(0, length, prefix) == 0) {
            index = FindVerbByName(module, text.substr(length));
            if (index < 0) index = FindVerbByFoldedName(module, text.substr(length));
            if (index >= 0) {
                pronominal = true;
                return index;
            }
        }
    }
    return -1;
}

int UnknownVerb(const LanguageModule& module, const std::string& typed, const std::string& cp1252Text,
                std::FILE* err) {
    std::string base = cp1252Text;
    for (const char* prefix : {"s'en ", "se ", "s'"})
        if (base.rfind(prefix, 0) == 0 && base.size() > std::strlen(prefix)) {
            base = base.substr(std::strlen(prefix));
            break;
        }
    std::vector<std::string> suggestions = SuggestVerbs(module, base);
    std::string text = "unknown verb \"" + ShownArgument(typed) + "\".";
    if (suggestions.empty()) {
        text += " No verb of the database comes close.";
    } else {
        text += " Did you mean: ";
        for (size_t i = 0; i < suggestions.size(); ++i)
            text += (i ? ", " : "") + cp1252::ToUtf8(suggestions[i]);
        text += "?";
    }
    Message(err, text);
    return ConjNotFound;
}

}  // namespace cli
