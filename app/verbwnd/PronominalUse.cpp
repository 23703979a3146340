#include "PronominalUse.h"

#include <array>

#include "CChildFrame.h"
#include "LanguageModule.h"

PronominalUse PronominalUseOf(const LanguageModule* module, int32_t verbIndex) {
    if (module == nullptr || verbIndex < 0 || verbIndex >= module->GetVerbCount()) return PronominalUse::None;
    // Scratch buffers for one conjugation of the plain form.
    static char forms[CChildFrame::FormCount][CChildFrame::FormSize];
    std::array<char*, CChildFrame::FormCount> pointers{};
    for (int i = 0; i < CChildFrame::FormCount; ++i) pointers[size_t(i)] = forms[i];
    char labels[CChildFrame::LabelBufferSize] = {};
    bool hasAlternate = false, canBePronominal = false, useAlternate = false, pronominal = false;
    if (!module->ConjugateVerb(verbIndex, false, &hasAlternate, &canBePronominal, &useAlternate, &pronominal,
                               labels, pointers.data()))
        return PronominalUse::None;
    if (!canBePronominal) return PronominalUse::None;
    return pronominal ? PronominalUse::Only : PronominalUse::Possible;
}
