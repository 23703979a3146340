// Targets: ConjugateVerb on a regular verb <= 1 us; a forms search of the
// whole database <= 20 ms; a definitions search <= 1 ms. A search stops
// conjugating once its list holds 200 entries, so "ons" and "e" finish early;
// the patterns with few or no matches measure the full pass over every verb.
#include <benchmark/benchmark.h>

#include "FrenchModule.h"

using namespace testing_support;

namespace {

void Conjugate(benchmark::State& state, const char* infinitive, bool pronominal, bool alternate) {
    const auto& m = Module();
    const int verb = VerbIndex(infinitive);
    char buffers[FormSlotCount][FormBufferSize];
    char* forms[FormSlotCount];
    for (int s = 0; s < FormSlotCount; ++s) forms[s] = buffers[s];
    char labels[256];
    for (auto _ : state) {
        bool hasAlternate = false, canBePronominal = false, useAlternate = alternate,
             isPronominal = pronominal;
        benchmark::DoNotOptimize(m.ConjugateVerb(verb, false, &hasAlternate, &canBePronominal, &useAlternate,
                                                 &isPronominal, labels, forms));
        benchmark::ClobberMemory();
    }
}
BENCHMARK_CAPTURE(Conjugate, regular_verb, "placer", false, false);
BENCHMARK_CAPTURE(Conjugate, pronominal_two_paradigms, "asseoir", true, true);

void Find(benchmark::State& state, const char* pattern, int32_t flags) {
    const auto& m = Module();
    for (auto _ : state) {
        SearchResultList* list = nullptr;
        m.Find(pattern, flags, &list);
        benchmark::DoNotOptimize(list);
        m.FreeSearchPtr(list);
    }
}
BENCHMARK_CAPTURE(Find, forms_ons, "ons", SearchForms)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Find, forms_e, "e", SearchForms)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Find, forms_whole_word_none, "zzqqzz", SearchForms | WholeWord)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Find, forms_aimerions, "aimerions", SearchForms)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Find, definitions_to_be, "to be", SearchDefinitions)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Find, definitions_none, "zzqqzz", SearchDefinitions)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
