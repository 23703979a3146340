// plimo-conj --lookup, and the note on a form typed for a verb.
#include <algorithm>

#include "ConjCommands.h"
#include "PageModel.h"

namespace cli {

namespace {

int TenseOfReading(const FormReading& r) { return r.tense; }

// "Passé Simple, nous", or "Participe Passé".
std::string ReadingPlace(const LanguageModule& module, const FormReading& r) {
    const std::string person = page::PersonName(r.slot);
    return TenseName(module, TenseOfReading(r)) + (person.empty() ? "" : ", " + person);
}

bool IsCompoundSlot(int slot) {
    return (slot >= SimpleTenseCount * PersonCount && slot < ImperativeSlot) ||
           slot == CompoundParticipleSlot;
}

}  // namespace

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

namespace {

const char* const LookupTsvHeader =
    "word\tinfinitive\ttense\tperson\tform\tslot\tpronominal\talternate\tsuggestion";

}  // namespace

namespace {

// The readings in the chosen format.
void WriteReadings(const LanguageModule& module, const ConjOptions& options,
                   const std::vector<FormReading>& readings, Utf8Output& output) {
    Json list = Json::array();
    if (options.format == ConjFormat::Tsv) {
        output.AppendUtf8(LookupTsvHeader);
        output.EndLine();
    }
    for (const FormReading& r : readings) {
        const std::string word = Utf8(r.word.c_str()), infinitive = Utf8(r.infinitive.c_str());
        const std::string tense = TenseName(module, r.tense), person = page::PersonName(r.slot);
        if (options.format == ConjFormat::Json) {
            list.push_back({{"word", word},
                            {"form", Utf8(r.form.c_str())},
                            {"infinitive", infinitive},
                            {"tense", tense},
                            {"person", person.empty() ? Json() : Json(person)},
                            {"slot", r.slot},
                            {"pronominal", r.Pronominal()},
                            {"alternate", r.Alternate()}});
            continue;
        }
        if (options.format == ConjFormat::Tsv)
            output.AppendUtf8(TsvField(word) + "\t" + TsvField(infinitive) + "\t" + TsvField(tense) + "\t" +
                              person + "\t" + TsvField(Utf8(r.form.c_str())) + "\t" + std::to_string(r.slot) +
                              (r.Pronominal() ? "\t1" : "\t0") + (r.Alternate() ? "\t1" : "\t0") +
                              (r.Suggestion() ? "\t1" : "\t0"));
        else
            output.AppendUtf8(word + "\t" + infinitive + "\t" + tense +
                              (person.empty() ? "" : "\t" + person));
        output.EndLine();
    }
    if (options.format == ConjFormat::Json) {
        Json document;
        document["text"] = options.lookup;
        document["suggestions"] = !readings.empty() && readings.front().Suggestion();
        document["readings"] = std::move(list);
        WriteJson(document, output);
    }
}

}  // namespace

int LookupText(const LanguageModule& module, const ConjOptions& options, std::FILE* out, std::FILE* err) {
    std::string text;
    if (!ToCp1252(options.lookup, text, err)) return ConjUsageError;
    if (!module.CanLookUpForms()) {
        Message(err, "this language module cannot look up forms.");
        return ConjModuleError;
    }
    const std::vector<FormReading> readings = module.LookupForm(
        text, (options.ignoreAccents ? IgnoreAccents : 0) | (options.prefix ? LookupPrefix : 0));
    Utf8Output output(out);
    WriteReadings(module, options, readings, output);
    if (!output.Flush()) return OutputFailed(err);
    if (readings.empty()) {
        Message(err, "no verb has the form \"" + ShownArgument(options.lookup) + "\", nor one close to it.");
        return ConjNotFound;
    }
    if (readings.front().Suggestion()) {
        Message(err, "no verb has the form \"" + ShownArgument(options.lookup) +
                         "\"; the forms listed are one letter away.");
        return ConjNotFound;
    }
    return ConjOk;
}

}  // namespace cli
