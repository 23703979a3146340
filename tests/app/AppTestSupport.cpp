#include "AppTestSupport.h"

#include <QApplication>
#include <QDir>
#include <QTest>

#include "CMainFrame.h"
#include "ProgramObjects.h"
#include "Registry.h"
#include "UserMessage.h"

TestWorkspace::TestWorkspace() {
    previousDir = QDir::currentPath();
    QDir(dir.path()).mkpath(QStringLiteral("config"));
    QDir(dir.path()).mkpath(QStringLiteral("work"));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path() + QStringLiteral("/config")));
    QDir::setCurrent(WorkDir());
    CloseSettingsRegistry();
}

TestWorkspace::~TestWorkspace() {
    CloseSettingsRegistry();
    QDir::setCurrent(previousDir);
}

QString TestWorkspace::SettingsFile() const {
    return dir.path() + QStringLiteral("/config/Plimo/settings.reg");
}

QString TestWorkspace::WorkDir() const { return dir.path() + QStringLiteral("/work"); }

MessageRecorder::MessageRecorder() {
    SetUserMessageHook([this](QMessageBox::Icon icon, const QString& text, const QString& caption) {
        messages.append({icon, text, caption});
    });
}

MessageRecorder::~MessageRecorder() { SetUserMessageHook(nullptr); }

std::unique_ptr<CMainFrame> StartFrame(const std::vector<std::string>& modules) {
    auto frame = std::make_unique<CMainFrame>(modules);
    if (!frame->Create()) return nullptr;
    std::optional<uint32_t> pos = CMainFrame::SavedMainWindowPos();
    if (pos && (*pos & PosMinimized))
        frame->showMinimized();
    else if (pos && (*pos & PosMaximized))
        frame->showMaximized();
    else
        frame->show();
    frame->activateWindow();
    (void)QTest::qWaitForWindowExposed(frame.get());
    ProcessEvents();
    return frame;
}

void StopFrame(std::unique_ptr<CMainFrame>& frame) {
    if (frame) {
        frame->close();
        frame.reset();
    }
    ProcessEvents();
    CloseSettingsRegistry();
}

QString SaveScreenshot(QWidget* widget, const QString& name) {
    QDir().mkpath(QStringLiteral(PLIMO_SCREENSHOT_DIR));
    const QString file = QStringLiteral(PLIMO_SCREENSHOT_DIR "/") + name + QStringLiteral(".png");
    ProcessEvents();
    widget->grab().save(file);
    return file;
}

void ProcessEvents() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }
}

void TypeText(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(widget, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

RunningProgramTest::RunningProgramTest(Start start_) : start(start_) {}
RunningProgramTest::~RunningProgramTest() = default;

void RunningProgramTest::init() {
    workspace = std::make_unique<TestWorkspace>();
    if (start == Start::WorkspaceOnly) return;
    frame = StartFrame();
    QVERIFY(frame);
}

void RunningProgramTest::cleanup() {
    StopFrame(frame);
    workspace.reset();
}
