#include "Application.h"

#include <QIcon>
#include <QSessionManager>
#include <QSocketNotifier>

#include <sys/socket.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>

#include "CMainFrame.h"
#include "ProgramObjects.h"
#include "Registry.h"
#include "StringTable.h"

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Plimo"));
    // The window, the task bar and the menu entry belong together: the X11
    // window class is the application name (StartupWMClass=Plimo) and the
    // Wayland application id the desktop file's name. The settings do not
    // move: their store keeps its own path.
    setOrganizationName(QStringLiteral("Dulmek"));
    setDesktopFileName(QStringLiteral(PLIMO_APP_ID));
    setApplicationDisplayName(QString());
    setQuitOnLastWindowClosed(true);
    setWindowIcon(QIcon(QStringLiteral(":/plimo.png")));
}

Application::~Application() { ExitInstance(); }

namespace {

// The pipe through which a signal to end reaches the event
// loop (a signal handler may do little more than write a byte).
int SignalPipe[2] = {-1, -1};

void OnEndSignal(int) {
    const char byte = 1;
    [[maybe_unused]] ssize_t n = write(SignalPipe[1], &byte, 1);
}

}  // namespace

void Application::SaveOnEveryEnding() {
    // The display going away ends the program from inside Qt (exit), and so
    // may any other fatal end that still runs exit handlers: definitions not
    // yet written are written then.
    static bool registered = false;
    if (registered) return;
    registered = true;
    std::atexit([] { LanguageModule::SaveAllUnsavedDefinitions(); });
    // The session manager asks every program to save before the session ends.
    connect(this, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) {
        if (mainFrame) mainFrame->SaveDefinitionsWithoutAsking();
    });

    // SIGTERM (logout, shutdown, kill) and SIGHUP (the terminal closed) end
    // the program as File > Exit does, asking nothing.
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, SignalPipe) != 0) return;
    auto* notifier = new QSocketNotifier(SignalPipe[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (read(SignalPipe[0], bytes, sizeof bytes) > 0) {
        }
        if (mainFrame) mainFrame->EndWithoutAsking();
        quit();
    });
    struct sigaction action = {};
    action.sa_handler = OnEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

bool Application::InitInstance(std::vector<std::string> moduleFiles) {
    mainFrame = std::make_unique<CMainFrame>(std::move(moduleFiles));
    if (!mainFrame->Create()) {
        mainFrame.reset();
        CloseSettingsRegistry();
        return false;
    }
    std::optional<uint32_t> pos = CMainFrame::SavedMainWindowPos();
    if (pos && (*pos & 0x20000000))
        mainFrame->showMinimized();
    else if (pos && (*pos & 0x01000000))
        mainFrame->showMaximized();
    else
        mainFrame->show();
    mainFrame->repaint();
    SaveOnEveryEnding();
    return true;
}

void Application::ExitInstance() {
    if (mainFrame) {
        mainFrame->SaveSettings();
        mainFrame.reset();
    }
    CloseSettingsRegistry();
    ReleaseProgramObjects();
}
