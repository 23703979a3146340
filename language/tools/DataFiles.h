// Readers for the database sources in language/data.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace dbc {

// A source error with the file and line it comes from.
class DataError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Model {
    int number = -1;
    std::string exemplar;  // Windows-1252
    uint32_t flags = 0;
    std::array<std::string, 54> endings;  // Windows-1252
    bool isParadigmPair = false;
    int paradigms[2] = {0, 0};
    std::string labels[2];
    std::vector<std::string> family;  // "-suffix" or "=infinitive"
    bool empty = true;                // a block with no lines
    std::string source;               // file:line of the block, for messages
};

struct Verb {
    std::string infinitive;  // Windows-1252
    int model = 0;
    int kind = 0;
    bool hAspire = false;
    bool pronominalOnly = false;
    std::string source;
    bool pronominalSimpleTenses = false;  // se mourir: no compound tenses, no imperative
    bool etreFirst = false;               // être is the first of the avoir/être variants
    bool reciprocal = false;              // pronominal only, plural persons (s'entraider)
    bool invariableParticiple = false;    // no direct object: existé, never "existée"
};

struct Definition {
    std::string plain;       // Windows-1252, never empty
    std::string pronominal;  // may be empty
    std::string source;
};

// Reads every model block of one file into `models` (keyed by number).
void ReadModelFile(const std::string& path, std::map<int, Model>& models);

// Reads the verb list.
std::vector<Verb> ReadVerbFile(const std::string& path);

// Reads one definitions file into `definitions`, keyed by infinitive, with
// "#2" appended for the second verb of the same infinitive.
void ReadDefinitionFile(const std::string& path, std::map<std::string, Definition>& definitions);

}  // namespace dbc
