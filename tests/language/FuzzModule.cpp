// libFuzzer targets: ConjugateVerb arguments and Find patterns and flags.
// fuzz-french handles the arguments fast: it never makes a full pass over
// the forms (only searches of the definitions, and form searches that end
// at once); fuzz-french-search (FUZZ_FULL_PASSES) makes a full pass over
// every form for each input, so it runs a small sample of them.
#include <cstdint>
#include <cstring>
#include <string>

#include "FrenchModule.h"

using namespace testing_support;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto& m = Module();
    if (size < 6) return 0;
    int32_t value;
    std::memcpy(&value, data, 4);
    const uint8_t switches = data[4];

    // ConjugateVerb with any index and flag bytes; the index mostly in range.
    int32_t index =
        (switches & 0x80) ? value : static_cast<int32_t>(static_cast<uint32_t>(value) % m.GetVerbCount());
    char buffers[FormSlotCount][FormBufferSize];
    char* forms[FormSlotCount];
    for (int s = 0; s < FormSlotCount; ++s) forms[s] = buffers[s];
    char labels[6];
    bool hasAlternate = false, canBePronominal = false;
    bool useAlternate = switches & 1, pronominal = switches & 2;
    m.ConjugateVerb(index, switches & 4, &hasAlternate, &canBePronominal, &useAlternate, &pronominal,
                    (switches & 8) ? labels : nullptr, forms);

    // Find with the rest as the pattern.
    const std::string pattern(reinterpret_cast<const char*>(data + 5), size - 5);
    int32_t flags = value;
#ifdef FUZZ_FULL_PASSES
    flags |= SearchForms;
#else
    if (std::strlen(pattern.c_str()) < 64) flags &= ~SearchForms;
#endif
    SearchResultList* list = nullptr;
    m.Find(pattern.c_str(), flags, &list);
    if (list) {
        for (int i = 0; i < list->count; ++i) (void)std::strlen(list->texts[i]);
        m.FreeSearchPtr(list);
    }
    return 0;
}
