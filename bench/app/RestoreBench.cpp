// Restoring the verb windows of the last run, headless, with the real module:
//   RestoreWindows/N  creating the main frame with N saved verb windows until
//                     it is ready (target: 2,000 windows within 5 s; the time
//                     must grow linearly with N)
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "CMainFrame.h"
#include "Registry.h"

namespace {

void SaveWindows(int count) {
    const std::string key(settings::SettingsKey);
    for (int i = 0; i < count; ++i)
        WriteChildRecord(key + std::string(settings::ChildPrefix) + std::to_string(i),
                         {(i % 20) * 10, (i % 15) * 10, (i % 20) * 10 + 500, (i % 15) * 10 + 400}, 0,
                         "French", i % 2 ? "placer" : "aller", uint32_t(i % 2));
    WriteDword(key, settings::NumberOfChildren, uint32_t(count));
    FlushSettingsRegistry();
}

void RestoreWindows(benchmark::State& state) {
    const int count = int(state.range(0));
    QTemporaryDir workspace;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(workspace.path()));
    QDir::setCurrent(workspace.path());
    CloseSettingsRegistry();
    SaveWindows(count);
    for (auto _ : state) {
        auto frame = std::make_unique<CMainFrame>();
        if (!frame->Create()) return state.SkipWithError("the program did not start");
        frame->show();
        QApplication::processEvents();
        state.PauseTiming();
        frame.reset();  // not saved: the next round restores the same windows
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["per_window_ms"] = benchmark::Counter(
        double(count), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    CloseSettingsRegistry();
}
BENCHMARK(RestoreWindows)
    ->Arg(200)
    ->Arg(2000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
