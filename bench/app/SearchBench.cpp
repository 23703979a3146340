// Speed and memory of search in the desktop program, headless, with the real
// language module:
//   FindForms          OK pressed in the Find dialog until the results window
//                      for "ons" is painted (target: median 50 ms)
//   FindNothing        a full pass that finds nothing, progress window
//                      included (target: median 40 ms)
//   SortResults        sorting a 200-row results window by a column and
//                      repainting it (target: median 5 ms)
//   FiftyResultWindows resident memory added by 50 results windows
//                      (target: 20 MB)
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QTemporaryDir>
#include <fstream>
#include <memory>
#include <string>

#include "BenchProgram.h"
#include "CMainFrame.h"
#include "CResultWnd.h"
#include "CSortingHeaderCtrl.h"
#include "CSortingListCtrl.h"
#include "LanguageModuleAbi.h"
#include "Registry.h"
#include "SearchRun.h"

namespace {

CMainFrame* Frame() { return bench_program::Frame(); }

CResultWnd* Search(const char* text, uint32_t flags = SearchForms) {
    CMainFrame* frame = Frame();
    return RunSearch(frame, frame->MdiArea(), frame->modules[0].get(), flags, text,
                     QString::fromLatin1(text));
}

void CloseResults() {
    if (!Frame()) return;
    for (QMdiSubWindow* window : Frame()->MdiArea()->subWindowList())
        if (qobject_cast<CResultWnd*>(window)) delete window;
}

long ResidentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return 0;
}

// First, so that memory freed by other benchmarks does not hide the growth.
void FiftyResultWindows(benchmark::State& state) {
    if (!Frame()) return state.SkipWithError("the program did not start");
    double grownMb = 0;
    for (auto _ : state) {
        CloseResults();
        QApplication::processEvents();
        const long before = ResidentKb();
        for (int i = 0; i < 50; ++i) {
            CResultWnd* window = Search(i % 2 ? "e" : "ons");
            if (window) window->List()->viewport()->repaint();
        }
        QApplication::processEvents();
        grownMb = double(ResidentKb() - before) / 1024.0;
        state.PauseTiming();
        CloseResults();
        state.ResumeTiming();
    }
    state.counters["grown_MB"] = grownMb;
}
BENCHMARK(FiftyResultWindows)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(1);

void FindForms(benchmark::State& state) {
    if (!Frame()) return state.SkipWithError("the program did not start");
    for (auto _ : state) {
        CResultWnd* window = Search("ons");
        if (window == nullptr) return state.SkipWithError("nothing found");
        window->List()->viewport()->repaint();
        state.PauseTiming();
        delete window;
        state.ResumeTiming();
    }
}
BENCHMARK(FindForms)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

void FindNothing(benchmark::State& state) {
    if (!Frame()) return state.SkipWithError("the program did not start");
    for (auto _ : state) {
        if (Search("qxzw") != nullptr) return state.SkipWithError("something was found");
    }
}
BENCHMARK(FindNothing)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

void SortResults(benchmark::State& state) {
    if (!Frame()) return state.SkipWithError("the program did not start");
    CResultWnd* window = Search("e");
    if (window == nullptr || window->List()->topLevelItemCount() != 200)
        return state.SkipWithError("no 200-row result");
    CSortingListCtrl* list = window->List();
    int column = 0;
    bool ascending = true;
    for (auto _ : state) {
        column = (column + 1) % 3;
        ascending = !ascending;
        list->SortColumn(column, ascending);
        list->heading->SetSortImage(column, ascending);
        list->viewport()->repaint();
        list->header()->viewport()->repaint();
    }
    delete window;
}
BENCHMARK(SortResults)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) { return bench_program::Run(argc, argv, nullptr, CloseResults); }
