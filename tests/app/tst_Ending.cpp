// The ends of a run that a user does not choose, and the keyboard's way out
// of the definition field: a definition typed is never lost to them. The
// program runs as it does for a user, from its Application object.
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <unistd.h>

#include "AppTestSupport.h"
#include "Application.h"
#include "CChildFrame.h"
#include "CMainFrame.h"
#include "DefinitionEdit.h"
#include "PageView.h"

namespace {

QByteArray Definitions(const TestWorkspace& workspace) {
    QFile file(workspace.WorkDir() + QStringLiteral("/FakeFrench.txt"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Types `text` over the definition of the active verb window's verb, and
// leaves the focus in the field.
DefinitionEdit* TypeDefinition(CMainFrame* frame, const QString& text) {
    if (!frame->DefinitionBarShown()) frame->ToggleDefinitionBar();
    DefinitionEdit* edit = frame->DefinitionField();
    edit->setFocus(Qt::MouseFocusReason);
    ProcessEvents();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    return edit;
}

// Accepts the next modal dialog as soon as it shows.
void AcceptNextDialog() {
    QTimer::singleShot(50, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->accept();
        else
            AcceptNextDialog();
    });
}

}  // namespace

class EndingTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        workspace = std::make_unique<TestWorkspace>();
        QVERIFY(app()->InitInstance({FakeModule}));
        frame = app()->MainFrame();
        QVERIFY(frame && frame->ActiveVerbWindow());
        QVERIFY(QTest::qWaitForWindowExposed(frame));
    }
    void cleanup() {
        app()->ExitInstance();
        workspace.reset();
    }

    // Alt+H, A (About), OK, then a click on the page: the text typed is
    // kept, and written to the file shortly after.
    void aDefinitionTypedSurvivesAMenuAndADialogOpenedByKeyboard() {
        DefinitionEdit* edit = TypeDefinition(frame, QStringLiteral("to cherish"));
        AcceptNextDialog();
        QTest::keyClick(frame, Qt::Key_H, Qt::AltModifier);
        QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_A);
        QTRY_VERIFY(!QApplication::activeModalWidget() && !QApplication::activePopupWidget());
        QTest::mouseClick(frame->ActiveVerbWindow()->View(), Qt::LeftButton);
        ProcessEvents();
        QCOMPARE(edit->Text(), QStringLiteral("to cherish"));
        QCOMPARE(QByteArray(frame->modules[0]->GetEnglishDefinition(Aimer, false)), QByteArray("to cherish"));
        QTRY_VERIFY(Definitions(*workspace).contains("aimer,0,to cherish"));
    }

    // SIGTERM right after an edit, before the delayed save: the program
    // stores what is typed, saves and ends.
    void aSignalToEndSavesTheDefinitionBeingTyped() {
        TypeDefinition(frame, QStringLiteral("to adore"));
        QVERIFY(Definitions(*workspace).isEmpty());
        QTimer::singleShot(0, [] { kill(getpid(), SIGTERM); });
        QTimer failsafe;
        failsafe.singleShot(10000, [] { QApplication::exit(99); });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(Definitions(*workspace).contains("aimer,0,to adore"));
    }

private:
    static Application* app() { return static_cast<Application*>(QCoreApplication::instance()); }
    std::unique_ptr<TestWorkspace> workspace;
    CMainFrame* frame = nullptr;
};

int main(int argc, char** argv) {
    Application application(argc, argv);
    EndingTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_Ending.moc"
