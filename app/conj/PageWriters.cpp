// plimo-conj's pages: a verb's page as text, JSON or TSV, and the UTF-8
// output they are written to.
#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

#include "ConjCommands.h"
#include "PageModel.h"

namespace cli {

const char* const PageTsvHeader = "infinitive\tpronominal\talternate\tvariant\ttense\tperson\tform";

namespace {

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

// The two variant labels the module wrote ("A" and "E", "I" and "Y", ...),
// empty for a verb with one variant.
std::vector<std::string> VariantLabels(const PageState& state) {
    if (!state.hasAlternate) return {};
    const page::VariantLabels labels = page::ReadVariantLabels(state.labels, sizeof state.labels);
    if (labels.first.empty()) return {};
    return {Utf8(labels.first.c_str()), Utf8(labels.second.c_str())};
}

// Conjugates for a page; the formats for scripts leave out the
// placeholders ("N'existe pas", "pas d'impératif"), which are no forms.
bool ConjugatePage(const LanguageModule& module, int32_t verbIndex, PageState& state, char** forms,
                   bool withoutPlaceholders) {
    if (!module.ConjugateVerb(verbIndex, withoutPlaceholders, &state.hasAlternate, &state.canBePronominal,
                              &state.alternate, &state.pronominal, state.labels, forms))
        return false;
    if (!state.hasAlternate) state.alternate = false;
    if (withoutPlaceholders && std::strcmp(forms[PresentParticipleSlot], page::NoPresentParticiple) == 0)
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
    for (const page::Block& block : page::WrittenBlocks(forms, tenses)) {
        Json list = Json::array();
        for (const page::Form& f : block.forms)
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
    for (const page::Block& block : page::WrittenBlocks(forms, tenses)) {
        const std::string tense = TsvField(TenseName(module, block.tense)) + "\t";
        for (const page::Form& f : block.forms) {
            out.AppendUtf8(start + tense + (f.person ? std::to_string(f.person) : "") + "\t" +
                           TsvField(Utf8(forms[f.slot])));
            out.EndLine();
        }
    }
}

}  // namespace

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

}  // namespace cli

void Utf8Output::Append(const char* text) {
    const auto& table = cli::Table();
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
    if (!cli::ConjugatePage(module, verbIndex, state, forms, false)) return false;
    out.Append(forms[InfinitiveSlot]);
    out.EndLine();
    // A learner must not take the first variant for the only one.
    const std::vector<std::string> labels = cli::VariantLabels(state);
    if (labels.size() == 2) {
        const std::string& other = labels[state.alternate ? 0 : 1];
        const std::string what = other == "A"   ? "also with the auxiliary avoir"
                                 : other == "E" ? "also with the auxiliary \xC3\xAAtre"
                                                : "also the variant " + other;
        out.AppendUtf8("(" + what + (state.alternate ? ": without --alternate)" : ": --alternate)"));
        out.EndLine();
    }
    for (const page::Block& block : page::WrittenBlocks(forms, tenses)) {
        out.EndLine();
        const char* name = module.GetTenseName2(block.tense);
        out.Append(name ? name : "");
        out.EndLine();
        for (const page::Form& f : block.forms) {
            out.Append(forms[f.slot]);
            out.EndLine();
        }
    }
    return true;
}
