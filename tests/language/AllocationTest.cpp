// ConjugateVerb allocates nothing: counted by wrapping the C allocator.
#include <gtest/gtest.h>

#include <atomic>
#include <cstddef>

#include "FrenchModule.h"

extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void __libc_free(void*);
}

namespace {
std::atomic<long> allocations{0};
}

extern "C" {
void* malloc(size_t n) {
    ++allocations;
    return __libc_malloc(n);
}
void* calloc(size_t n, size_t m) {
    ++allocations;
    return __libc_calloc(n, m);
}
void* realloc(void* p, size_t n) {
    ++allocations;
    return __libc_realloc(p, n);
}
void free(void* p) { __libc_free(p); }
}

using namespace testing_support;

TEST(Allocation, ConjugateVerbNeverAllocates) {
    const auto& m = Module();
    const int placer = VerbIndex("placer");
    const int asseoir = VerbIndex("asseoir");
    char buffers[FormSlotCount][FormBufferSize];
    char* forms[FormSlotCount];
    for (int s = 0; s < FormSlotCount; ++s) forms[s] = buffers[s];
    char labels[256];
    bool hasAlternate = false, canBePronominal = false, useAlternate = false, pronominal = false;

    const long before = allocations.load();
    for (int verb : {placer, asseoir})
        for (int variant = 0; variant < 4; ++variant) {
            useAlternate = variant & 1;
            pronominal = variant & 2;
            ASSERT_TRUE(m.ConjugateVerb(verb, false, &hasAlternate, &canBePronominal, &useAlternate,
                                        &pronominal, labels, forms));
        }
    EXPECT_EQ(allocations.load(), before);

    // The counter does count: a search allocates its work buffers and list.
    SearchResultList* list = nullptr;
    m.Find("zzqqzz", SearchForms, &list);
    EXPECT_GT(allocations.load(), before);
    m.FreeSearchPtr(list);
}
