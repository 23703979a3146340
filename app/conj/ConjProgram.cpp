// plimo-conj's commands: the page of a verb or of every verb, a definition,
// and the dispatch of the command line to them and to the other commands.
#include "ConjProgram.h"

#include <cerrno>
#include <cstring>

#include "ConjCommands.h"

namespace cli {

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

namespace {

const char* const DefineTsvHeader = "infinitive\tpronominal\tdefinition";

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

}  // namespace cli

int RunConj(const std::vector<std::string>& arguments, std::FILE* out, std::FILE* err) {
    using namespace cli;
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
