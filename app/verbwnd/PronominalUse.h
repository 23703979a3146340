// Whether a verb has a pronominal form, and whether that is its only form:
// the module tells it when asked for the verb's plain form.
#pragma once

#include <cstdint>

class LanguageModule;

enum class PronominalUse { None, Possible, Only };

PronominalUse PronominalUseOf(const LanguageModule* module, int32_t verbIndex);
