// The main frame: menus, commands and their states, layouts, bars, font.
#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QFontDialog>
#include <QFontInfo>
#include <QLineEdit>
#include <QListView>
#include <QMdiArea>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include "AppTestSupport.h"
#include "CAboutDlg.h"
#include "CFullScreen.h"
#include "CLinkStatic.h"
#include "CMainFrame.h"
#include "CTabbedScreen.h"
#include "CommandIds.h"
#include "DefinitionBar.h"
#include "DefinitionEdit.h"
#include "FontColourDialog.h"
#include "LockKeyIndicators.h"
#include "MenuResource.h"
#include "PageTabCtrl.h"
#include "PageView.h"
#include "ProgramObjects.h"
#include "QtText.h"
#include "VerbBar.h"
#include "VerbComboBox.h"
#include "X11Keyboard.h"

namespace {

QStringList Titles(const QList<QAction*>& actions) {
    QStringList titles;
    for (QAction* action : actions)
        titles << (action->isSeparator() ? QStringLiteral("-")
                                         : (action->menu() ? action->menu()->title() : action->text()));
    return titles;
}

QMenu* MenuBarPopup(CMainFrame* frame, const QString& title) {
    for (QAction* action : frame->menuBar()->actions())
        if (action->menu() && action->menu()->title() == title) return action->menu();
    return nullptr;
}

// Runs `check` on the next modal dialog, then closes it with `accept`.
template <typename Check>
void OnNextDialog(Check check, bool accept) {
    QTimer::singleShot(0, [check, accept] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        check(dialog);
        accept ? dialog->accept() : dialog->reject();
    });
}

}  // namespace

class MainFrameTest : public RunningProgramTest {
    Q_OBJECT

private slots:
    void menusOfFrameAndVerbWindow() {
        QCOMPARE(frame->windowTitle(), QStringLiteral("Plimo"));
        // A verb window is active: the verb-window menus.
        QVERIFY(frame->MenusAreChildMenus());
        QCOMPARE(Titles(frame->menuBar()->actions()),
                 QStringList({"&File", "&Edit", "&View", "&Options", "&Window", "&Help"}));
        QCOMPARE(Titles(MenuBarPopup(frame.get(), "&File")->actions()),
                 QStringList({"&New French Window", "-", "&Print...\tCtrl+P", "-", "E&xit"}));
        QCOMPARE(
            Titles(MenuBarPopup(frame.get(), "&Edit")->actions()),
            QStringList({"Insert", "-", "Cu&t\tCtrl+X", "&Copy\tCtrl+C", "&Paste\tCtrl+V", "-", "&Find"}));
        QMenu* insert = MenuBarPopup(frame.get(), "&Edit")->actions().first()->menu();
        QCOMPARE(Titles(insert->actions()),
                 QStringList({"à", "â", "ç", "é", "è", "ê", "ë", "î", "ï", "ô", "û", "ü"}));
        QCOMPARE(Titles(MenuBarPopup(frame.get(), "&Help")->actions()),
                 QStringList({"&About Plimo...", "&Send Email (submit comment/bug)",
                              "Send Email (submit English Def.)"}));
        QCOMPARE(frame->Action(IdNewWindowFirst)->data().toInt(), 1100);
        QCOMPARE(frame->Action(IdPronominal)->statusTip(),
                 QStringLiteral("Toggles the pronominal state of a verb"));
        QCOMPARE(frame->Action(IdPronominal)->toolTip(), QStringLiteral("Pronominal"));
        QCOMPARE(frame->Action(IdTile)->toolTip(), QStringLiteral("Tile Windows"));

        // No verb window: the frame's own menus.
        frame->ActiveVerbWindow()->close();
        ProcessEvents();
        QVERIFY(!frame->MenusAreChildMenus());
        QCOMPARE(Titles(frame->menuBar()->actions()),
                 QStringList({"&File", "&Edit", "&View", "&Options", "&Help"}));
        QCOMPARE(Titles(MenuBarPopup(frame.get(), "&File")->actions()),
                 QStringList({"&New French Window", "E&xit"}));
        QVERIFY(!frame->Action(IdPrint)->isEnabled());
        frame->Action(IdNewWindowFirst)->trigger();
        QVERIFY(frame->ActiveVerbWindow());
        QCOMPARE(frame->ActiveVerbWindow()->VerbIndex(), 0);
        QVERIFY(frame->MenusAreChildMenus());
    }

    void layoutSwitch() {
        CChildFrame* first = frame->ActiveVerbWindow();
        first->SetVerb(Monter);
        first->SetPronominal(true);
        first->SetAlternate(1);
        QVERIFY(frame->Action(IdFullScreen)->isChecked());
        frame->Action(IdFullScreen)->trigger();  // already full screen: nothing happens
        QCOMPARE(frame->ActiveVerbWindow(), first);

        first->move(40, 30);
        frame->Action(IdTabbedScreen)->trigger();
        auto* tabbed = qobject_cast<CTabbedScreen*>(frame->ActiveVerbWindow());
        QVERIFY(tabbed);
        QCOMPARE(VerbWindowList.size(), 1);
        QCOMPARE(tabbed->VerbIndex(), int(Monter));
        QVERIFY(tabbed->IsPronominal());
        QVERIFY(tabbed->UsesAlternate());
        QCOMPARE(tabbed->pos(), QPoint(40, 30));
        QVERIFY(frame->Action(IdTabbedScreen)->isChecked());
        QVERIFY(!frame->Action(IdFullScreen)->isChecked());
        frame->Action(IdNewWindowFirst)->trigger();
        QVERIFY(qobject_cast<CTabbedScreen*>(frame->ActiveVerbWindow()));

        frame->MdiArea()->setActiveSubWindow(tabbed);
        frame->Action(IdFullScreen)->trigger();
        auto* full = qobject_cast<CFullScreen*>(frame->ActiveVerbWindow());
        QVERIFY(full);
        QCOMPARE(full->VerbIndex(), int(Monter));
        QCOMPARE(full->pos(), QPoint(40, 30));
        QCOMPARE(VerbWindowList.size(), 2);
    }

    // Tabbed Screen chosen from a maximised window among three: that window
    // stays maximised in its new layout, the others keep their frames.
    void layoutSwitchFromAMaximisedWindow() {
        QMdiSubWindow* first = frame->ActiveVerbWindow();
        frame->Action(IdNewWindowFirst)->trigger();
        QMdiSubWindow* second = frame->ActiveVerbWindow();
        frame->Action(IdNewWindowFirst)->trigger();
        CChildFrame* third = frame->ActiveVerbWindow();
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        third->showMaximized();
        ProcessEvents();
        QVERIFY(third->isMaximized());
        frame->Action(IdTabbedScreen)->trigger();
        ProcessEvents();
        CChildFrame* tabbed = frame->ActiveVerbWindow();
        QVERIFY(qobject_cast<CTabbedScreen*>(tabbed));
        QVERIFY(tabbed->isMaximized());
        QCOMPARE(tabbed->geometry(), frame->MdiArea()->viewport()->rect());
        const QList<QMdiSubWindow*> windows = frame->MdiArea()->subWindowList(QMdiArea::StackingOrder);
        QCOMPARE(windows.size(), 3);
        // The others stay stacked as they were, none covering the title of
        // the one above it.
        QCOMPARE(windows.mid(0, 2), QList<QMdiSubWindow*>({first, second}));
        for (QMdiSubWindow* window : windows.mid(0, 2)) {
            QVERIFY(!window->isMaximized());
            QVERIFY2(window->widget()->y() > 0, "the title bar is shown");
        }
        // What the screen shows is what every window paints when all of
        // them are painted again.
        QScreen* screen = frame->screen();
        const QImage shown = screen->grabWindow(frame->winId()).toImage();
        for (QWidget* widget : frame->findChildren<QWidget*>()) widget->update();
        ProcessEvents();
        const QImage again = screen->grabWindow(frame->winId()).toImage();
        QVERIFY(shown == again);
    }

    // A window opened while the active one is maximised opens maximised,
    // filling the area, in either layout; a new full-screen window shows
    // even the widest page whole.
    void newWindowOverAMaximisedOne() {
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        const QRect area = frame->MdiArea()->viewport()->rect();
        for (int layout : {IdFullScreen, IdTabbedScreen}) {
            frame->Action(layout)->trigger();
            frame->Action(IdNewWindowFirst)->trigger();
            CChildFrame* first = frame->ActiveVerbWindow();
            first->showMaximized();
            ProcessEvents();
            frame->Action(IdNewWindowFirst)->trigger();
            ProcessEvents();
            CChildFrame* opened = frame->ActiveVerbWindow();
            QVERIFY(opened != first);
            QVERIFY(opened->isMaximized());
            QCOMPARE(opened->geometry(), area);
            opened->showNormal();
            ProcessEvents();
            QVERIFY(area.contains(opened->geometry()));
            if (layout == IdFullScreen) {
                // Its pronominal page is wider than the first verb's page.
                QVERIFY(opened->widget()->width() >= opened->PageWidth());
                opened->SetVerb(Asseoir);
                opened->SetPronominal(true);
                QVERIFY2(opened->View()->viewport()->width() >= opened->PageWidth(), "no column is cut");
            }
        }
    }

    void toolbarButtonsAreClicked() {
        CChildFrame* window = frame->ActiveVerbWindow();
        window->SetVerb(Monter);
        QWidget* pronominal = frame->VerbToolBar()->widgetForAction(frame->Action(IdPronominal));
        QWidget* second = frame->VerbToolBar()->widgetForAction(frame->Action(IdAlternate2));
        QVERIFY(pronominal && second);
        QTest::mouseClick(pronominal, Qt::LeftButton);
        QVERIFY(window->IsPronominal());
        QCOMPARE(window->windowTitle(), QStringLiteral("se monter"));
        QTest::mouseClick(second, Qt::LeftButton);
        QVERIFY(window->UsesAlternate());
        QVERIFY(frame->Action(IdAlternate2)->isChecked());
        QTest::mouseClick(frame->VerbToolBar()->widgetForAction(frame->Action(IdAlternate1)), Qt::LeftButton);
        QVERIFY(!window->UsesAlternate());
        QTest::mouseClick(pronominal, Qt::LeftButton);
        QVERIFY(!window->IsPronominal());
    }

    // While another application has the focus the buttons keep their
    // states (and the verb box its verb); a menu that closes takes the prompt of its items with it.
    void awayFromTheProgramAndBackFromAMenu() {
        CChildFrame* window = frame->ActiveVerbWindow();
        window->SetVerb(Monter);
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        // Another application takes the focus: the frame's window and the
        // program are no longer active.
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QEvent away(QEvent::ApplicationDeactivate);
        QCoreApplication::sendEvent(qApp, &away);
        ProcessEvents();
        for (int id : {IdPronominal, IdAlternate1, IdAlternate2, IdPrint})
            QVERIFY2(frame->Action(id)->isEnabled(), qPrintable(QString::number(id)));
        QVERIFY(frame->VerbCombo(0)->isEnabled());
        QVERIFY(frame->MenusAreChildMenus());
        other.close();
        QEvent back(QEvent::ApplicationActivate);
        QCoreApplication::sendEvent(qApp, &back);

        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        QMenu* file = frame->menuBar()->actions().value(0)->menu();
        QVERIFY(file);
        file->popup(frame->mapToGlobal(QPoint(10, 10)));
        QVERIFY(QTest::qWaitForWindowExposed(file));
        file->setActiveAction(frame->Action(IdPrint));
        QCOMPARE(frame->statusBar()->currentMessage(), frame->Action(IdPrint)->statusTip());
        file->hide();
        ProcessEvents();
        QCOMPARE(frame->statusBar()->currentMessage(), QStringLiteral("Ready"));
    }

    // Small things a new user noticed: a disabled button must look
    // disabled, and the Window menu checks the active window only.
    void disabledButtonsAndTheWindowList() {
        CChildFrame* window = frame->ActiveVerbWindow();
        Focus(window->View());
        VerbBar* bar = frame->VerbToolBar();
        auto darkest = [](QWidget* button) {
            const QImage image = button->grab().toImage();
            int lightness = 255;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    lightness = std::min(lightness, QColor(image.pixel(x, y)).lightness());
            return lightness;
        };
        QVERIFY(frame->Action(IdCopy)->isEnabled());
        QVERIFY(!frame->Action(IdCut)->isEnabled());
        const int enabled = darkest(bar->widgetForAction(frame->Action(IdCopy)));
        const int disabled = darkest(bar->widgetForAction(frame->Action(IdCut)));
        QVERIFY2(enabled < 64 && disabled > 150,
                 qPrintable(QStringLiteral("%1 %2").arg(enabled).arg(disabled)));
        SaveScreenshot(bar, QStringLiteral("verb-bar-buttons"));

        frame->Action(IdNewWindowFirst)->trigger();
        frame->Action(IdNewWindowFirst)->trigger();
        QTest::keyClick(frame.get(), Qt::Key_W, Qt::AltModifier);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QList<QAction*> list = menu->actions().mid(4);
        QCOMPARE(list.size(), 3);
        QCOMPARE(list[2]->text(), QStringLiteral("&3 aimer"));
        QVERIFY(list[2]->isCheckable() && list[2]->isChecked());
        QVERIFY(!list[0]->isCheckable() && !list[1]->isCheckable());
        SaveScreenshot(menu, QStringLiteral("window-menu"));
        menu->close();
    }

    void windowsCascadeTileAndClose() {
        frame->Action(IdNewWindowFirst)->trigger();
        frame->Action(IdNewWindowFirst)->trigger();
        QCOMPARE(frame->MdiArea()->subWindowList().size(), 3);
        QCOMPARE(OpenChildCount, 3);
        frame->Action(IdTile)->trigger();  // tile
        QList<QMdiSubWindow*> windows = frame->MdiArea()->subWindowList();
        QVERIFY(!windows[0]->geometry().intersects(windows[1]->geometry()));
        frame->Action(IdCascade)->trigger();  // cascade
        windows = frame->MdiArea()->subWindowList();
        QVERIFY(windows[0]->geometry().intersects(windows[1]->geometry()));
        windows[0]->showMinimized();
        frame->Action(IdArrangeIcons)->trigger();  // arrange icons
        QCOMPARE(windows[0]->geometry().bottom() + 1, frame->MdiArea()->viewport()->height());
        QMenu* windowMenu = MenuBarPopup(frame.get(), "&Window");
        QVERIFY(windowMenu);
        emit windowMenu->aboutToShow();
        QCOMPARE(Titles(windowMenu->actions()).mid(0, 5),
                 QStringList({"&Cascade", "&Tile", "&Arrange Icons", "-", "&1 aimer"}));
        windows[1]->close();
        ProcessEvents();
        QCOMPARE(OpenChildCount, 2);
        QCOMPARE(VerbWindowList.size(), 2);
        SaveScreenshot(frame.get(), QStringLiteral("fake-cascade"));
    }

    void barsShowAndHide() {
        QVERIFY(frame->DefinitionBarShown());
        QVERIFY(frame->Action(IdEnglishDefinition)->isChecked());
        frame->Action(IdEnglishDefinition)->trigger();
        QVERIFY(!frame->DefinitionBarShown());
        QVERIFY(!frame->DefinitionToolBar()->isVisible());
        QVERIFY(!frame->Action(IdEnglishDefinition)->isChecked());
        frame->Action(IdEnglishDefinition)->trigger();
        QVERIFY(frame->DefinitionToolBar()->isVisible());
        QVERIFY(frame->Action(IdEnglishDefinition)->isChecked());
        // The definition sits below the verb bar.
        QVERIFY(frame->DefinitionToolBar()->y() > frame->VerbToolBar()->y());

        QVERIFY(frame->statusBar()->isVisible());
        QCOMPARE(frame->statusBar()->currentMessage(), QStringLiteral("Ready"));
        frame->Action(IdStatusBar)->trigger();
        QVERIFY(!frame->statusBar()->isVisible());
        QVERIFY(!frame->Action(IdStatusBar)->isChecked());
        frame->Action(IdStatusBar)->trigger();
        QVERIFY(frame->statusBar()->isVisible());
    }

    void editCommandsFollowTheFocus() {
        CChildFrame* window = frame->ActiveVerbWindow();
        window->View()->setFocus();
        ProcessEvents();
        for (int id = IdInsertFirst; id <= IdInsertLast; ++id) QVERIFY(!frame->Action(id)->isEnabled());
        QVERIFY(frame->Action(IdCopy)->isEnabled());  // the page is copied
        QVERIFY(!frame->Action(IdCut)->isEnabled());

        DefinitionEdit* edit = frame->DefinitionField();
        edit->setFocus(Qt::MouseFocusReason);
        ProcessEvents();
        edit->selectAll();
        frame->UpdateCommandStates();
        QVERIFY(frame->Action(IdInsertFirst + 3)->isEnabled());
        QVERIFY(frame->Action(IdCut)->isEnabled());
        // Copy takes the selection, also while a verb window is active.
        QVERIFY(frame->Action(IdCopy)->isEnabled());
        frame->Action(IdInsertFirst + 3)->trigger();  // é replaces the selection
        QCOMPARE(edit->Text(), QStringLiteral("é"));
        // Inserted with the menu, the letter still counts as the user's change.
        window->View()->setFocus(Qt::MouseFocusReason);
        ProcessEvents();
        QCOMPARE(FromCp1252(window->EnglishDefinition()), QStringLiteral("é"));

        // Into the verb box: the accented name applies at once.
        VerbComboBox* combo = frame->VerbCombo(0);
        combo->setFocus(Qt::MouseFocusReason);
        ProcessEvents();
        combo->lineEdit()->setText(QStringLiteral("z"));
        frame->Action(IdInsertFirst + 3)->trigger();
        QTest::keyClicks(combo, QStringLiteral("brer"));
        QCOMPARE(window->VerbIndex(), int(Zebrer));

        // Paste needs text on the clipboard; Cut takes the selection.
        QApplication::clipboard()->setText(QStringLiteral("payer"));
        frame->UpdateCommandStates();
        QVERIFY(frame->Action(IdPaste)->isEnabled());
        combo->lineEdit()->selectAll();
        frame->Action(IdPaste)->trigger();
        QCOMPARE(window->VerbIndex(), int(Payer));
        combo->lineEdit()->selectAll();
        frame->UpdateCommandStates();
        frame->Action(IdCut)->trigger();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("payer"));

        // Without a verb window the frame's Copy applies.
        window->close();
        ProcessEvents();
        edit->setFocus(Qt::MouseFocusReason);
        edit->SetText(QStringLiteral("copy me"));
        edit->selectAll();
        ProcessEvents();
        frame->UpdateCommandStates();
        QVERIFY(frame->Action(IdCopy)->isEnabled());
        frame->Action(IdCopy)->trigger();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("copy me"));
    }

    // Copy does what it shows: the selection of the focused edit field, or
    // else the whole verb page, as text and as a table in the page's layout.
    void copyTakesTheSelectionOrThePage() {
        CChildFrame* window = frame->ActiveVerbWindow();
        QClipboard* clipboard = QApplication::clipboard();
        Focus(window->View());
        QVERIFY(frame->Action(IdCopy)->isEnabled());
        QTest::keyClick(window->View(), Qt::Key_C, Qt::ControlModifier);
        const QString text = clipboard->text();
        QVERIFY2(text.startsWith(QStringLiteral("aimer\n\nPrésent\nje aime0\ntu aimes0\n")),
                 qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("\n\nImparfait\nje aime1\n")));
        QVERIFY(
            text.contains(QStringLiteral("Participe Présent\naimant\nParticipe Passé\naimé\nayant aimé\n")));
        QVERIFY(!text.contains(QLatin1Char('\\')));  // no colour markup
        QString html = clipboard->mimeData()->html();
        QCOMPARE(html.count(QStringLiteral("<tr")), 1);
        QCOMPARE(html.count(QStringLiteral("<td")), 4);
        QVERIFY(html.contains(QStringLiteral("<b style=\"color: #0000ff\">Présent</b><br>je aime0")));

        // The toolbar button does the same; the tabbed page is four rows of two.
        clipboard->clear();
        frame->Action(IdTabbedScreen)->trigger();
        window = frame->ActiveVerbWindow();
        Focus(window->View());
        QTest::mouseClick(frame->VerbToolBar()->widgetForAction(frame->Action(IdCopy)), Qt::LeftButton);
        QStringList tabbedLines = clipboard->text().split(QLatin1Char('\n'));
        QStringList lines = text.split(QLatin1Char('\n'));
        QVERIFY(tabbedLines != lines);  // the tabbed page's own block order
        tabbedLines.sort();
        lines.sort();
        QCOMPARE(tabbedLines, lines);
        html = clipboard->mimeData()->html();
        QCOMPARE(html.count(QStringLiteral("<tr")), 4);
        QCOMPARE(html.count(QStringLiteral("<td")), 8);

        // In an edit field, Copy follows its selection: Ctrl+C, menu alike.
        VerbComboBox* combo = frame->VerbCombo(0);
        Focus(combo);
        combo->lineEdit()->deselect();
        frame->UpdateCommandStates();
        QVERIFY(!frame->Action(IdCopy)->isEnabled());
        // Its open list belongs to it: Copy does not turn to the page.
        QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
        QTRY_VERIFY(combo->view()->isVisible());
        QVERIFY(!frame->Action(IdCopy)->isEnabled());
        QTest::keyClick(combo->view(), Qt::Key_Escape);
        QTRY_VERIFY(!combo->view()->isVisible());
        combo->lineEdit()->setSelection(0, 3);
        frame->UpdateCommandStates();
        QVERIFY(frame->Action(IdCopy)->isEnabled());
        QTest::keyClick(combo, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), QStringLiteral("aim"));
        DefinitionEdit* edit = frame->DefinitionField();
        Focus(edit);
        edit->selectAll();
        frame->UpdateCommandStates();
        QVERIFY(frame->Action(IdCopy)->isEnabled());
        frame->Action(IdCopy)->trigger();
        QCOMPARE(clipboard->text(), QStringLiteral("to like, to love"));
    }

    void fontCommand() {
        CChildFrame* window = frame->ActiveVerbWindow();
        const int oldHeight = window->PageHeight();
        QFont chosen(QStringLiteral("Liberation Serif"));
        chosen.setPixelSize(24);
        OnNextDialog(
            [&](QDialog* dialog) {
                auto* fonts = qobject_cast<FontColourDialog*>(dialog);
                QVERIFY(fonts);
                fonts->fontChooser->setCurrentFont(chosen);
                fonts->SetColour(QColor(0, 128, 0));
            },
            true);
        frame->Action(IdFont)->trigger();
        QCOMPARE(VerbFont->family(), QStringLiteral("Liberation Serif"));
        QCOMPARE(VerbTextColor, 0x00008000u);
        QCOMPARE(LineHeight, MeasureLineHeight(*VerbFont));
        QVERIFY(window->PageHeight() > oldHeight);

        // Cancel changes nothing.
        OnNextDialog([&](QDialog* dialog) { static_cast<FontColourDialog*>(dialog)->SetColour(Qt::red); },
                     false);
        frame->Action(IdFont)->trigger();
        QCOMPARE(VerbTextColor, 0x00008000u);
    }

    // A new user opens the Font dialog and confirms it with Enter without
    // changing anything: the chooser showed the display font, and nothing
    // changes.
    void fontDialogConfirmedUnchanged() {
        CChildFrame* window = frame->ActiveVerbWindow();
        const QFont before = *VerbFont;
        const int width = window->PageWidth();
        QString family;
        int points = 0;
        bool labelReachesButton = false;
        bool closedByEnter = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<FontColourDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            SaveScreenshot(dialog, QStringLiteral("font-dialog"));
            family = dialog->fontChooser->currentFont().family();
            points = dialog->fontChooser->currentFont().pointSize();
            // The colour label's "&" is its mnemonic: Alt+C reaches the colour.
            QTest::keyClick(dialog, Qt::Key_C, Qt::AltModifier);
            labelReachesButton = QApplication::focusWidget() == static_cast<QWidget*>(dialog->colourButton);
            auto* families = dialog->fontChooser->findChild<QListView*>();
            families->setFocus();
            QTest::keyClick(families, Qt::Key_Return);
            closedByEnter = !dialog->isVisible() && dialog->result() == QDialog::Accepted;
            if (dialog->isVisible()) dialog->reject();
        });
        frame->Action(IdFont)->trigger();
        QCOMPARE(family, QFontInfo(before).family());
        QCOMPARE(points, 12);
        QVERIFY(labelReachesButton);
        QVERIFY(closedByEnter);
        QCOMPARE(VerbFont->family(), QStringLiteral("Arial"));
        QCOMPARE(*VerbFont, before);
        QCOMPARE(window->PageWidth(), width);
    }

    void aboutBox() {
        OnNextDialog(
            [](QDialog* dialog) {
                QCOMPARE(dialog->windowTitle(), QStringLiteral("About Plimo"));
                auto* link = dialog->findChild<CLinkStatic*>();
                QVERIFY(link);
                QCOMPARE(link->Address(), QString::fromLatin1(CAboutDlg::UpdateAddress));
                QVERIFY(link->font().underline());
                QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
                auto* after = dialog->findChild<QLabel*>(QStringLiteral("forUpdates"));
                QVERIFY(after->geometry().left() > link->geometry().right());
                QVERIFY(after->geometry().right() <= dialog->width());
                SaveScreenshot(dialog, QStringLiteral("about"));
            },
            true);
        frame->Action(IdAbout)->trigger();
    }

    // A person without a mouse: Tab goes round the verb box, the definition
    // field and the verb window (its tabs too), Alt opens the menus.
    void keyboardReachesEveryControl() {
        VerbComboBox* combo = frame->VerbCombo(0);
        DefinitionEdit* edit = frame->DefinitionField();
        CChildFrame* window = frame->ActiveVerbWindow();
        Focus(window->View());
        QTest::keyClick(window->View(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(combo));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(edit));
        QTest::keyClick(edit, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(window->View()));
        QTest::keyClick(window->View(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(edit));
        QVERIFY(frame->modules[0]->UserDefinitions().empty());  // passing through stores nothing

        // Typing a verb after Tab replaces the whole name.
        Focus(window->View());
        QTest::keyClick(window->View(), Qt::Key_Tab);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("payer"));
        QCOMPARE(window->VerbIndex(), int(Payer));

        // Without the definition bar, Shift+Tab from the page reaches the box.
        frame->Action(IdEnglishDefinition)->trigger();
        Focus(window->View());
        QTest::keyClick(window->View(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(combo));

        // The tabbed window's tabs are on the way; arrows switch them.
        frame->Action(IdTabbedScreen)->trigger();
        auto* tabbed = qobject_cast<CTabbedScreen*>(frame->ActiveVerbWindow());
        QVERIFY(tabbed);
        Focus(tabbed->View());
        QTest::keyClick(tabbed->View(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(tabbed->pageTabs));
        QTest::keyClick(tabbed->pageTabs, Qt::Key_Right);
        QCOMPARE(tabbed->FirstCell(), 2);
        QTest::keyClick(tabbed->pageTabs, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(combo));

        // Alt+O opens the Options menu.
        QTest::keyClick(frame.get(), Qt::Key_O, Qt::AltModifier);
        QMenu* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(popup);
        QCOMPARE(popup->title(), QStringLiteral("&Options"));
        popup->close();
    }

    // Keyboard only: the keys of every MDI program, and accelerators for
    // the Pronominal and alternate-form commands, which the menu lists.
    void keysForWindowsAndForms() {
        QCOMPARE(Titles(MenuBarPopup(frame.get(), "&View")->actions()).mid(2),
                 QStringList({"-", "&Pronominal\tCtrl+Shift+P", "&Alternate Form\tCtrl+Shift+A", "-",
                              "P&ractice...\tCtrl+R"}));
        auto press = [](int key, Qt::KeyboardModifiers modifiers) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
            ProcessEvents();
        };
        CChildFrame* first = frame->ActiveVerbWindow();
        CChildFrame* second = frame->OpenVerbWindow(frame->modules[0].get(), Monter, false, false);
        Focus(second->View());
        press(Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(second->UsesAlternate());
        QVERIFY(frame->VerbCombo(0)->isEnabled());
        press(Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(!second->UsesAlternate());
        press(Qt::Key_F6, Qt::ControlModifier);
        QCOMPARE(frame->ActiveVerbWindow(), first);
        press(Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(first->IsPronominal());
        QCOMPARE(first->windowTitle(), QStringLiteral("se aimer"));
        press(Qt::Key_F6, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(frame->ActiveVerbWindow(), second);
        QPointer<CChildFrame> closing = second;
        press(Qt::Key_F4, Qt::ControlModifier);
        QVERIFY(!closing);
        QCOMPARE(frame->ActiveVerbWindow(), first);
        // Also from the verb box.
        Focus(frame->VerbCombo(0));
        press(Qt::Key_W, Qt::ControlModifier);
        QCOMPARE(OpenChildCount, 0);
    }

    // The status bar shows the lock keys as the keyboard does; where the
    // platform cannot tell (the offscreen runs), they stay dimmed.
    void lockKeyIndicators() {
        const auto& labels = frame->LockKeyState()->Labels();
        QCOMPARE(labels[0]->text(), QStringLiteral("CAP"));
        CChildFrame* window = frame->ActiveVerbWindow();
        Focus(window->View());
        const bool x11 = LockCapsLock(true);
        QTest::keyClick(window->View(), Qt::Key_CapsLock);
        QCOMPARE(labels[0]->isEnabled(), x11);
        QVERIFY(!labels[2]->isEnabled());
        if (!x11) return;
        SaveScreenshot(frame->statusBar(), QStringLiteral("lock-keys-caps"));
        LockCapsLock(false);
        QTest::keyClick(window->View(), Qt::Key_CapsLock);
        QVERIFY(!labels[0]->isEnabled());
    }

private:
    static void Focus(QWidget* widget) {
        widget->setFocus(Qt::MouseFocusReason);
        ProcessEvents();
    }
};

QTEST_MAIN(MainFrameTest)
#include "tst_MainFrame.moc"
