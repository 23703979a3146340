// The application object: start-up and the end of the program.
#pragma once

#include <QApplication>
#include <memory>
#include <string>
#include <vector>

#include "LanguageModule.h"

class CMainFrame;

class Application : public QApplication {
    Q_OBJECT

public:
    Application(int& argc, char** argv);
    ~Application() override;

    // Creates and shows the main frame; false when the program cannot start
    // (the user has been told why).
    bool InitInstance(std::vector<std::string> moduleFiles = LanguageModuleFileNames());

    CMainFrame* MainFrame() const { return mainFrame.get(); }

    // Closes the main frame (saving the settings) and deletes it.
    void ExitInstance();

private:
    // Saves the user's definitions however the run ends: a signal to end, the
    // session manager's request, the display going away.
    void SaveOnEveryEnding();

    std::unique_ptr<CMainFrame> mainFrame;
};
