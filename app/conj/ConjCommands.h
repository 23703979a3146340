// The commands of plimo-conj and what they share: messages, UTF-8 and TSV
// text, JSON, the verb named on the command line. Internal to plimo-conj.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "ConjOptions.h"
#include "ConjProgram.h"
#include "Cp1252.h"

namespace cli {

// Objects keep their fields in the documented order.
using Json = nlohmann::ordered_json;

std::string Utf8(const char* cp1252Text);
std::string TenseName(const LanguageModule& module, int tense);
// A text as a TSV field: a tab or a line break would split the row.
std::string TsvField(std::string text);
void WriteJson(const Json& document, Utf8Output& out);

// "plimo-conj: TEXT" on `err`.
void Message(std::FILE* err, const std::string& utf8Text);
// Says the output failed (with errno's reason) and returns ConjOutputError.
int OutputFailed(std::FILE* err);
// UTF-8 from the command line to Windows-1252, or a message and false.
bool ToCp1252(const std::string& utf8, std::string& cp1252Text, std::FILE* err);

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

// Pages (PageWriters.cpp).
extern const char* const PageTsvHeader;
// One page in the chosen format (the TSV header aside).
bool WritePage(const LanguageModule& module, int32_t verbIndex, PageState& state, char** forms,
               ConjFormat format, const TenseSelection* tenses, Utf8Output& out);

// Verbs and tenses as typed (VerbNames.cpp).
// The tenses named by --tense; a message and false for a name the module
// does not know. An empty selection when none is named.
bool SelectTenses(const LanguageModule& module, const std::vector<std::string>& names,
                  TenseSelection& selection, std::FILE* err);
// The verb index for what the user typed (Windows-1252), accepting a
// pronominal infinitive ("se placer", "s'asseoir", "s'en aller") as the verb
// in its pronominal form, and a name typed without its accents; -1 for none.
int32_t ResolveVerb(const LanguageModule& module, const std::string& text, bool& pronominal);
// Says that `typed` is no verb, with the verbs it comes close to, and
// returns ConjNotFound.
int UnknownVerb(const LanguageModule& module, const std::string& typed, const std::string& cp1252Text,
                std::FILE* err);

// Forms looked up (LookupCommand.cpp).
// "suis is a form of être (Présent, je) and of suivre (Présent, je; ...)."
std::string FormNote(const LanguageModule& module, const std::string& typed,
                     const std::vector<FormReading>& readings);
int LookupText(const LanguageModule& module, const ConjOptions& options, std::FILE* out, std::FILE* err);

// Searches (FindCommand.cpp).
int FindText(const LanguageModule& module, const ConjOptions& options, const TenseSelection* tenses,
             std::FILE* out, std::FILE* err);

}  // namespace cli
