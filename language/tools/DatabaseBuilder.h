// Lays the parsed sources out as the database blobs.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "DataFiles.h"

namespace dbc {

struct Database {
    std::vector<uint8_t> modelTable;
    std::vector<uint8_t> endingPool;
    std::vector<uint8_t> definitionPool;
    std::vector<uint8_t> secondDefinitionPool;  // what the first pool's 17-bit offsets cannot reach
    std::vector<uint8_t> verbNameIndex;
    std::vector<uint8_t> verbInfoTable;
    std::vector<uint8_t> infinitivePool;
    int32_t verbCount = 0;
    int32_t modelCount = 0;
    int32_t endingCount = 0;  // distinct strings in EndingPool
    int32_t definedVerbs = 0;
    std::vector<std::string> warnings;
};

// Validates the sources against each other and builds the blobs; throws
// DataError on anything the module could not use.
Database BuildDatabase(const std::map<int, Model>& models, const std::vector<Verb>& verbs,
                       const std::map<std::string, Definition>& definitions);

}  // namespace dbc
