// Speed and memory of the desktop program, headless:
//   StartupToFirstPaint  process start until the main window is shown with
//                        its first verb window painted (target: median 400 ms),
//                        with the resident memory at that moment (target 100 MB)
//   ChooseVerb           choosing another verb in the verb box until the verb
//                        window has repainted (target: median 5 ms)
//   TypeVerb             the same, by the whole infinitive typed in the box
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <memory>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "BenchProgram.h"
#include "CChildFrame.h"
#include "CMainFrame.h"
#include "PageView.h"
#include "Registry.h"
#include "VerbComboBox.h"

extern char** environ;

namespace {

std::string ProgramDirectory;

void StartupToFirstPaint(benchmark::State& state) {
    const std::string probe = ProgramDirectory + "/plimo-startup-probe";
    long residentKb = 0;
    for (auto _ : state) {
        int fds[2];
        if (pipe(fds) != 0) {
            state.SkipWithError("pipe failed");
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        char* args[] = {const_cast<char*>(probe.c_str()), nullptr};
        const auto start = std::chrono::steady_clock::now();
        pid_t pid = 0;
        if (posix_spawn(&pid, probe.c_str(), &actions, nullptr, args, environ) != 0) {
            state.SkipWithError("cannot start plimo-startup-probe");
            return;
        }
        close(fds[1]);
        char line[128] = {};
        FILE* out = fdopen(fds[0], "r");
        bool painted = out && std::fgets(line, sizeof line, out) != nullptr;
        const auto end = std::chrono::steady_clock::now();
        if (out) fclose(out);
        int status = 0;
        waitpid(pid, &status, 0);
        posix_spawn_file_actions_destroy(&actions);
        if (!painted || std::sscanf(line, "painted %ld", &residentKb) != 1) {
            state.SkipWithError("the probe did not paint a verb window");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
    state.counters["resident_MB"] = double(residentKb) / 1024.0;
}
BENCHMARK(StartupToFirstPaint)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(15)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

// A running program shared by the in-process benchmarks.
struct RunningProgram {
    CMainFrame* frame = nullptr;
    CChildFrame* window = nullptr;
    VerbComboBox* combo = nullptr;
};

RunningProgram& Program() {
    static RunningProgram program = [] {
        RunningProgram p;
        p.frame = bench_program::Frame();
        if (p.frame == nullptr) return p;
        p.window = p.frame->ActiveVerbWindow();
        p.combo = p.frame->VerbCombo(0);
        return p;
    }();
    return program;
}

void ChooseVerb(benchmark::State& state) {
    RunningProgram& p = Program();
    if (!p.window) {
        state.SkipWithError("the program did not start");
        return;
    }
    const int count = p.combo->count();
    int index = 0;
    for (auto _ : state) {
        index = (index + 37) % count;
        p.combo->setCurrentIndex(index);
        emit p.combo->activated(index);
        p.window->View()->viewport()->repaint();
    }
    if (p.window->VerbIndex() != index) state.SkipWithError("the verb was not shown");
}
BENCHMARK(ChooseVerb)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

void TypeVerb(benchmark::State& state) {
    RunningProgram& p = Program();
    if (!p.window) {
        state.SkipWithError("the program did not start");
        return;
    }
    const int count = p.combo->count();
    int index = 0;
    for (auto _ : state) {
        state.PauseTiming();
        index = (index + 53) % count;
        const QString name = p.combo->itemText(index);
        state.ResumeTiming();
        p.combo->lineEdit()->setText(name);
        p.combo->OnTextEdited();
        p.window->View()->viewport()->repaint();
    }
}
BENCHMARK(TypeVerb)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    ProgramDirectory = QFileInfo(QString::fromLocal8Bit(argv[0])).absolutePath().toStdString();
    return bench_program::Run(argc, argv);
}
