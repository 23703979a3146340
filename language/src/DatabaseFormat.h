// Layout of the verb database blobs, shared by the engine and the database
// compiler. Every integer is little-endian; every text Windows-1252.
#pragma once

#include <cstdint>

namespace french {

// Resource ids of the blobs (type "PLIMO").
enum BlobId : int32_t {
    ModelTableId = 200,
    EndingPoolId = 201,
    DefinitionPoolId = 202,
    VerbNameIndexId = 203,
    VerbInfoTableId = 204,
    InfinitivePoolId = 205,
    // The definitions that no longer fit the first pool, in the same layout
    // (two strings per defined verb).
    SecondDefinitionPoolId = 206,
};

inline constexpr int32_t IconResourceId = 10000;
inline constexpr int32_t BitmapResourceId = 10001;

// VerbInfo: one 32-bit word per verb.
inline constexpr uint32_t DefinitionRefMask = 0x1FFFF;   // bits 0-16
inline constexpr uint32_t HAspireBit = 1u << 17;         // h aspiré: no elision before the verb
inline constexpr uint32_t PronominalOnlyBit = 1u << 18;  // exists only as a pronominal verb
// A verb whose kind has the avoir/être variants (1, 8, 10, 11, 12) cannot be
// pronominal-only: its pronominal form, where it has one, takes être alone.
// There bit 18 says instead that être is the first variant ("je suis entré",
// then "j'ai entré"); the labels come as "E", "A".
inline constexpr uint32_t EtreFirstBit = 1u << 18;
// The pronominal form lives only in the present, imperfect, future, present
// subjunctive, conditional and present participle: "elle se meurt" but
// never "elle s'est morte".
inline constexpr uint32_t PronominalSimpleTensesBit = 1u << 19;
// A verb of kind 0 that is not pronominal-only has no pronominal form, so
// bit 19 cannot limit one; there it says that the verb takes no direct
// object and its participle never agrees: the participle line shows no
// feminine (existé, semblé, lutté, as dormi and nui).
inline constexpr uint32_t InvariableParticipleBit = 1u << 19;
// The verb's definitions are in the second definition pool (blob 206);
// definitionRef is then 1 + the offset of the plain definition in that pool.
inline constexpr uint32_t SecondDefinitionPoolBit = 1u << 20;
inline constexpr int KindShift = 21;  // bits 21-24
// A pronominal-only verb never shows its plain form, so the auxiliary its
// kind gives the plain form is idle. Kind 2 (être, no pronominal form) on a
// pronominal-only verb marks a reciprocal verb (s'entraider, s'entre-tuer):
// it has the plural persons and a collective third singular, no je, no tu,
// and no imperative for tu.
inline constexpr int ReciprocalKind = 2;
inline constexpr uint32_t KindMask = 0xF;
inline constexpr int ModelShift = 25;  // bits 25-31
inline constexpr uint32_t ModelMask = 0x7F;

// ConjugationModel: a flag word and 54 offsets into EndingPool.
inline constexpr int EndingCount = 54;
inline constexpr int ModelRecordSize = 4 + 2 * EndingCount;  // 112

inline constexpr uint32_t StripCountMask = 0x7;  // bits 0-2
inline constexpr int CaretOffsetShift = 3;       // bits 3-5
inline constexpr int CaretLengthShift = 6;       // bits 6-8
inline constexpr uint32_t NoAgreement = 1u << 9;
inline constexpr int MissingTenseShift = 10;  // bits 10-23: tense t at bit 10 + t
inline constexpr uint32_t NoImperative = 1u << 24;
inline constexpr uint32_t NoPresentParticiple = 1u << 25;
inline constexpr uint32_t NoCompoundParticiple = 1u << 26;
inline constexpr uint32_t Impersonal = 1u << 28;
inline constexpr uint32_t ThirdPersonOnly = 1u << 29;
inline constexpr uint32_t CaSubject = 1u << 30;
inline constexpr uint32_t TwoParadigms = 1u << 31;

// Ending entries.
inline constexpr int ImperativeEnding = 42;      // 42-44: tu, nous, vous
inline constexpr int PastParticipleEnding = 48;  // masculine singular
inline constexpr int FeminineParticipleEnding = 49;
inline constexpr int PluralParticipleEnding = 50;  // masculine plural
inline constexpr int FeminineSuffixEnding = 51;    // shown after the participle: "placé, ée"
inline constexpr int PresentParticipleEnding = 52;

// Model numbers the engine relies on.
inline constexpr int AuxiliaryAvoirModel = 30;
inline constexpr int AuxiliaryEtreModel = 99;

// The tenses, persons and slots that callers see are in the interface
// header (LanguageModuleAbi.h).

}  // namespace french
