// plimo-conj's commands.
#include "ConjProgram.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include <nlohmann/json.hpp>

#include "ConjOptions.h"
#include "Cp1252.h"
#include "OwnedResultList.h"
#include "SearchMatch.h"
#include "VerbSuggestions.h"

namespace {

// The tense blocks of the full-screen page, in order.
constexpr int PageTenses[] = {0, 1, 2, 3, 7, 8, 9, 10, 4, 5, 11, 12, 6, 13, 14};
constexpr int PresentParticipleTense = 16;
constexpr int PastParticipleTense = 15;
constexpr int SearchResultLimit = 200;
// What the module writes in the present participle's slot of a verb that has
// none, even when asked to leave out its placeholders.
constexpr const char* NoPresentParticiple = "N'existe pas";

// Objects keep their fields in the documented order.
using Json = nlohmann::ordered_json;

// One form of a page block: its slot and its person (1-6 for je .. ils, 0 for
// a participle).
struct PageForm {
    int slot;
    int person;
};
struct PageBlock {
    int tense;
    std::vector<PageForm> forms;
};

// The blocks of a conjugated page in the order of the full-screen page,
// without the empty slots, and only those of the selected tenses.
std::vector<PageBlock> PageBlocks(char** forms, const TenseSelection* tenses) {
    std::vector<PageBlock> blocks;
    auto add = [&](int tense, std::initializer_list<PageForm> candidates) {
        if (tenses && !(*tenses)[tense]) return;
        PageBlock block{tense, {}};
        for (const PageForm& f : candidates)
            if (forms[f.slot][0] != '\0') block.forms.push_back(f);
        blocks.push_back(std::move(block));
    };
    for (int tense : PageTenses) {
        const int first = tense * 6;
        if (first == ImperativeSlot)  // tu, nous, vous; the other three slots stay empty
            add(tense,
                {{first, 2}, {first + 1, 4}, {first + 2, 5}, {first + 3, 0}, {first + 4, 0}, {first + 5, 0}});
        else
            add(tense,
                {{first, 1}, {first + 1, 2}, {first + 2, 3}, {first + 3, 4}, {first + 4, 5}, {first + 5, 6}});
    }
    add(PresentParticipleTense, {{PresentParticipleSlot, 0}});
    add(PastParticipleTense, {{PastParticipleSlot, 0}, {CompoundParticipleSlot, 0}});
    return blocks;
}

std::string Utf8(const char* cp1252Text) { return cp1252::ToUtf8(cp1252Text ? cp1252Text : ""); }

std::string TenseName(const LanguageModule& module, int tense) { return Utf8(module.GetTenseName2(tense)); }

// A text as a TSV field: a tab or a line break would split the row.
std::string TsvField(std::string text) {
    for (char& c : text)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    return text;
}

void WriteJson(const Json& document, Utf8Output& out) {
    out.AppendUtf8(document.dump(-1, ' ', false, Json::error_handler_t::replace));
    out.EndLine();
}

const char* const PageTsvHeader = "infinitive\tpronominal\talternate\tvariant\ttense\tperson\tform";
const char* const FindTsvHeader = "infinitive\tform\ttense\tpronominal\talternate";
const char* const FindDefinitionsTsvHeader = "infinitive\tdefinition\tpronominal\talternate";
const char* const DefineTsvHeader = "infinitive\tpronominal\tdefinition";

// The two variant labels the module wrote ("A" and "E", "I" and "Y", ...),
// empty for a verb with one variant.
std::vector<std::string> VariantLabels(const PageState& state) {
    if (!state.hasAlternate || state.labels[0] == '\0') return {};
    const char* second = state.labels + std::strlen(state.labels) + 1;
    return {Utf8(state.labels), Utf8(second)};
}

// Conjugates for a page; the formats for scripts leave out the
// placeholders ("N'existe pas", "pas d'impératif"), which are no forms.
bool ConjugatePage(const LanguageModule& module, int32_t verbIndex, PageState& state, char** forms,
                   bool withoutPlaceholders) {
    if (!module.ConjugateVerb(verbIndex, withoutPlaceholders, &state.hasAlternate, &state.canBePronominal,
                              &state.alternate, &state.pronominal, state.labels, forms))
        return false;
    if (!state.hasAlternate) state.alternate = false;
    if (withoutPlaceholders && std::strcmp(forms[PresentParticipleSlot], NoPresentParticiple) == 0)
        forms[PresentParticipleSlot][0] = '\0';
    return true;
}

// The place of a verb among the verbs spelled as it is: 1, or 2 for the
// second "sortir" (the "sortir#2" of the definitions file).
int EntryNumber(const LanguageModule& module, int32_t verbIndex) {
    std::string key = module.UserDefinitionKey(verbIndex, false);
    if (!key.empty()) key.pop_back();  // the pronominal digit
    const size_t hash = key.rfind('#');
    return hash == std::string::npos ? 1 : std::max(1, std::atoi(key.c_str() + hash + 1));
}

void WriteJsonPage(const LanguageModule& module, int32_t verbIndex, const PageState& state, char** forms,
                   const TenseSelection* tenses, Utf8Output& out) {
    const std::vector<std::string> labels = VariantLabels(state);
    Json page;
    page["infinitive"] = Utf8(module.GetVerb(verbIndex));
    page["entry"] = EntryNumber(module, verbIndex);
    page["title"] = Utf8(forms[InfinitiveSlot]);
    page["pronominal"] = state.pronominal;
    page["can_be_pronominal"] = state.canBePronominal;
    page["alternate"] = state.alternate;
    page["variant"] = labels.empty() ? Json(nullptr) : Json(labels[state.alternate ? 1 : 0]);
    page["variants"] = labels;
    Json blocks = Json::array();
    for (const PageBlock& block : PageBlocks(forms, tenses)) {
        Json list = Json::array();
        for (const PageForm& f : block.forms)
            list.push_back(
                {{"person", f.person ? Json(f.person) : Json(nullptr)}, {"form", Utf8(forms[f.slot])}});
        blocks.push_back({{"tense", TenseName(module, block.tense)}, {"forms", std::move(list)}});
    }
    page["tenses"] = std::move(blocks);
    WriteJson(page, out);
}

void WriteTsvPage(const LanguageModule& module, int32_t verbIndex, const PageState& state, char** forms,
                  const TenseSelection* tenses, Utf8Output& out) {
    const std::vector<std::string> labels = VariantLabels(state);
    const std::string start = TsvField(Utf8(module.GetVerb(verbIndex))) + (state.pronominal ? "\t1" : "\t0") +
                              (state.alternate ? "\t1\t" : "\t0\t") +
                              (labels.empty() ? "" : TsvField(labels[state.alternate ? 1 : 0])) + "\t";
    for (const PageBlock& block : PageBlocks(forms, tenses)) {
        const std::string tense = TsvField(TenseName(module, block.tense)) + "\t";
        for (const PageForm& f : block.forms) {
            out.AppendUtf8(start + tense + (f.person ? std::to_string(f.person) : "") + "\t" +
                           TsvField(Utf8(forms[f.slot])));
            out.EndLine();
        }
    }
}

// One page in the chosen format (the TSV header aside).
bool WritePage(const LanguageModule& module, int32_t verbIndex, PageState& state, char** forms,
               ConjFormat format, const TenseSelection* tenses, Utf8Output& out) {
    if (format == ConjFormat::Text) return WriteVerbPage(module, verbIndex, state, forms, out, tenses);
    if (!ConjugatePage(module, verbIndex, state, forms, true)) return false;
    if (format == ConjFormat::Json)
        WriteJsonPage(module, verbIndex, state, forms, tenses, out);
    else
        WriteTsvPage(module, verbIndex, state, forms, tenses, out);
    return true;
}

// UTF-8 for each Windows-1252 byte, computed once.
struct Utf8Table {
    std::array<std::string, 256> text;
    Utf8Table() {
        for (int b = 0; b < 256; ++b) text[b] = cp1252::ToUtf8(std::string(1, static_cast<char>(b)));
    }
};
const Utf8Table& Table() {
    static const Utf8Table table;
    return table;
}

// Form buffers for one conjugation.
struct FormBuffers {
    char storage[FormSlotCount][FormBufferSize];
    char* pointers[FormSlotCount];
    FormBuffers() {
        for (int i = 0; i < FormSlotCount; ++i) {
            storage[i][0] = '\0';
            pointers[i] = storage[i];
        }
    }
};

void Message(std::FILE* err, const std::string& utf8Text) {
    std::fprintf(err, "plimo-conj: %s\n", utf8Text.c_str());
}

int OutputFailed(std::FILE* err) {
    int code = errno;
    Message(err, std::string("the output could not be written") +
                     (code != 0 ? std::string(": ") + std::strerror(code) : std::string()) + ".");
    return ConjOutputError;
}

// UTF-8 from the command line to Windows-1252, or a message and nothing.
bool ToCp1252(const std::string& utf8, std::string& cp1252Text, std::FILE* err) {
    cp1252::Conversion c = cp1252::FromUtf8(utf8);
    if (!c.ok) {
        if (c.invalidEncoding)
            Message(err, "the text given is not UTF-8; set your terminal to UTF-8 and type it again.");
        else
            Message(err, "\"" + ShownArgument(utf8) + "\": " + c.ErrorMessage());
        return false;
    }
    cp1252Text = std::move(c.text);
    return true;
}

// A tense name as compared with what the user typed: no case, no accents,
// and "-" and "_" as spaces.
std::string FoldTenseName(std::string_view cp1252Text) {
    std::string folded = FoldForComparison(cp1252Text);
    for (char& c : folded)
        if (c == '-' || c == '_') c = ' ';
    return folded;
}

// The tenses named by --tense; a message and false for a name the module
// does not know. An empty selection when none is named.
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

// The verb index for what the user typed, accepting a pronominal infinitive
// ("se placer", "s'asseoir", "s'en aller") as the verb in its pronominal form.
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

// The person of a form slot as a learner names it, or "" for a participle
// or the infinitive.
const char* PersonOfSlot(int slot) {
    static const char* const persons[6] = {"je", "tu", "il", "nous", "vous", "ils"};
    static const char* const imperative[3] = {"tu", "nous", "vous"};
    if (slot < ImperativeSlot) return persons[slot % 6];
    if (slot < ImperativeSlot + 3) return imperative[slot - ImperativeSlot];
    return "";
}

int TenseOfReading(const FormReading& r) { return r.tense; }

// "Passé Simple, nous", or "Participe Passé".
std::string ReadingPlace(const LanguageModule& module, const FormReading& r) {
    const std::string person = PersonOfSlot(r.slot);
    return TenseName(module, TenseOfReading(r)) + (person.empty() ? "" : ", " + person);
}

bool IsCompoundSlot(int slot) {
    return (slot >= 42 && slot < ImperativeSlot) || slot == CompoundParticipleSlot;
}

// "suis is a form of être (Présent, je) and of suivre (Présent, je; ...)."
// Each verb once, with the places of its plain readings (its pronominal ones
// when it has no other); the compound tenses only when nothing simpler holds
// the word.
std::string FormNote(const LanguageModule& module, const std::string& typed,
                     const std::vector<FormReading>& readings) {
    std::vector<int32_t> verbs;
    for (const FormReading& r : readings)
        if (std::find(verbs.begin(), verbs.end(), r.VerbIndex()) == verbs.end())
            verbs.push_back(r.VerbIndex());
    std::string note = typed + " is a form of ";
    for (size_t v = 0; v < verbs.size(); ++v) {
        bool plain = false, simple = false;
        for (const FormReading& r : readings)
            if (r.VerbIndex() == verbs[v]) {
                plain |= !r.Pronominal();
                simple |= !IsCompoundSlot(r.slot);
            }
        std::vector<std::string> places;
        std::string infinitive;
        for (const FormReading& r : readings) {
            if (r.VerbIndex() != verbs[v] || (plain && r.Pronominal()) || (simple && IsCompoundSlot(r.slot)))
                continue;
            if (infinitive.empty()) infinitive = Utf8(r.infinitive.c_str());
            const std::string place = ReadingPlace(module, r);
            if (std::find(places.begin(), places.end(), place) == places.end()) places.push_back(place);
        }
        std::string joined;
        for (const std::string& p : places) joined += (joined.empty() ? "" : "; ") + p;
        note += (v == 0                  ? ""
                 : v + 1 == verbs.size() ? " and of "
                                         : ", of ") +
                infinitive + " (" + joined + ")";
    }
    return note + ".";
}

const char* const LookupTsvHeader =
    "word\tinfinitive\ttense\tperson\tform\tslot\tpronominal\talternate\tsuggestion";

int LookupText(const LanguageModule& module, const ConjOptions& options, std::FILE* out, std::FILE* err) {
    std::string text;
    if (!ToCp1252(options.lookup, text, err)) return ConjUsageError;
    if (!module.CanLookUpForms()) {
        Message(err, "this language module cannot look up forms.");
        return ConjModuleError;
    }
    const std::vector<FormReading> readings = module.LookupForm(
        text, (options.ignoreAccents ? IgnoreAccents : 0) | (options.prefix ? LookupPrefix : 0));
    const bool suggestions = !readings.empty() && readings.front().Suggestion();
    Utf8Output output(out);
    Json list = Json::array();
    if (options.format == ConjFormat::Tsv) {
        output.AppendUtf8(LookupTsvHeader);
        output.EndLine();
    }
    for (const FormReading& r : readings) {
        const std::string word = Utf8(r.word.c_str()), infinitive = Utf8(r.infinitive.c_str());
        const std::string tense = TenseName(module, r.tense), person = PersonOfSlot(r.slot);
        if (options.format == ConjFormat::Json) {
            Json reading;
            reading["word"] = word;
            reading["form"] = Utf8(r.form.c_str());
            reading["infinitive"] = infinitive;
            reading["tense"] = tense;
            reading["person"] = person.empty() ? Json() : Json(person);
            reading["slot"] = r.slot;
            reading["pronominal"] = r.Pronominal();
            reading["alternate"] = r.Alternate();
            list.push_back(std::move(reading));
        } else if (options.format == ConjFormat::Tsv) {
            output.AppendUtf8(TsvField(word) + "\t" + TsvField(infinitive) + "\t" + TsvField(tense) + "\t" +
                              person + "\t" + TsvField(Utf8(r.form.c_str())) + "\t" + std::to_string(r.slot) +
                              (r.Pronominal() ? "\t1" : "\t0") + (r.Alternate() ? "\t1" : "\t0") +
                              (r.Suggestion() ? "\t1" : "\t0"));
            output.EndLine();
        } else {
            output.AppendUtf8(word + "\t" + infinitive + "\t" + tense +
                              (person.empty() ? "" : "\t" + person));
            output.EndLine();
        }
    }
    if (options.format == ConjFormat::Json) {
        Json document;
        document["text"] = options.lookup;
        document["suggestions"] = suggestions;
        document["readings"] = std::move(list);
        WriteJson(document, output);
    }
    if (!output.Flush()) return OutputFailed(err);
    if (readings.empty()) {
        Message(err, "no verb has the form \"" + ShownArgument(options.lookup) + "\", nor one close to it.");
        return ConjNotFound;
    }
    if (suggestions) {
        Message(err, "no verb has the form \"" + ShownArgument(options.lookup) +
                         "\"; the forms listed are one letter away.");
        return ConjNotFound;
    }
    return ConjOk;
}

int Conjugate(const LanguageModule& module, const ConjOptions& options, const TenseSelection* tenses,
              std::FILE* out, std::FILE* err) {
    std::string verb;
    if (!ToCp1252(options.verb, verb, err)) return ConjUsageError;
    PageState state;
    state.pronominal = options.pronominal;
    state.alternate = options.alternate;
    int32_t index = ResolveVerb(module, verb, state.pronominal);
    std::string formNote;  // "fûmes is a form of être (Passé Simple, nous)."
    if (index < 0 && !options.pronominal && !options.alternate) {
        std::vector<FormReading> readings = module.LookupForm(verb, 0);
        if (readings.empty() || readings.front().Suggestion())
            readings = module.LookupForm(verb, IgnoreAccents);
        if (!readings.empty() && !readings.front().Suggestion()) {
            formNote = FormNote(module, options.verb, readings);
            index = readings.front().VerbIndex();
            state.pronominal = readings.front().Pronominal();
            state.alternate = readings.front().Alternate();
        }
    }
    if (index < 0) return UnknownVerb(module, options.verb, verb, err);

    bool wantedPronominal = state.pronominal;
    FormBuffers forms;
    Utf8Output output(out);
    if (!formNote.empty()) {
        // Scripts get the page alone; the note goes with the messages.
        if (options.format == ConjFormat::Text) {
            output.AppendUtf8(formNote);
            output.EndLine();
            output.EndLine();
        } else {
            Message(err, formNote);
        }
    }
    if (options.format == ConjFormat::Tsv) {
        output.AppendUtf8(PageTsvHeader);
        output.EndLine();
    }
    if (!WritePage(module, index, state, forms.pointers, options.format, tenses, output)) {
        Message(err, "the verb \"" + ShownArgument(options.verb) + "\" could not be conjugated.");
        return ConjNotFound;
    }
    if (!output.Flush()) return OutputFailed(err);
    if (wantedPronominal && !state.canBePronominal)
        Message(err,
                "\"" + ShownArgument(options.verb) + "\" has no pronominal form; its plain form is shown.");
    if (options.alternate && !state.hasAlternate)
        Message(err,
                "\"" + ShownArgument(options.verb) + "\" has no second variant; its only form is shown.");
    return ConjOk;
}

int ConjugateAll(const LanguageModule& module, const ConjOptions& options, const TenseSelection* tenses,
                 std::FILE* out, std::FILE* err) {
    FormBuffers forms;
    Utf8Output output(out);
    if (options.format == ConjFormat::Tsv) {
        output.AppendUtf8(PageTsvHeader);
        output.EndLine();
    }
    int32_t count = module.GetVerbCount();
    for (int32_t i = 0; i < count && !output.Failed(); ++i) {
        PageState state;
        state.pronominal = options.pronominal;
        state.alternate = options.alternate;
        if (i > 0 && options.format == ConjFormat::Text) output.EndLine();
        WritePage(module, i, state, forms.pointers, options.format, tenses, output);
    }
    return output.Flush() ? ConjOk : OutputFailed(err);
}

// The matches of a search for scripts (json, tsv), or in text only those of
// the selected tenses. False when no match is left to write.
bool WriteMatches(const LanguageModule& module, const ConjOptions& options, const SearchResultList& list,
                  const TenseSelection* tenses, Utf8Output& out) {
    Json matches = Json::array();
    std::string rows;
    for (int32_t i = 0; i < list.count; ++i) {
        // Forms: "form TAB infinitive TAB tense"; definitions: "definition TAB infinitive".
        const std::string text = list.texts[i] ? list.texts[i] : "";
        const size_t tab1 = text.find('\t');
        if (tab1 == std::string::npos) continue;
        const size_t tab2 = text.find('\t', tab1 + 1);
        const std::string first = Utf8(text.substr(0, tab1).c_str());
        const std::string infinitive = Utf8(
            text.substr(tab1 + 1, tab2 == std::string::npos ? std::string::npos : tab2 - tab1 - 1).c_str());
        const int tense = tab2 == std::string::npos ? -1 : std::atoi(text.c_str() + tab2 + 1);
        if (tenses && (tense < 0 || tense >= TenseCount || !(*tenses)[tense])) continue;
        const bool pronominal = (list.values[i] & ResultPronominal) != 0;
        const bool alternate = (list.values[i] & ResultAlternate) != 0;
        const std::string tenseName = tense >= 0 && module.GetTenseName2(tense)
                                          ? TenseName(module, tense)
                                          : (tab2 == std::string::npos ? "" : Utf8(text.c_str() + tab2 + 1));
        // For scripts, the verb as listed, as in a page ("aimer" for "s'aimer").
        const int32_t verbIndex = list.values[i] & ResultVerbIndexMask;
        const std::string listed = module.GetVerb(verbIndex) ? Utf8(module.GetVerb(verbIndex)) : infinitive;
        if (options.format == ConjFormat::Json) {
            Json match;
            match["infinitive"] = listed;
            if (options.definitions) {
                match["definition"] = first;
            } else {
                match["form"] = first;
                match["tense"] = tenseName;
            }
            match["pronominal"] = pronominal;
            match["alternate"] = alternate;
            matches.push_back(std::move(match));
        } else if (options.format == ConjFormat::Tsv) {
            rows += TsvField(listed) + "\t" + TsvField(first) +
                    (options.definitions ? "" : "\t" + TsvField(tenseName)) + (pronominal ? "\t1" : "\t0") +
                    (alternate ? "\t1\n" : "\t0\n");
        } else {
            rows += infinitive + "\t" + first + (tab2 == std::string::npos ? "" : "\t" + tenseName) + "\n";
        }
    }
    const bool any = options.format == ConjFormat::Json ? !matches.empty() : !rows.empty();
    // A script reads an empty result as well: the document or the header.
    if (!any && options.format == ConjFormat::Text) return false;
    if (options.format == ConjFormat::Json) {
        Json document;
        document["text"] = options.pattern;
        document["complete"] = list.count < SearchResultLimit;
        document["matches"] = std::move(matches);
        WriteJson(document, out);
    } else {
        if (options.format == ConjFormat::Tsv) {
            out.AppendUtf8(options.definitions ? FindDefinitionsTsvHeader : FindTsvHeader);
            out.EndLine();
        }
        out.AppendUtf8(rows);
    }
    return any;
}

// The forms of the selected tenses that hold `pattern`, searched as the
// module searches every form (each verb in each of its forms, in order), so
// that the limit of 200 applies to the matches of those tenses only.
OwnedResultList FindInTenses(const LanguageModule& module, const std::string& typed, bool wholeWord,
                             bool ignoreAccents, const TenseSelection& tenses) {
    const std::string pattern = ignoreAccents ? FoldForComparison(typed) : typed;
    OwnedResultList result;
    std::array<std::array<char, 64>, FormSlotCount> buffers{};
    std::array<char*, FormSlotCount> forms{};
    for (int s = 0; s < FormSlotCount; ++s) forms[size_t(s)] = buffers[size_t(s)].data();
    auto tenseOfSlot = [](int slot) {
        if (slot < ImperativeSlot) return slot / 6;
        if (slot < PresentParticipleSlot) return 14;
        if (slot == PresentParticipleSlot) return PresentParticipleTense;
        if (slot < InfinitiveSlot) return PastParticipleTense;
        return 17;
    };
    auto match = [&](int32_t verb, bool alternate, bool pronominal) {
        const int32_t value = verb | (pronominal ? ResultPronominal : 0) | (alternate ? ResultAlternate : 0);
        for (int s = 0; s < FormSlotCount && result.texts.size() < size_t(SearchResultLimit); ++s) {
            const int tense = tenseOfSlot(s);
            if (tense >= int(tenses.size()) || !tenses[size_t(tense)]) continue;
            buffers[size_t(s)].back() = '\0';
            if (!SearchTextMatches(
                    ignoreAccents ? FoldForComparison(forms[size_t(s)]) : std::string(forms[size_t(s)]),
                    pattern, wholeWord))
                continue;
            result.texts.push_back(std::string(forms[size_t(s)]) + '\t' + forms[InfinitiveSlot] + '\t' +
                                   std::to_string(tense));
            result.values.push_back(value);
        }
    };
    auto conjugate = [&](int32_t verb, bool& hasAlternate, bool& canBePronominal, bool alternate,
                         bool& pronominal) {
        for (auto& buffer : buffers) buffer[0] = '\0';
        return module.ConjugateVerb(verb, true, &hasAlternate, &canBePronominal, &alternate, &pronominal,
                                    nullptr, forms.data());
    };
    const int32_t count = module.GetVerbCount();
    for (int32_t i = 0; i < count && result.texts.size() < size_t(SearchResultLimit); ++i) {
        bool hasAlternate = false, canBePronominal = false, pronominal = false;
        if (!conjugate(i, hasAlternate, canBePronominal, false, pronominal)) continue;
        const bool onlyPronominal = pronominal;
        match(i, false, pronominal);
        if (hasAlternate) {
            pronominal = onlyPronominal;
            conjugate(i, hasAlternate, canBePronominal, true, pronominal);
            match(i, true, pronominal);
        }
        if (onlyPronominal || !canBePronominal) continue;
        pronominal = true;
        conjugate(i, hasAlternate, canBePronominal, false, pronominal);
        match(i, false, pronominal);
        if (hasAlternate && canBePronominal) {
            pronominal = true;
            conjugate(i, hasAlternate, canBePronominal, true, pronominal);
            match(i, true, pronominal);
        }
    }
    result.Seal();
    return result;
}

int FindText(const LanguageModule& module, const ConjOptions& options, const TenseSelection* tenses,
             std::FILE* out, std::FILE* err) {
    std::string pattern;
    if (!ToCp1252(options.pattern, pattern, err)) return ConjUsageError;
    int32_t flags = (options.definitions ? SearchDefinitions : SearchForms) |
                    (options.wholeWord ? WholeWord : 0) | (options.ignoreAccents ? IgnoreAccents : 0);
    Utf8Output output(out);
    // Only some tenses: the tenses are chosen first, then the 200 matches.
    std::optional<OwnedResultList> inTenses;
    if (tenses && !options.definitions)
        inTenses = FindInTenses(module, pattern, options.wholeWord, options.ignoreAccents, *tenses);
    SearchResultList* list = nullptr;
    if (inTenses)
        list = &inTenses->list;
    else
        module.Find(pattern.c_str(), flags, &list);
    std::unique_ptr<SearchResultList, std::function<void(SearchResultList*)>> owner(
        inTenses ? nullptr : list, [&module](SearchResultList* l) { module.FreeSearchPtr(l); });
    if (list == nullptr || list->count == 0) {
        // Scripts still get a result to read: no matches.
        const SearchResultList none{};
        if (options.format != ConjFormat::Text) {
            WriteMatches(module, options, none, tenses, output);
            if (!output.Flush()) return OutputFailed(err);
        }
        Message(err, std::string(options.definitions ? "no definition contains \""
                                 : tenses            ? "no form of the tenses asked for contains \""
                                                     : "no form contains \"") +
                         ShownArgument(options.pattern) + "\".");
        return ConjNotFound;
    }

    if (options.format != ConjFormat::Text || tenses) {
        if (!WriteMatches(module, options, *list, tenses, output)) {
            if (!output.Flush()) return OutputFailed(err);
            Message(err,
                    "no form of the tenses asked for contains \"" + ShownArgument(options.pattern) + "\".");
            return ConjNotFound;
        }
        bool written = output.Flush();
        if (list->count >= SearchResultLimit)
            Message(err, "the search stops at 200 matches; more may exist.");
        return written ? ConjOk : OutputFailed(err);
    }
    for (int32_t i = 0; i < list->count; ++i) {
        // Forms: "form TAB infinitive TAB tense"; definitions: "definition TAB infinitive".
        std::string text = list->texts[i] ? list->texts[i] : "";
        size_t tab1 = text.find('\t');
        if (tab1 == std::string::npos) continue;
        size_t tab2 = text.find('\t', tab1 + 1);
        std::string first = text.substr(0, tab1);
        std::string infinitive =
            text.substr(tab1 + 1, tab2 == std::string::npos ? std::string::npos : tab2 - tab1 - 1);
        output.Append(infinitive.c_str());
        output.Char('\t');
        output.Append(first.c_str());
        if (tab2 != std::string::npos) {
            int tense = std::atoi(text.c_str() + tab2 + 1);
            const char* name = module.GetTenseName2(tense);
            output.Char('\t');
            output.Append(name ? name : text.c_str() + tab2 + 1);
        }
        output.EndLine();
    }
    bool flushed = output.Flush();
    if (list->count >= 200) Message(err, "the search stops at 200 matches; more may exist.");
    return flushed ? ConjOk : OutputFailed(err);
}

int Define(const LanguageModule& module, const ConjOptions& options, std::FILE* out, std::FILE* err) {
    std::string verb;
    if (!ToCp1252(options.verb, verb, err)) return ConjUsageError;
    bool pronominal = options.pronominal;
    int32_t index = ResolveVerb(module, verb, pronominal);
    if (index < 0) return UnknownVerb(module, options.verb, verb, err);
    const char* definition = module.GetEnglishDefinition(index, pronominal);
    if (definition == nullptr || definition[0] == '\0') {
        Message(err, std::string("no English definition of \"") + ShownArgument(options.verb) + "\"" +
                         (pronominal ? " in its pronominal form." : "."));
        return ConjNotFound;
    }
    Utf8Output output(out);
    if (options.format == ConjFormat::Json) {
        Json document;
        document["infinitive"] = Utf8(module.GetVerb(index));
        document["pronominal"] = pronominal;
        document["definition"] = Utf8(definition);
        WriteJson(document, output);
    } else if (options.format == ConjFormat::Tsv) {
        output.AppendUtf8(DefineTsvHeader);
        output.EndLine();
        output.AppendUtf8(TsvField(Utf8(module.GetVerb(index))) + (pronominal ? "\t1\t" : "\t0\t") +
                          TsvField(Utf8(definition)));
        output.EndLine();
    } else {
        output.Append(definition);
        output.EndLine();
    }
    return output.Flush() ? ConjOk : OutputFailed(err);
}

}  // namespace

void Utf8Output::Append(const char* text) {
    const Utf8Table& table = Table();
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        if (*p < 0x80)
            buffer_ += static_cast<char>(*p);
        else
            buffer_ += table.text[*p];
    }
}

bool Utf8Output::Flush() {
    if (!buffer_.empty()) {
        size_t written = std::fwrite(buffer_.data(), 1, buffer_.size(), file_);
        if (written != buffer_.size()) failed_ = true;
        buffer_.clear();
    }
    if (std::fflush(file_) != 0) failed_ = true;
    return !failed_;
}

bool WriteVerbPage(const LanguageModule& module, int32_t verbIndex, PageState& state, char** forms,
                   Utf8Output& out, const TenseSelection* tenses) {
    if (!ConjugatePage(module, verbIndex, state, forms, false)) return false;
    out.Append(forms[InfinitiveSlot]);
    out.EndLine();
    // A learner must not take the first variant for the only one.
    const std::vector<std::string> labels = VariantLabels(state);
    if (labels.size() == 2) {
        const std::string& other = labels[state.alternate ? 0 : 1];
        const std::string what = other == "A"   ? "also with the auxiliary avoir"
                                 : other == "E" ? "also with the auxiliary \xC3\xAAtre"
                                                : "also the variant " + other;
        out.AppendUtf8("(" + what + (state.alternate ? ": without --alternate)" : ": --alternate)"));
        out.EndLine();
    }
    for (const PageBlock& block : PageBlocks(forms, tenses)) {
        out.EndLine();
        const char* name = module.GetTenseName2(block.tense);
        out.Append(name ? name : "");
        out.EndLine();
        for (const PageForm& f : block.forms) {
            out.Append(forms[f.slot]);
            out.EndLine();
        }
    }
    return true;
}

int RunConj(const std::vector<std::string>& arguments, std::FILE* out, std::FILE* err) {
    ConjParse parse = ParseConjOptions(arguments);
    if (!parse.ok) {
        Message(err, parse.error);
        std::fputs(ConjSynopsis, err);
        return ConjUsageError;
    }
    const ConjOptions& options = parse.options;
    if (options.mode == ConjMode::Help) {
        errno = 0;
        if (std::fputs(ConjUsage, out) < 0 || std::fflush(out) != 0) return OutputFailed(err);
        return ConjOk;
    }

    LanguageModule module;
    module.readOnlyDefinitions = true;  // read French.txt if present; never create or change it
    if (!module.Load(options.moduleFile)) {
        std::string detail = platform::LastErrorMessage();
        Message(err, "Could not load language module. Error #" + std::to_string(platform::LastErrorCode()) +
                         (detail.empty() ? "" : " (" + detail + ")"));
        return ConjModuleError;
    }
    // French.txt that is there but cannot be read: said once, then on.
    const std::string definitionsProblem = module.DefinitionsReadError();
    if (!definitionsProblem.empty()) Message(err, definitionsProblem);

    TenseSelection selection;
    if (!SelectTenses(module, options.tenses, selection, err)) return ConjUsageError;
    const TenseSelection* tenses = selection.empty() ? nullptr : &selection;

    switch (options.mode) {
    case ConjMode::Conjugate:
        return Conjugate(module, options, tenses, out, err);
    case ConjMode::All:
        return ConjugateAll(module, options, tenses, out, err);
    case ConjMode::Find:
        return FindText(module, options, tenses, out, err);
    case ConjMode::Define:
        return Define(module, options, out, err);
    case ConjMode::Lookup:
        return LookupText(module, options, out, err);
    case ConjMode::Help:
        break;
    }
    return ConjOk;
}
