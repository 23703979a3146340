// Target: loading the module until the first GetVerbCount answers <= 5 ms.
#include <benchmark/benchmark.h>

#include "LanguageModuleAbi.h"
#include "platform/ModuleLoader.h"

namespace {

void BM_LoadModule(benchmark::State& state) {
    for (auto _ : state) {
        platform::ModuleHandle module = platform::LoadModule(FRENCH_MODULE_PATH);
        if (!module) {
            state.SkipWithError("cannot load the module");
            break;
        }
        auto count = reinterpret_cast<GetVerbCountFn>(platform::FindEntryPoint(module, "GetVerbCount"));
        benchmark::DoNotOptimize(count());
        state.PauseTiming();
        platform::FreeModule(module);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LoadModule)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
