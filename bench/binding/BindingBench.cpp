// Speed of LanguageModule::Load with a large definitions file, and of
// plimo-conj --all over the whole database.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "ConjProgram.h"
#include "LanguageModule.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

// A working directory of its own for the definitions file.
struct Workspace {
    fs::path previous = fs::current_path();
    fs::path dir;
    Workspace() {
        std::string pattern = (fs::temp_directory_path() / "plimo-bench-XXXXXX").string();
        dir = mkdtemp(pattern.data());
        fs::current_path(dir);
    }
    ~Workspace() {
        fs::current_path(previous);
        fs::remove_all(dir);
    }
};

// A definitions file of 2,000 lines, for real verbs of the module.
void WriteDefinitions(int lines) {
    LanguageModule module;
    module.readOnlyDefinitions = true;
    if (!module.Load("French.ldl")) return;
    std::ofstream out("French.txt", std::ios::binary);
    out << DefinitionsFileHeader << "\r\n";
    int32_t count = module.GetVerbCount();
    for (int i = 0; i < lines && count > 0; ++i)
        out << module.GetVerb(i % count) << ',' << (i / count) % 2
            << ",to do something rather particular, often with care (" << i << ")\r\n";
}

void BM_LoadWithDefinitions(benchmark::State& state) {
    Workspace workspace;
    WriteDefinitions(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        LanguageModule module;
        module.readOnlyDefinitions = state.range(1) != 0;
        if (!module.Load("French.ldl")) {
            state.SkipWithError("French.ldl could not be loaded");
            break;
        }
        benchmark::DoNotOptimize(module.UserDefinitions().size());
        state.PauseTiming();
        module.Unload();  // no change: writes nothing
        state.ResumeTiming();
    }
}
// Second argument 1: the definitions file is only read (plimo-conj).
BENCHMARK(BM_LoadWithDefinitions)
    ->Args({2000, 0})
    ->Args({2000, 1})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5);

// One definition changed and saved into a file of N lines: the file is read
// again, the line replaced and the whole written atomically (with its fsync),
// as the program does 0.4 s after an edit.
void BM_SaveOneChange(benchmark::State& state) {
    Workspace workspace;
    WriteDefinitions(static_cast<int>(state.range(0)));
    LanguageModule module;
    if (!module.Load("French.ldl")) {
        state.SkipWithError("French.ldl could not be loaded");
        return;
    }
    int n = 0;
    for (auto _ : state) {
        module.SetEnglishDefinition(1, false, "to place, " + std::to_string(++n));
        if (!module.SaveDefinitions()) state.SkipWithError("the save failed");
    }
}
BENCHMARK(BM_SaveOneChange)->Arg(10)->Arg(2000)->Unit(benchmark::kMillisecond);

void BM_ConjAllInProcess(benchmark::State& state) {
    Workspace workspace;
    std::FILE* devNull = std::fopen("/dev/null", "w");
    for (auto _ : state) {
        int code = RunConj({"--all"}, devNull, devNull);
        if (code != 0) state.SkipWithError("plimo-conj --all failed");
    }
    std::fclose(devNull);
}
BENCHMARK(BM_ConjAllInProcess)->Unit(benchmark::kMillisecond)->Repetitions(5);

// The whole program, as a user runs it: plimo-conj --all > /dev/null.
void BM_PlimoConjAllProgram(benchmark::State& state) {
    Workspace workspace;
    std::string program = platform::ProgramDirectory() + "/plimo-conj";
    for (auto _ : state) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        char* argv[] = {program.data(), const_cast<char*>("--all"), nullptr};
        pid_t pid;
        int error = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        if (error != 0) {
            state.SkipWithError("plimo-conj could not be started");
            break;
        }
        int status = 0;
        waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) state.SkipWithError("plimo-conj failed");
    }
}
BENCHMARK(BM_PlimoConjAllProgram)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);

void BM_FindVerbIndexLastVerb(benchmark::State& state) {
    Workspace workspace;
    LanguageModule module;
    module.readOnlyDefinitions = true;
    if (!module.Load("French.ldl")) {
        state.SkipWithError("French.ldl could not be loaded");
        return;
    }
    std::string last = module.GetVerb(module.GetVerbCount() - 1);
    for (auto _ : state) benchmark::DoNotOptimize(module.FindVerbIndex(last));
}
BENCHMARK(BM_FindVerbIndexLastVerb)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
