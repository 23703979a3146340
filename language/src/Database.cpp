// Locating the database when the module is loaded.
#include "Database.h"

#include "Crc32.h"
#include "platform/ResourceDirectory.h"

extern "C" const ResourceDirectory PlimoResourceDirectory;

namespace french {

extern const int32_t kVerbCount;
extern const uint32_t kResourceChecksum;

DatabaseView Db;

namespace {

const ResourceEntry* FindBlob(int32_t id) {
    for (uint32_t i = 0; i < PlimoResourceDirectory.count; ++i) {
        const ResourceEntry& e = PlimoResourceDirectory.entries[i];
        if (e.id == id && std::strcmp(e.type, "PLIMO") == 0) return &e;
    }
    return nullptr;
}

// Whether the resources are still what the database compiler wrote: a
// flipped bit on disk would otherwise turn into a wrong form, shown as
// right. One pass over some 300 KB when the module is loaded.
bool ResourcesIntact() {
    uint32_t crc = 0;
    for (uint32_t i = 0; i < PlimoResourceDirectory.count; ++i) {
        const ResourceEntry& e = PlimoResourceDirectory.entries[i];
        crc = Crc32Resource(crc, e.type, e.id, e.data, e.size);
    }
    return Crc32Word(crc, static_cast<uint32_t>(kVerbCount)) == kResourceChecksum;
}

const uint8_t* BlobData(const ResourceEntry* e) { return e ? static_cast<const uint8_t*>(e->data) : nullptr; }

// Stands in for the process-attach notification: find the six blobs, in the
// order the module has always loaded them, and keep pointers to them. Nothing
// is parsed or copied. A blob that is missing leaves the module with no verbs
// rather than with dangling pointers; so does data that fails its checksum,
// which the program then refuses as damaged.
__attribute__((constructor)) void AttachDatabase() {
    if (!ResourcesIntact()) return;
    const ResourceEntry* names = FindBlob(VerbNameIndexId);
    const ResourceEntry* infos = FindBlob(VerbInfoTableId);
    const ResourceEntry* models = FindBlob(ModelTableId);
    const ResourceEntry* infinitives = FindBlob(InfinitivePoolId);
    const ResourceEntry* endings = FindBlob(EndingPoolId);
    const ResourceEntry* definitions = FindBlob(DefinitionPoolId);

    Db.verbNameIndex = BlobData(names);
    Db.verbInfoTable = BlobData(infos);
    Db.modelTable = BlobData(models);
    Db.infinitivePool = reinterpret_cast<const char*>(BlobData(infinitives));
    Db.endingPool = reinterpret_cast<const char*>(BlobData(endings));
    Db.definitionPool = reinterpret_cast<const char*>(BlobData(definitions));
    if (!names || !infos || !models || !infinitives || !endings || !definitions) return;

    // The second definition pool is optional: a database whose definitions
    // fit the first pool refers to none of it.
    if (const ResourceEntry* more = FindBlob(SecondDefinitionPoolId)) {
        Db.secondDefinitionPool = reinterpret_cast<const char*>(more->data);
        Db.secondDefinitionPoolSize = more->size;
    }
    Db.endingPoolSize = endings->size;
    Db.definitionPoolSize = definitions->size;
    Db.infinitivePoolSize = infinitives->size;
    Db.modelCount = static_cast<int32_t>(models->size / ModelRecordSize);
    const bool tablesMatch = names->size >= 2u * static_cast<uint32_t>(kVerbCount) &&
                             infos->size >= 4u * static_cast<uint32_t>(kVerbCount);
    Db.verbCount = tablesMatch ? kVerbCount : 0;
}

}  // namespace

}  // namespace french
