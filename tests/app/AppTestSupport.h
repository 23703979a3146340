// Helpers for the desktop program's tests: a private settings file and
// working directory per test, starting and stopping the main frame as the
// program does, recording message boxes, and screenshots.
#pragma once

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

class CMainFrame;
class QWidget;

// The test module: nine verbs with known properties.
inline const std::string FakeModule = "FakeFrench.ldl";
// Verb indices in the test module.
enum FakeVerb { Aimer = 0, Monter, Payer, Asseoir, Pleuvoir, Ressortir1, Ressortir2, Zebrer, Etre };

// A temporary folder holding the settings file (XDG_CONFIG_HOME) and the
// working directory (where the definitions file lives) of one test.
class TestWorkspace {
public:
    TestWorkspace();
    ~TestWorkspace();
    QString Path() const { return dir.path(); }
    QString SettingsFile() const;
    QString WorkDir() const;

private:
    QTemporaryDir dir;
    QString previousDir;
};

// Messages shown to the user while the recorder lives.
struct ShownMessage {
    QMessageBox::Icon icon;
    QString text;
    QString caption;
};
class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    QList<ShownMessage> messages;
};

// Creates, shows and paints the main frame as the program's start does;
// null when creation failed.
std::unique_ptr<CMainFrame> StartFrame(const std::vector<std::string>& modules = {FakeModule});
// Ends the program's run: saves the settings, closes the frame and the
// settings file.
void StopFrame(std::unique_ptr<CMainFrame>& frame);

// Saves a picture of `widget` under the build folder's screenshots/.
QString SaveScreenshot(QWidget* widget, const QString& name);

// Types `text` into `widget` key by key, accented letters included.
void TypeText(QWidget* widget, const QString& text);

// Lets pending events (layout, paint, deferred deletes) run.
void ProcessEvents();

// A Qt Test case that gives each test function a workspace of its own and
// starts the program on the test module before it, stopping it after. A case
// whose functions start and stop the program themselves (to see what one run
// leaves to the next) asks for the workspace alone. A case that needs more at
// start calls these from its own init() and cleanup().
class RunningProgramTest : public QObject {
    Q_OBJECT

public:
    enum class Start { Program, WorkspaceOnly };
    explicit RunningProgramTest(Start start = Start::Program);
    ~RunningProgramTest() override;

protected slots:
    void init();
    void cleanup();

protected:
    std::unique_ptr<TestWorkspace> workspace;
    std::unique_ptr<CMainFrame> frame;

private:
    Start start;
};
