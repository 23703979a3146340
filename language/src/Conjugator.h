// The conjugation engine behind the ConjugateVerb export.
#pragma once

#include <cstdint>

namespace french {

bool Conjugate(int32_t verbIndex, bool suppressPlaceholders, bool* hasAlternate, bool* canBePronominal,
               bool* useAlternate, bool* pronominal, char* alternateLabels, char** forms);

}  // namespace french
