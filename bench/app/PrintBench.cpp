// Speed of printing a verb page, headless, with the real language module:
//   PrintPage600Dpi   drawing one page on a 600-dpi PDF printer
//                     (target: median 20 ms)
//   PrintCommandToPdf the print command from the print dialog's OK to the
//                     finished PDF file: Printing dialog, page, end of the
//                     job, the file checked (target: median 300 ms)
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <memory>

#include "BenchProgram.h"
#include "CChildFrame.h"
#include "CMainFrame.h"
#include "PrintCommand.h"
#include "Registry.h"

namespace {

QString OutputFolder;

struct RunningProgram {
    CMainFrame* frame = nullptr;
    CChildFrame* window = nullptr;
};

RunningProgram& Program() {
    static RunningProgram program = [] {
        RunningProgram p;
        p.frame = bench_program::Frame();
        if (p.frame == nullptr) return p;
        p.window = p.frame->ActiveVerbWindow();
        if (p.window) {
            // A long page: a pronominal verb with every person.
            p.window->SetVerb(p.window->Module()->FindVerbIndex("asseoir"));
            p.window->SetPronominal(true);
        }
        return p;
    }();
    return program;
}

void UsePdf(QPrinter& printer, const QString& name) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(600);
    printer.setOutputFileName(OutputFolder + QLatin1Char('/') + name);
}

void PrintPage600Dpi(benchmark::State& state) {
    RunningProgram& p = Program();
    if (!p.window) {
        state.SkipWithError("the program did not start");
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    UsePdf(printer, QStringLiteral("pages.pdf"));
    QPainter painter(&printer);
    for (auto _ : state) {
        p.window->PrintPage(painter);
        state.PauseTiming();
        printer.newPage();
        state.ResumeTiming();
    }
    painter.end();
}
BENCHMARK(PrintPage600Dpi)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

void PrintCommandToPdf(benchmark::State& state) {
    RunningProgram& p = Program();
    if (!p.window) {
        state.SkipWithError("the program did not start");
        return;
    }
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        UsePdf(printer, QStringLiteral("page.pdf"));
        printer.setDocName(p.window->windowTitle());
        if (!PrintVerbPage(p.frame, *p.window, printer)) {
            state.SkipWithError("the page was not printed");
            return;
        }
    }
}
BENCHMARK(PrintCommandToPdf)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) { return bench_program::Run(argc, argv, &OutputFolder); }
