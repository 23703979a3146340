// plimo-conj: conjugation, search and definitions on the terminal, through
// LanguageModule (so the user's own definitions are seen too).
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "LanguageModule.h"

// Exit codes.
enum ConjExit {
    ConjOk = 0,
    ConjNotFound = 1,
    ConjUsageError = 2,
    ConjModuleError = 3,
    ConjOutputError = 4,
};

// Runs plimo-conj with `arguments` (without the program name); output goes
// to `out`, messages to `err`.
int RunConj(const std::vector<std::string>& arguments, std::FILE* out, std::FILE* err);

// Collects UTF-8 output in a large buffer and writes it in big pieces.
class Utf8Output {
public:
    explicit Utf8Output(std::FILE* file) : file_(file) { buffer_.reserve(Capacity + 4096); }
    ~Utf8Output() { Flush(); }

    // Appends Windows-1252 text converted to UTF-8.
    void Append(const char* cp1252Text);
    void AppendUtf8(std::string_view utf8Text) { buffer_.append(utf8Text); }
    void Char(char c) { buffer_ += c; }
    void EndLine() {
        buffer_ += '\n';
        if (buffer_.size() >= Capacity) Flush();
    }
    // Writes what is collected; false once any write has failed (a full
    // disk, a closed pipe), so a failure in the middle is not forgotten.
    bool Flush();
    bool Failed() const { return failed_; }

private:
    static constexpr size_t Capacity = 1 << 20;
    std::FILE* file_;
    std::string buffer_;
    bool failed_ = false;
};

// The variant state of one conjugation: `pronominal` and `alternate` are
// what the caller asks for and come back as what the module used;
// `canBePronominal` and `hasAlternate` report what the verb offers.
struct PageState {
    bool pronominal = false;
    bool alternate = false;
    bool canBePronominal = false;
    bool hasAlternate = false;
    char labels[256] = {};
};
// Which tenses a page shows (--tense): indexed by tense number, all true
// when the user named none.
using TenseSelection = std::vector<bool>;

// Writes one verb's page: its title (the infinitive as conjugated), then each
// tense block in the order of the full-screen page, heading first, without
// empty lines; then the two participle blocks. Only the blocks of the
// selected tenses are written (every block without a selection). `forms` is
// 94 buffers of at least FormBufferSize bytes. Returns false when the verb
// cannot be conjugated.
bool WriteVerbPage(const LanguageModule& module, int32_t verbIndex, PageState& state, char** forms,
                   Utf8Output& out, const TenseSelection* tenses = nullptr);
