#include "DatabaseBuilder.h"

#include <set>
#include <unordered_map>

#include "../src/DatabaseFormat.h"

namespace dbc {
namespace {

constexpr size_t kMax16BitOffset = 0xFFFF;

void Put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void PutString(std::vector<uint8_t>& out, const std::string& text) {
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(0);
}

// EndingPool with shared strings; offset 0 is the empty string.
class EndingPoolBuilder {
public:
    EndingPoolBuilder() {
        pool_.push_back(0);
        offsets_[""] = 0;
    }

    uint32_t Add(const std::string& ending, const std::string& where) {
        const auto it = offsets_.find(ending);
        if (it != offsets_.end()) return it->second;
        const size_t offset = pool_.size();
        if (offset > kMax16BitOffset) throw DataError(where + ": the ending pool is full");
        PutString(pool_, ending);
        offsets_[ending] = static_cast<uint32_t>(offset);
        return static_cast<uint32_t>(offset);
    }

    std::vector<uint8_t> Take() { return std::move(pool_); }
    int32_t Count() const { return static_cast<int32_t>(offsets_.size()); }

private:
    std::vector<uint8_t> pool_;
    std::unordered_map<std::string, uint32_t> offsets_;
};

void CheckModel(const Model& model, const std::map<int, Model>& models) {
    if (!model.isParadigmPair) return;
    for (int p : model.paradigms) {
        const auto it = models.find(p);
        if (it == models.end() || it->second.empty || it->second.isParadigmPair)
            throw DataError(model.source + ": paradigm " + std::to_string(p) + " must be an ordinary model");
    }
}

void CheckVerb(const Verb& verb, const std::map<int, Model>& models, const std::set<int>& paradigmModels) {
    const auto it = models.find(verb.model);
    if (it == models.end() || it->second.empty)
        throw DataError(verb.source + ": '" + verb.infinitive + "' uses model " + std::to_string(verb.model) +
                        ", which has no endings");
    if (paradigmModels.count(verb.model))
        throw DataError(verb.source + ": model " + std::to_string(verb.model) +
                        " is one paradigm of a pair; use the pair's model");
    const Model& model = it->second;
    const auto checkLength = [&](const Model& m) {
        const size_t strip = m.flags & french::StripCountMask;
        const size_t caretOffset = (m.flags >> french::CaretOffsetShift) & 7;
        if (verb.infinitive.size() < strip || verb.infinitive.size() < caretOffset)
            throw DataError(verb.source + ": '" + verb.infinitive + "' is too short for model " +
                            std::to_string(m.number));
        if (verb.infinitive.size() - strip > 19)
            throw DataError(verb.source + ": the stem of '" + verb.infinitive + "' is over 19 characters");
    };
    if (model.isParadigmPair) {
        checkLength(models.at(model.paradigms[0]));
        checkLength(models.at(model.paradigms[1]));
    } else {
        checkLength(model);
    }
    // Bit 18 is the pronominal-only mark, or "être first" in a kind with the
    // avoir/être variants: each mark is refused where it would read as the other.
    const bool variants =
        verb.kind == 1 || verb.kind == 8 || verb.kind == 10 || verb.kind == 11 || verb.kind == 12;
    if (verb.etreFirst && !variants)
        throw DataError(verb.source + ": '" + verb.infinitive +
                        "' has no avoir/être variants to put être first");
    if (verb.pronominalOnly && variants)
        throw DataError(verb.source + ": '" + verb.infinitive +
                        "' is pronominal-only, so it has no avoir/être variants");
    // Bit 19 limits the pronominal form (+m) of a verb that has one, and marks
    // the invariable participle (+i) of a kind-0 verb that has none.
    const bool plainOnly = verb.kind == 0 && !verb.pronominalOnly;
    if (verb.invariableParticiple && !plainOnly)
        throw DataError(verb.source + ": '" + verb.infinitive +
                        "': +i is for kind-0 verbs without a pronominal form");
    if (verb.pronominalSimpleTenses && plainOnly)
        throw DataError(verb.source + ": '" + verb.infinitive + "' has no pronominal form for +m to limit");
    // A reciprocal verb is stored as a pronominal-only verb of kind 2; only
    // the ordinary pronominal kind may become that without losing anything.
    if (verb.reciprocal && !(verb.pronominalOnly && verb.kind == 3))
        throw DataError(verb.source + ": '" + verb.infinitive +
                        "' is reciprocal: pronominal-only (+p) and kind 3");
}

// Every model number up to the last is defined, each pair names two
// ordinary models, and the auxiliaries have endings. Returns the models that
// are one paradigm of a pair.
std::set<int> CheckModels(const std::map<int, Model>& models) {
    if (models.empty()) throw DataError("no models");
    const int modelCount = models.rbegin()->first + 1;
    std::set<int> paradigmModels;
    for (int n = 0; n < modelCount; ++n) {
        if (!models.count(n))
            throw DataError("model " + std::to_string(n) + " is not defined (use an empty block)");
        CheckModel(models.at(n), models);
        if (models.at(n).isParadigmPair) {
            paradigmModels.insert(models.at(n).paradigms[0]);
            paradigmModels.insert(models.at(n).paradigms[1]);
        }
    }
    for (int required : {french::AuxiliaryAvoirModel, french::AuxiliaryEtreModel})
        if (required >= modelCount || models.at(required).empty)
            throw DataError("the auxiliary model " + std::to_string(required) + " is required");
    return paradigmModels;
}

// Entry `e` of a model record: the offset of an ending in the pool; for a
// pair of paradigms their model numbers (entries 0 and 1) and their labels
// (2 and 3, one or two letters, low byte first).
uint32_t ModelEntryValue(const Model& model, int e, EndingPoolBuilder& endings) {
    if (!model.isParadigmPair) return endings.Add(model.endings[e], model.source);
    if (e < 2) return static_cast<uint32_t>(model.paradigms[e]);
    if (e >= 4) return 0;
    const std::string& label = model.labels[e - 2];
    uint32_t value = static_cast<uint8_t>(label[0]);
    if (label.size() > 1) value |= static_cast<uint32_t>(static_cast<uint8_t>(label[1])) << 8;
    return value;
}

// The model table and the ending pool it points into.
void PutModels(const std::map<int, Model>& models, Database& db) {
    const int modelCount = models.rbegin()->first + 1;
    EndingPoolBuilder endings;
    for (int n = 0; n < modelCount; ++n) {
        const Model& model = models.at(n);
        Put32(db.modelTable, model.flags);
        for (int e = 0; e < french::EndingCount; ++e)
            Put16(db.modelTable, ModelEntryValue(model, e, endings));
    }
    db.endingCount = endings.Count();
    db.endingPool = endings.Take();
    db.modelCount = modelCount;
}

void PutInfinitive(const Verb& verb, Database& db) {
    const size_t nameOffset = db.infinitivePool.size();
    if (nameOffset > kMax16BitOffset)
        throw DataError(verb.source + ": the infinitive pool is full (16-bit offsets); drop some verbs");
    PutString(db.infinitivePool, verb.infinitive);
    Put16(db.verbNameIndex, static_cast<uint32_t>(nameOffset));
}

// Stores a verb's two definitions in the first pool while its offsets reach,
// then in the second; returns the VerbInfo bits that find them.
uint32_t PutDefinition(const Definition& definition, Database& db) {
    const bool second = db.definitionPool.size() + 1 > french::DefinitionRefMask;
    std::vector<uint8_t>& pool = second ? db.secondDefinitionPool : db.definitionPool;
    const size_t ref = pool.size() + 1;
    if (ref > french::DefinitionRefMask)
        throw DataError(definition.source + ": both definition pools are full");
    PutString(pool, definition.plain);
    PutString(pool, definition.pronominal);
    ++db.definedVerbs;
    return static_cast<uint32_t>(ref) | (second ? french::SecondDefinitionPoolBit : 0);
}

// The VerbInfo bits of a verb's marks, kind and model.
uint32_t VerbBits(const Verb& verb) {
    uint32_t info = 0;
    if (verb.hAspire) info |= french::HAspireBit;
    if (verb.pronominalOnly) info |= french::PronominalOnlyBit;
    if (verb.etreFirst) info |= french::EtreFirstBit;
    if (verb.pronominalSimpleTenses) info |= french::PronominalSimpleTensesBit;
    if (verb.invariableParticiple) info |= french::InvariableParticipleBit;
    info |= static_cast<uint32_t>(verb.reciprocal ? french::ReciprocalKind : verb.kind) << french::KindShift;
    info |= static_cast<uint32_t>(verb.model) << french::ModelShift;
    return info;
}

// The verb tables, the infinitives and the definitions; a definition whose
// verb is not in the list is reported as unused.
void PutVerbs(const std::map<int, Model>& models, const std::set<int>& paradigmModels,
              const std::vector<Verb>& verbs, const std::map<std::string, Definition>& definitions,
              Database& db) {
    if (verbs.size() < 20) throw DataError("the database needs at least 20 verbs");
    if (verbs.size() > 0xFFFFFF) throw DataError("too many verbs for the 24-bit result index");
    std::map<std::string, int> seenNames;
    std::set<std::string> usedDefinitions;
    for (const Verb& verb : verbs) {
        CheckVerb(verb, models, paradigmModels);
        const int occurrence = ++seenNames[verb.infinitive];
        const std::string key =
            occurrence == 1 ? verb.infinitive : verb.infinitive + "#" + std::to_string(occurrence);
        PutInfinitive(verb, db);
        uint32_t info = VerbBits(verb);
        if (const auto def = definitions.find(key); def != definitions.end()) {
            info |= PutDefinition(def->second, db);
            usedDefinitions.insert(key);
        }
        Put32(db.verbInfoTable, info);
    }
    if (db.infinitivePool.size() > kMax16BitOffset)
        throw DataError("the infinitive pool exceeds 65,535 bytes");
    for (const auto& [key, def] : definitions)
        if (!usedDefinitions.count(key))
            db.warnings.push_back(def.source + ": '" + key + "' is not in the verb list; definition unused");
    db.verbCount = static_cast<int32_t>(verbs.size());
}

}  // namespace

Database BuildDatabase(const std::map<int, Model>& models, const std::vector<Verb>& verbs,
                       const std::map<std::string, Definition>& definitions) {
    Database db;
    const std::set<int> paradigmModels = CheckModels(models);
    PutModels(models, db);
    PutVerbs(models, paradigmModels, verbs, definitions, db);
    return db;
}

}  // namespace dbc
