// plimo-conj --find: forms or definitions that hold a text.
#include <algorithm>
#include <array>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>

#include "ConjCommands.h"
#include "OwnedResultList.h"
#include "PageModel.h"
#include "SearchMatch.h"
#include "VerbSuggestions.h"

namespace cli {

namespace {

const char* const FindTsvHeader = "infinitive\tform\ttense\tpronominal\talternate";
const char* const FindDefinitionsTsvHeader = "infinitive\tdefinition\tpronominal\talternate";

// One match of a search result, in UTF-8. Forms come as "form TAB
// infinitive TAB tense", definitions as "definition TAB infinitive".
struct Match {
    std::string first;       // the form or the definition
    std::string infinitive;  // as the result gives it ("s'aimer")
    std::string listed;      // the verb as listed ("aimer")
    int tense = -1;          // -1 for a definition
    std::string tenseName;
    bool pronominal = false, alternate = false;
};

std::optional<Match> ReadMatch(const LanguageModule& module, const SearchResultList& list, int32_t i) {
    const std::string text = list.texts[i] ? list.texts[i] : "";
    const size_t tab1 = text.find('\t');
    if (tab1 == std::string::npos) return std::nullopt;
    const size_t tab2 = text.find('\t', tab1 + 1);
    Match m;
    m.first = Utf8(text.substr(0, tab1).c_str());
    m.infinitive =
        Utf8(text.substr(tab1 + 1, tab2 == std::string::npos ? std::string::npos : tab2 - tab1 - 1).c_str());
    if (tab2 != std::string::npos) {
        m.tense = std::max(0, std::atoi(text.c_str() + tab2 + 1));
        m.tenseName =
            module.GetTenseName2(m.tense) ? TenseName(module, m.tense) : Utf8(text.c_str() + tab2 + 1);
    }
    m.pronominal = (list.values[i] & ResultPronominal) != 0;
    m.alternate = (list.values[i] & ResultAlternate) != 0;
    const int32_t verbIndex = list.values[i] & ResultVerbIndexMask;
    m.listed = module.GetVerb(verbIndex) ? Utf8(module.GetVerb(verbIndex)) : m.infinitive;
    return m;
}

// The matches of a search for scripts (json, tsv), or in text only those of
// the selected tenses. False when no match is left to write.
bool WriteMatches(const LanguageModule& module, const ConjOptions& options, const SearchResultList& list,
                  const TenseSelection* tenses, Utf8Output& out) {
    Json matches = Json::array();
    std::string rows;
    for (int32_t i = 0; i < list.count; ++i) {
        const std::optional<Match> m = ReadMatch(module, list, i);
        if (!m || (tenses && (m->tense < 0 || m->tense >= TenseCount || !(*tenses)[m->tense]))) continue;
        // For scripts, the verb as listed, as in a page ("aimer" for "s'aimer").
        if (options.format == ConjFormat::Json) {
            Json match;
            match["infinitive"] = m->listed;
            if (options.definitions) {
                match["definition"] = m->first;
            } else {
                match["form"] = m->first;
                match["tense"] = m->tenseName;
            }
            match["pronominal"] = m->pronominal;
            match["alternate"] = m->alternate;
            matches.push_back(std::move(match));
        } else if (options.format == ConjFormat::Tsv) {
            rows += TsvField(m->listed) + "\t" + TsvField(m->first) +
                    (options.definitions ? "" : "\t" + TsvField(m->tenseName)) +
                    (m->pronominal ? "\t1" : "\t0") + (m->alternate ? "\t1\n" : "\t0\n");
        } else {
            rows += m->infinitive + "\t" + m->first + (m->tense < 0 ? "" : "\t" + m->tenseName) + "\n";
        }
    }
    const bool any = options.format == ConjFormat::Json ? !matches.empty() : !rows.empty();
    // A script reads an empty result as well: the document or the header.
    if (!any && options.format == ConjFormat::Text) return false;
    if (options.format == ConjFormat::Json) {
        Json document;
        document["text"] = options.pattern;
        document["complete"] = list.count < MaxSearchResults;
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
    auto match = [&](int32_t verb, bool alternate, bool pronominal) {
        const int32_t value = verb | (pronominal ? ResultPronominal : 0) | (alternate ? ResultAlternate : 0);
        for (int s = 0; s < FormSlotCount && result.texts.size() < size_t(MaxSearchResults); ++s) {
            const int tense = page::TenseOfSlot(s);
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
    for (int32_t i = 0; i < count && result.texts.size() < size_t(MaxSearchResults); ++i) {
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

// The matches as text, a line each: infinitive, form or definition, tense.
void WriteFoundText(const LanguageModule& module, const SearchResultList& list, Utf8Output& output) {
    for (int32_t i = 0; i < list.count; ++i) {
        const std::optional<Match> m = ReadMatch(module, list, i);
        if (!m) continue;
        output.AppendUtf8(m->infinitive + "\t" + m->first + (m->tense < 0 ? "" : "\t" + m->tenseName));
        output.EndLine();
    }
}

}  // namespace

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
        if (list->count >= MaxSearchResults) Message(err, "the search stops at 200 matches; more may exist.");
        return written ? ConjOk : OutputFailed(err);
    }
    WriteFoundText(module, *list, output);
    bool flushed = output.Flush();
    if (list->count >= MaxSearchResults) Message(err, "the search stops at 200 matches; more may exist.");
    return flushed ? ConjOk : OutputFailed(err);
}

}  // namespace cli
