#include "DataFiles.h"

#include <fstream>
#include <set>
#include <sstream>

#include "../src/DatabaseFormat.h"
#include "LanguageModuleAbi.h"
#include "TextCodec.h"

namespace dbc {
namespace {

std::string Where(const std::string& path, int line) { return path + ":" + std::to_string(line); }

[[noreturn]] void Fail(const std::string& where, const std::string& what) {
    throw DataError(where + ": " + what);
}

std::string ToCp1252(const std::string& text, const std::string& where) {
    auto converted = Utf8ToCp1252(text);
    if (!converted) Fail(where, "text is not valid UTF-8 or has no Windows-1252 form: " + text);
    return *converted;
}

std::vector<std::string> Split(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

std::string Trim(const std::string& s) {
    const auto begin = s.find_first_not_of(" \t\r");
    if (begin == std::string::npos) return {};
    const auto end = s.find_last_not_of(" \t\r");
    return s.substr(begin, end - begin + 1);
}

int ToInt(const std::string& word, const std::string& where) {
    try {
        size_t used = 0;
        const int value = std::stoi(word, &used);
        if (used == word.size()) return value;
    } catch (const std::exception&) {
    }
    Fail(where, "expected a number, found '" + word + "'");
}

// Lines of a simple tense: tense name -> first ending entry.
const std::map<std::string, std::pair<int, int>>& EndingLines() {
    static const std::map<std::string, std::pair<int, int>> lines = {
        {"present", {0, 6}},
        {"imperfect", {6, 6}},
        {"simple-past", {12, 6}},
        {"future", {18, 6}},
        {"subjunctive", {24, 6}},
        {"past-subjunctive", {30, 6}},
        {"conditional", {36, 6}},
        {"imperative", {french::ImperativeEnding, 3}},
        {"past-participle", {french::PastParticipleEnding, 4}},
        {"present-participle", {french::PresentParticipleEnding, 1}},
    };
    return lines;
}

const std::map<std::string, uint32_t>& FlagNames() {
    static const std::map<std::string, uint32_t> names = {
        {"noAgreement", french::NoAgreement},
        {"noImperative", french::NoImperative},
        {"noPresentParticiple", french::NoPresentParticiple},
        {"noCompoundParticiple", french::NoCompoundParticiple},
        {"impersonal", french::Impersonal},
        {"thirdPersonOnly", french::ThirdPersonOnly},
        {"caSubject", french::CaSubject},
    };
    return names;
}

uint16_t LabelWord(const std::string& label, const std::string& where) {
    if (label.empty() || label.size() > 2) Fail(where, "a paradigm label has one or two letters");
    uint16_t word = static_cast<uint8_t>(label[0]);
    if (label.size() == 2) word |= static_cast<uint16_t>(static_cast<uint8_t>(label[1]) << 8);
    return word;
}

// Calls visit(line, where) for every line of a source file that is neither
// blank nor a comment, trimmed, with "file:line" for messages.
template <typename Visit>
void ForEachLine(const std::string& path, Visit visit) {
    std::ifstream in(path);
    if (!in) throw DataError(path + ": cannot open");
    int lineNumber = 0;
    for (std::string raw; std::getline(in, raw);) {
        ++lineNumber;
        const std::string line = Trim(raw);
        if (line.empty() || line[0] == '#') continue;
        visit(line, Where(path, lineNumber));
    }
}

void FinishModel(Model& model, std::map<int, Model>& models) {
    if (model.number < 0) return;
    if (models.count(model.number))
        Fail(model.source, "model " + std::to_string(model.number) + " defined twice");
    models[model.number] = model;
}

using Words = std::vector<std::string>;

// "model NUMBER EXEMPLAR" opens a block; "-" for a model no verb uses.
Model StartModel(const Words& words, const std::string& where) {
    Model model;
    if (words.size() < 3) Fail(where, "model needs a number and an exemplar");
    model.number = ToInt(words[1], where);
    if (model.number < 0 || model.number > static_cast<int>(french::ModelMask))
        Fail(where, "model numbers run from 0 to 127");
    model.exemplar = words[2] == "-" ? "" : words[2];
    model.source = where;
    return model;
}

// The lines of a block, each read into the model it belongs to.
void ReadFamily(const Words& words, const std::string& where, Model& model) {
    for (size_t i = 1; i < words.size(); ++i) {
        if (words[i].size() < 2 || (words[i][0] != '-' && words[i][0] != '='))
            Fail(where, "family entries start with '-' (ending) or '=' (infinitive)");
        model.family.push_back(words[i]);
    }
}

void ReadStrip(const Words& words, const std::string& where, Model& model) {
    if (words.size() != 2) Fail(where, "strip takes one number");
    const int n = ToInt(words[1], where);
    if (n < 0 || n > 7) Fail(where, "strip runs from 0 to 7");
    model.flags |= static_cast<uint32_t>(n);
}

void ReadCaret(const Words& words, const std::string& where, Model& model) {
    if (words.size() != 3) Fail(where, "caret takes an offset and a length");
    const int offset = ToInt(words[1], where), length = ToInt(words[2], where);
    if (offset < 1 || offset > 7 || length < 1 || length > 7 || length > offset)
        Fail(where, "caret offset 1-7, length 1-7 and not beyond the end");
    model.flags |= static_cast<uint32_t>(offset) << french::CaretOffsetShift;
    model.flags |= static_cast<uint32_t>(length) << french::CaretLengthShift;
}

void ReadFlags(const Words& words, const std::string& where, Model& model) {
    for (size_t i = 1; i < words.size(); ++i) {
        const auto it = FlagNames().find(words[i]);
        if (it == FlagNames().end()) Fail(where, "unknown flag '" + words[i] + "'");
        model.flags |= it->second;
    }
}

void ReadMissing(const Words& words, const std::string& where, Model& model) {
    for (size_t i = 1; i < words.size(); ++i) {
        const int t = ToInt(words[i], where);
        if (t < 0 || t >= PersonalTenseCount) Fail(where, "missing tenses run from 0 to 13");
        model.flags |= 1u << (french::MissingTenseShift + t);
    }
}

void ReadParadigms(const Words& words, const std::string& where, Model& model) {
    if (words.size() != 5) Fail(where, "paradigms takes two model numbers and two labels");
    model.isParadigmPair = true;
    model.paradigms[0] = ToInt(words[1], where);
    model.paradigms[1] = ToInt(words[2], where);
    model.labels[0] = words[3];
    model.labels[1] = words[4];
    LabelWord(words[3], where);
    LabelWord(words[4], where);
    model.flags = french::TwoParadigms;
}

// A line of endings: a tense, the imperative or a participle.
void ReadEndings(const Words& words, const std::string& where, Model& model) {
    const std::string& key = words[0];
    const auto it = EndingLines().find(key);
    if (it == EndingLines().end()) Fail(where, "unknown line '" + key + "'");
    const auto [first, count] = it->second;
    if (static_cast<int>(words.size()) != count + 1)
        Fail(where, "'" + key + "' takes " + std::to_string(count) + " endings");
    for (int i = 0; i < count; ++i) model.endings[first + i] = words[i + 1] == "-" ? "" : words[i + 1];
}

using LineReader = void (*)(const Words&, const std::string&, Model&);

LineReader ReaderOf(const std::string& key) {
    static const std::map<std::string, LineReader> readers = {
        {"family", ReadFamily}, {"strip", ReadStrip},     {"caret", ReadCaret},
        {"flags", ReadFlags},   {"missing", ReadMissing}, {"paradigms", ReadParadigms},
    };
    const auto it = readers.find(key);
    return it == readers.end() ? ReadEndings : it->second;
}

// One line inside a block. Each line but "family" is given once, and a
// block with only a family is empty.
void ReadModelLine(const Words& words, const std::string& where, Model& model, std::set<std::string>& seen) {
    const std::string& key = words[0];
    if (model.number < 0) Fail(where, "a line outside a model block");
    if (key != "family") {
        model.empty = false;
        if (!seen.insert(key).second) Fail(where, "'" + key + "' given twice");
    }
    ReaderOf(key)(words, where, model);
}

}  // namespace

void ReadModelFile(const std::string& path, std::map<int, Model>& models) {
    Model current;
    std::set<std::string> seen;
    ForEachLine(path, [&](const std::string& line, const std::string& where) {
        const Words words = Split(ToCp1252(line, where));
        if (words[0] == "model") {
            FinishModel(current, models);
            current = StartModel(words, where);
            seen.clear();
        } else {
            ReadModelLine(words, where, current, seen);
        }
    });
    FinishModel(current, models);
}

std::vector<Verb> ReadVerbFile(const std::string& path) {
    std::vector<Verb> verbs;
    ForEachLine(path, [&](const std::string& line, const std::string& where) {
        auto words = Split(ToCp1252(line, where));
        Verb verb;
        verb.source = where;
        while (!words.empty() && words.back().size() == 2 && words.back()[0] == '+') {
            const char mark = words.back()[1];
            if (mark == 'h')
                verb.hAspire = true;
            else if (mark == 'p')
                verb.pronominalOnly = true;
            else if (mark == 'm')
                verb.pronominalSimpleTenses = true;
            else if (mark == 'e')
                verb.etreFirst = true;
            else if (mark == 'r')
                verb.reciprocal = true;
            else if (mark == 'i')
                verb.invariableParticiple = true;
            else
                Fail(where, "unknown mark '" + words.back() + "'");
            words.pop_back();
        }
        if (words.size() < 3)
            Fail(where, "a verb line is: infinitive model kind [+h] [+p] [+m] [+e] [+r] [+i]");
        verb.kind = ToInt(words.back(), where);
        words.pop_back();
        verb.model = ToInt(words.back(), where);
        words.pop_back();
        for (size_t i = 0; i < words.size(); ++i) verb.infinitive += (i ? " " : "") + words[i];
        if (verb.kind < 0 || verb.kind > 15) Fail(where, "kinds run from 0 to 15");
        if (verb.model < 0 || verb.model > static_cast<int>(french::ModelMask))
            Fail(where, "bad model number");
        verbs.push_back(std::move(verb));
    });
    return verbs;
}

void ReadDefinitionFile(const std::string& path, std::map<std::string, Definition>& definitions) {
    ForEachLine(path, [&](const std::string& line, const std::string& where) {
        const auto first = line.find('|');
        const auto second = first == std::string::npos ? first : line.find('|', first + 1);
        if (second == std::string::npos || line.find('|', second + 1) != std::string::npos)
            Fail(where, "a definition line is: infinitive | plain | pronominal");
        const std::string verb = ToCp1252(Trim(line.substr(0, first)), where);
        Definition def;
        def.plain = ToCp1252(Trim(line.substr(first + 1, second - first - 1)), where);
        def.pronominal = ToCp1252(Trim(line.substr(second + 1)), where);
        def.source = where;
        if (verb.empty() || def.plain.empty())
            Fail(where, "the infinitive and the plain definition are required");
        if (def.plain.size() > 255 || def.pronominal.size() > 255)
            Fail(where, "a definition has at most 255 characters");
        if (definitions.count(verb))
            Fail(where, "'" + verb + "' is defined twice (use infinitive#2 for a second verb)");
        definitions[verb] = def;
    });
}

}  // namespace dbc
