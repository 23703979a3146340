// Pictures of the main window with the real language module in both layouts,
// saved under the build folder for people to look at.
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QPainter>
#include <QTest>

#include "AppTestSupport.h"
#include "CMainFrame.h"
#include "CTabbedScreen.h"
#include "CommandIds.h"
#include "FormLookupList.h"
#include "PageTabCtrl.h"
#include "ProgramObjects.h"
#include "VerbComboBox.h"

class ScreenshotTest : public QObject {
    Q_OBJECT

private slots:
    void init() { workspace = std::make_unique<TestWorkspace>(); }
    void cleanup() {
        StopFrame(frame);
        workspace.reset();
    }

    void bothLayouts() {
        frame = StartFrame({"French.ldl"});
        QVERIFY2(frame, "The language module French.ldl is built with the program and must load.");
        VerbComboBox* combo = frame->VerbCombo(0);
        combo->setFocus();
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo, QStringLiteral("placer"));
        QCOMPARE(frame->ActiveVerbWindow()->windowTitle(), QStringLiteral("placer"));
        SaveScreenshot(frame.get(), QStringLiteral("main-fullscreen"));

        frame->OnCommand(IdTabbedScreen);
        auto* tabbed = qobject_cast<CTabbedScreen*>(frame->ActiveVerbWindow());
        QVERIFY(tabbed);
        SaveScreenshot(frame.get(), QStringLiteral("main-tabbed"));
        for (int tab = 0; tab < 4; ++tab) {
            tabbed->pageTabs->setCurrentIndex(tab);
            SaveScreenshot(tabbed, QStringLiteral("tabbed-tab%1").arg(tab));
        }
        frame->Action(IdPronominal)->trigger();
        SaveScreenshot(tabbed, QStringLiteral("tabbed-pronominal"));

        // A verb with two auxiliaries shows the A and E buttons.
        combo->setFocus();
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo, QStringLiteral("monter"));
        QCOMPARE(tabbed->windowTitle().endsWith(QStringLiteral("monter")), true);
        SaveScreenshot(frame.get(), QStringLiteral("main-monter"));

        // A form typed into the verb box: the list of its verbs over the
        // main window, then the verb chosen with its form highlighted.
        combo->setFocus();
        combo->lineEdit()->selectAll();
        TypeText(combo, QStringLiteral("f\u00FBm"));
        FormLookupList* list = combo->LookupList();
        QTRY_VERIFY(list->isVisible());
        ProcessEvents();
        QImage shot = frame->grab().toImage();
        QPainter painter(&shot);
        painter.drawPixmap(list->geometry().topLeft() - frame->mapToGlobal(QPoint(0, 0)), list->grab());
        painter.end();
        QDir().mkpath(QStringLiteral(PLIMO_SCREENSHOT_DIR));
        shot.save(QStringLiteral(PLIMO_SCREENSHOT_DIR "/form-lookup-list.png"));
        QTest::keyClick(combo, Qt::Key_Down);
        QTest::keyClick(combo, Qt::Key_Return);
        QCOMPARE(tabbed->windowTitle(), QStringLiteral("\u00EAtre"));
        SaveScreenshot(frame.get(), QStringLiteral("form-highlighted-tabbed"));
        const int slot = tabbed->HighlightedSlot();
        QVERIFY(slot >= 0);
        frame->OnCommand(IdFullScreen);
        QCOMPARE(frame->ActiveVerbWindow()->HighlightedSlot(), slot);  // the layout keeps it
        SaveScreenshot(frame.get(), QStringLiteral("form-highlighted-fullscreen"));
    }

private:
    std::unique_ptr<TestWorkspace> workspace;
    std::unique_ptr<CMainFrame> frame;
};

QTEST_MAIN(ScreenshotTest)
#include "tst_Screenshots.moc"
