// The desktop program inside a benchmark process: headless, with its
// settings and definitions in a temporary folder of their own, the main frame
// made on first use and gone before the application is.
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdlib>
#include <memory>

#include "CMainFrame.h"
#include "Registry.h"

namespace bench_program {

inline std::unique_ptr<CMainFrame>& Holder() {
    static std::unique_ptr<CMainFrame> frame;
    return frame;
}

// The running main frame with the real module; null when it cannot start.
inline CMainFrame* Frame() {
    static bool tried = false;
    if (!tried) {
        tried = true;
        auto frame = std::make_unique<CMainFrame>();
        if (frame->Create()) {
            frame->show();
            QApplication::processEvents();
            Holder() = std::move(frame);
        }
    }
    return Holder().get();
}

// Runs the benchmarks of this process; `folder`, when given, receives the
// temporary folder the program works in. `beforeEnd` runs before the frame
// is deleted.
template <typename BeforeEnd = void (*)()>
int Run(
    int argc, char** argv, QString* folder = nullptr, BeforeEnd beforeEnd = [] {}) {
    QTemporaryDir workspace;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("XDG_CONFIG_HOME", QFile::encodeName(workspace.path()).constData(), 1);
    if (folder != nullptr) *folder = workspace.path();
    QDir::setCurrent(workspace.path());
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (Holder()) beforeEnd();
    Holder().reset();
    CloseSettingsRegistry();
    return 0;
}

}  // namespace bench_program
