// C callers, built on the interface header alone (AbiFromC.c as C89 and as
// C11), drive the real module and a platform message target.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

// First, so that this file's message target is the platform layer's and the
// C files' the interface header's: the test then shows that they agree.
#include "platform/CallbackMessageTarget.h"

#include "FrenchModule.h"

extern "C" {
int ConjugateFromC_c90(ConjugateVerbFn, int32_t, int, int, char (*)[FormBufferSize], char*, int*);
int ConjugateFromC_c11(ConjugateVerbFn, int32_t, int, int, char (*)[FormBufferSize], char*, int*);
intptr_t SendProgressFromC_c90(HWND, uintptr_t);
intptr_t SendProgressFromC_c11(HWND, uintptr_t);
}

using namespace testing_support;

namespace {

using ConjugateFromC = int (*)(ConjugateVerbFn, int32_t, int, int, char (*)[FormBufferSize], char*, int*);
using SendProgressFromC = intptr_t (*)(HWND, uintptr_t);

struct CCaller {
    const char* name;
    ConjugateFromC conjugate;
    SendProgressFromC sendProgress;
};

const CCaller kCallers[] = {{"C89", ConjugateFromC_c90, SendProgressFromC_c90},
                            {"C11", ConjugateFromC_c11, SendProgressFromC_c11}};

TEST(AbiFromC, BoolsCrossTheBoundaryAsOneByte) {
    for (const CCaller& caller : kCallers) {
        SCOPED_TRACE(caller.name);
        char forms[FormSlotCount][FormBufferSize] = {};
        char labels[AlternateLabelsMinSize + 2];
        std::memset(labels, 'x', sizeof labels);
        int outputs[3] = {-1, -1, -1};
        // Both variants and the pronominal form asked for, and kept.
        ASSERT_EQ(
            caller.conjugate(Module().ConjugateVerb, VerbIndex("asseoir"), 1, 1, forms, labels, outputs), 1);
        EXPECT_EQ(outputs[0], 1);  // hasAlternate
        EXPECT_EQ(outputs[1], 1);  // canBePronominal
        EXPECT_EQ(outputs[2], 1);  // pronominal
        EXPECT_EQ(ToUtf8(forms[0]), "je m'assois");
        EXPECT_EQ(std::string(labels, 6), std::string("IE\0OI\0", 6));
        // The pronominal form asked for a verb without one: the module writes false.
        ASSERT_EQ(
            caller.conjugate(Module().ConjugateVerb, VerbIndex("exister"), 0, 1, forms, labels, outputs), 1);
        EXPECT_EQ(outputs[0], 0);
        EXPECT_EQ(outputs[1], 0);
        EXPECT_EQ(outputs[2], 0);
        EXPECT_EQ(ToUtf8(forms[0]), "j'existe");
        EXPECT_EQ(
            caller.conjugate(Module().ConjugateVerb, Module().GetVerbCount(), 0, 0, forms, labels, outputs),
            0);
    }
}

TEST(AbiFromC, TheHeadersMessageTargetIsThePlatformsOwn) {
    for (const CCaller& caller : kCallers) {
        SCOPED_TRACE(caller.name);
        uint32_t message = 0;
        uintptr_t percent = 0;
        platform::CallbackMessageTarget target(
            [&](uint32_t m, uintptr_t wParam, intptr_t lParam) -> intptr_t {
                message = m;
                percent = wParam;
                return lParam == 0 ? 7 : -1;
            });
        EXPECT_EQ(caller.sendProgress(target.handle(), 42), 7);
        EXPECT_EQ(message, 0x0400u);
        EXPECT_EQ(percent, 42u);
    }
}

}  // namespace
