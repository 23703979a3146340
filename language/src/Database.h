// The verb database as the module sees it: its blobs used in place.
#pragma once

#include <cstdint>
#include <cstring>

#include "DatabaseFormat.h"

namespace french {

struct DatabaseView {
    const uint8_t* modelTable = nullptr;
    const char* endingPool = nullptr;
    const char* definitionPool = nullptr;
    const char* secondDefinitionPool = nullptr;
    const uint8_t* verbNameIndex = nullptr;
    const uint8_t* verbInfoTable = nullptr;
    const char* infinitivePool = nullptr;
    int32_t verbCount = 0;
    int32_t modelCount = 0;
    uint32_t endingPoolSize = 0;
    uint32_t definitionPoolSize = 0;
    uint32_t secondDefinitionPoolSize = 0;
    uint32_t infinitivePoolSize = 0;
};

// Filled once when the module is loaded; read-only afterwards.
extern DatabaseView Db;

inline uint16_t ReadU16(const uint8_t* p) {
    uint16_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

inline uint32_t ReadU32(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

inline bool IsVerbIndex(int32_t verbIndex) { return verbIndex >= 0 && verbIndex < Db.verbCount; }

inline uint32_t VerbInfo(int32_t verbIndex) {
    return ReadU32(Db.verbInfoTable + 4 * static_cast<size_t>(verbIndex));
}

inline const char* Infinitive(int32_t verbIndex) {
    return Db.infinitivePool + ReadU16(Db.verbNameIndex + 2 * static_cast<size_t>(verbIndex));
}

inline int VerbKind(uint32_t info) { return static_cast<int>((info >> KindShift) & KindMask); }
inline int VerbModel(uint32_t info) { return static_cast<int>((info >> ModelShift) & ModelMask); }

inline uint32_t ModelFlags(int model) {
    return ReadU32(Db.modelTable + static_cast<size_t>(model) * ModelRecordSize);
}

inline uint16_t ModelEntry(int model, int entry) {
    return ReadU16(Db.modelTable + static_cast<size_t>(model) * ModelRecordSize + 4 + 2 * entry);
}

// Eight zero bytes: an empty text that may be read a word at a time, like
// the padded blobs.
inline constexpr char EmptyText[8] = {};

// An ending of an ordinary model; offsets outside the pool read as "".
inline const char* ModelEnding(int model, int entry) {
    const uint16_t offset = ModelEntry(model, entry);
    return offset < Db.endingPoolSize ? Db.endingPool + offset : EmptyText;
}

// The plain definition of a verb, or null; it lies in the pool that bit 20
// of its VerbInfo selects.
inline const char* PlainDefinition(int32_t verbIndex) {
    const uint32_t info = VerbInfo(verbIndex);
    const uint32_t ref = info & DefinitionRefMask;
    const bool second = (info & SecondDefinitionPoolBit) != 0;
    const char* pool = second ? Db.secondDefinitionPool : Db.definitionPool;
    if (ref == 0 || !pool || ref > (second ? Db.secondDefinitionPoolSize : Db.definitionPoolSize))
        return nullptr;
    return pool + (ref - 1);
}

}  // namespace french
