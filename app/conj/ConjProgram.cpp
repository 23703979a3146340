// plimo-conj's commands.
#include "ConjProgram.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>

#include "ConjOptions.h"
#include "Cp1252.h"
#include "VerbSuggestions.h"

namespace {

// The tense blocks of the full-screen page, in order.
constexpr int PageTenses[] = {0, 1, 2, 3, 7, 8, 9, 10, 4, 5, 11, 12, 6, 13, 14};
constexpr int PresentParticipleTense = 16;
constexpr int PastParticipleTense = 15;

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

// The verb index for what the user typed, accepting a pronominal infinitive
// ("se placer", "s'asseoir", "s'en aller") as the verb in its pronominal form.
int32_t ResolveVerb(const LanguageModule& module, const std::string& text, bool& pronominal) {
    int32_t index = module.FindVerbIndex(text);
    if (index >= 0) return index;
    for (const char* prefix : {"s'en ", "s\x92" "en ", "se ", "s'", "s\x92"}) {
        size_t length = std::strlen(prefix);
        if (text.size() > length && text.compare(0, length, prefix) == 0) {
            index = module.FindVerbIndex(text.substr(length));
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

int Conjugate(const LanguageModule& module, const ConjOptions& options, std::FILE* out,
              std::FILE* err) {
    std::string verb;
    if (!ToCp1252(options.verb, verb, err)) return ConjUsageError;
    PageState state;
    state.pronominal = options.pronominal;
    state.alternate = options.alternate;
    int32_t index = ResolveVerb(module, verb, state.pronominal);
    if (index < 0) return UnknownVerb(module, options.verb, verb, err);

    bool wantedPronominal = state.pronominal;
    FormBuffers forms;
    Utf8Output output(out);
    if (!WriteVerbPage(module, index, state, forms.pointers, output)) {
        Message(err, "the verb \"" + ShownArgument(options.verb) + "\" could not be conjugated.");
        return ConjNotFound;
    }
    if (!output.Flush()) return OutputFailed(err);
    if (wantedPronominal && !state.canBePronominal)
        Message(err, "\"" + ShownArgument(options.verb) + "\" has no pronominal form; its plain form is shown.");
    if (options.alternate && !state.hasAlternate)
        Message(err, "\"" + ShownArgument(options.verb) + "\" has no second variant; its only form is shown.");
    return ConjOk;
}

int ConjugateAll(const LanguageModule& module, const ConjOptions& options, std::FILE* out,
                 std::FILE* err) {
    FormBuffers forms;
    Utf8Output output(out);
    int32_t count = module.GetVerbCount();
    for (int32_t i = 0; i < count && !output.Failed(); ++i) {
        PageState state;
        state.pronominal = options.pronominal;
        state.alternate = options.alternate;
        if (i > 0) output.EndLine();
        WriteVerbPage(module, i, state, forms.pointers, output);
    }
    return output.Flush() ? ConjOk : OutputFailed(err);
}

int FindText(const LanguageModule& module, const ConjOptions& options, std::FILE* out,
             std::FILE* err) {
    std::string pattern;
    if (!ToCp1252(options.pattern, pattern, err)) return ConjUsageError;
    int32_t flags = (options.definitions ? SearchDefinitions : SearchForms) |
                    (options.wholeWord ? WholeWord : 0);
    SearchResultList* list = nullptr;
    module.Find(pattern.c_str(), flags, &list);
    if (list == nullptr || list->count == 0) {
        if (list != nullptr) module.FreeSearchPtr(list);
        Message(err, std::string(options.definitions ? "no definition contains \"" : "no form contains \"") +
                         ShownArgument(options.pattern) + "\".");
        return ConjNotFound;
    }
    std::unique_ptr<SearchResultList, std::function<void(SearchResultList*)>> owner(
        list, [&module](SearchResultList* l) { module.FreeSearchPtr(l); });

    Utf8Output output(out);
    for (int32_t i = 0; i < list->count; ++i) {
        // Forms: "form TAB infinitive TAB tense"; definitions: "definition TAB infinitive".
        std::string text = list->texts[i] ? list->texts[i] : "";
        size_t tab1 = text.find('\t');
        if (tab1 == std::string::npos) continue;
        size_t tab2 = text.find('\t', tab1 + 1);
        std::string first = text.substr(0, tab1);
        std::string infinitive = text.substr(tab1 + 1, tab2 == std::string::npos ? std::string::npos
                                                                                : tab2 - tab1 - 1);
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
    if (list->count >= 200)
        Message(err, "the search stops at 200 matches; more may exist.");
    return flushed ? ConjOk : OutputFailed(err);
}

int Define(const LanguageModule& module, const ConjOptions& options, std::FILE* out,
           std::FILE* err) {
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
    output.Append(definition);
    output.EndLine();
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

bool WriteVerbPage(const LanguageModule& module, int32_t verbIndex, PageState& state,
                   char** forms, Utf8Output& out) {
    if (!module.ConjugateVerb(verbIndex, false, &state.hasAlternate, &state.canBePronominal,
                              &state.alternate, &state.pronominal, state.labels, forms))
        return false;
    if (!state.hasAlternate) state.alternate = false;

    auto heading = [&](int tense) {
        const char* name = module.GetTenseName2(tense);
        out.Append(name ? name : "");
        out.EndLine();
    };
    auto line = [&](int slot) {
        if (forms[slot][0] == '\0') return;
        out.Append(forms[slot]);
        out.EndLine();
    };

    out.Append(forms[InfinitiveSlot]);
    out.EndLine();
    for (int tense : PageTenses) {
        out.EndLine();
        heading(tense);
        for (int person = 0; person < 6; ++person) line(tense * 6 + person);
    }
    out.EndLine();
    heading(PresentParticipleTense);
    line(PresentParticipleSlot);
    out.EndLine();
    heading(PastParticipleTense);
    line(PastParticipleSlot);
    line(CompoundParticipleSlot);
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
        Message(err, "Could not load language module. Error #" +
                         std::to_string(platform::LastErrorCode()) +
                         (detail.empty() ? "" : " (" + detail + ")"));
        return ConjModuleError;
    }
    // French.txt that is there but cannot be read: said once, then on.
    const std::string definitionsProblem = module.DefinitionsReadError();
    if (!definitionsProblem.empty()) Message(err, definitionsProblem);

    switch (options.mode) {
    case ConjMode::Conjugate: return Conjugate(module, options, out, err);
    case ConjMode::All: return ConjugateAll(module, options, out, err);
    case ConjMode::Find: return FindText(module, options, out, err);
    case ConjMode::Define: return Define(module, options, out, err);
    case ConjMode::Help: break;
    }
    return ConjOk;
}
