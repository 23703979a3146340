#include "Application.h"

#include <QIcon>

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
