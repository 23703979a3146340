// Locating the database when the module is loaded.
#include "Database.h"

#include "platform/ResourceDirectory.h"

extern "C" const ResourceDirectory PlimoResourceDirectory;

namespace french {

extern const int32_t kVerbCount;

DatabaseView Db;

namespace {

const ResourceEntry* FindBlob(int32_t id) {
    for (uint32_t i = 0; i < PlimoResourceDirectory.count; ++i) {
        const ResourceEntry& e = PlimoResourceDirectory.entries[i];
        if (e.id == id && std::strcmp(e.type, "PLIMO") == 0) return &e;
    }
    return nullptr;
}

const uint8_t* BlobData(const ResourceEntry* e) {
    return e ? static_cast<const uint8_t*>(e->data) : nullptr;
}

// Stands in for the process-attach notification: find the six blobs, in the
// order the module has always loaded them, and keep pointers to them. Nothing
// is parsed or copied. A blob that is missing leaves the module with no verbs
// rather than with dangling pointers.
__attribute__((constructor)) void AttachDatabase() {
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
