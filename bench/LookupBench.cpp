// Targets: the first LookupForm, which builds the index, <= 150 ms and
// <= 30 MB more resident memory; every later lookup <= 3 ms, one-letter
// prefixes and texts without a match (suggestions) included.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "FrenchModule.h"

using namespace testing_support;

namespace {

long ResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return 0;
}

void Lookup(benchmark::State& state, const char* text, int32_t flags) {
    const auto& m = Module();
    const std::string cp = ToCp1252(text);
    for (auto _ : state) {
        SearchResultList* list = nullptr;
        m.LookupForm(cp.c_str(), flags, &list);
        benchmark::DoNotOptimize(list);
        m.FreeSearchPtr(list);
    }
}
BENCHMARK_CAPTURE(Lookup, exact_fumes, "fûmes", 0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Lookup, folded_etions, "etions", IgnoreAccents)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Lookup, participle_ete, "été", IgnoreAccents)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Lookup, prefix_e, "e", LookupPrefix | IgnoreAccents)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Lookup, prefix_a, "a", LookupPrefix)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Lookup, prefix_whole_form, "nous f", LookupPrefix | IgnoreAccents)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Lookup, suggestions, "mangeamse", 0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Lookup, suggestions_prefix, "xq", LookupPrefix)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    // The first lookup, once per process: the index is built only once.
    const long before = ResidentKilobytes();
    const auto start = std::chrono::steady_clock::now();
    SearchResultList* list = nullptr;
    Module().LookupForm("a", 0, &list);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    Module().FreeSearchPtr(list);
    std::printf("first lookup (index build): %.1f ms, resident memory +%.1f MB\n",
                std::chrono::duration<double, std::milli>(elapsed).count(),
                (ResidentKilobytes() - before) / 1024.0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
