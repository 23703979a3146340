// Speed of practice, headless, with the real language module:
//   OpenWindow     a practice window made, shown and painted, its record
//                  opened (target: median 100 ms)
//   NextQuestion   Enter on a typed answer until the next question is
//                  painted: checking, recording, choosing (target: 10 ms)
//   StoreWrite     one answer written to the record, in its own
//                  transaction, synced (target: 5 ms)
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "CPracticeWnd.h"
#include "LanguageModule.h"

using namespace practice;

namespace {

struct Fixture {
    QTemporaryDir dir;
    LanguageModule module;
    QMdiArea area;
    int32_t venir = -1;
    Fixture() {
        module.readOnlyDefinitions = true;
        module.Load("French.ldl");
        venir = module.FindVerbIndex("venir");
        area.resize(1000, 800);
        area.show();
    }
    QString StorePath() const { return dir.path() + "/practice.sqlite"; }
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

void OpenWindow(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state) {
        auto* window = new CPracticeWnd(&f.module, f.venir, f.StorePath());
        f.area.addSubWindow(window);
        window->show();
        window->repaint();
        state.PauseTiming();
        delete window;
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(OpenWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

void NextQuestion(benchmark::State& state) {
    Fixture& f = Shared();
    auto* window = new CPracticeWnd(&f.module, -1, f.StorePath());
    f.area.addSubWindow(window);
    window->show();
    window->VerbSourceBox()->setCurrentIndex(CPracticeWnd::AllVerbs);
    window->ModeBox()->setCurrentIndex(0);
    window->CountBox()->setValue(500);
    window->SetSeed(1);
    window->StartSession();
    for (auto _ : state) {
        if (window->CurrentPage() != CPracticeWnd::QuestionPage) {
            state.PauseTiming();
            window->StartSession();
            state.ResumeTiming();
        }
        window->AnswerField()->setText(QString::fromStdString(window->Session()->Current().answer));
        QTest::keyClick(window->AnswerField(), Qt::Key_Return);
        QTest::keyClick(window->AnswerField(), Qt::Key_Return);
        window->repaint();
    }
    delete window;
}
BENCHMARK(NextQuestion)->Unit(benchmark::kMillisecond)->UseRealTime();

void StoreWrite(benchmark::State& state) {
    Fixture& f = Shared();
    PracticeStore store;
    store.Open(f.StorePath());
    int i = 0;
    for (auto _ : state) {
        ++i;
        store.RecordAnswer({i % 6000, false, false, i % 84}, "verbe", 0,
                           i % 3 ? Verdict::Right : Verdict::Wrong, "réponse", 20000, int64_t(i));
    }
}
BENCHMARK(StoreWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
