// Search as a user meets it: the Find dialog with its accent menu, the
// progress window, the results window with its sortable list, and opening a
// verb from a row.
#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

#include "AppTestSupport.h"
#include "CChildFrame.h"
#include "CFindDlg.h"
#include "CMainFrame.h"
#include "CResultWnd.h"
#include "CSearchProgressDlg.h"
#include "CSortingHeaderCtrl.h"
#include "CSortingListCtrl.h"
#include "CommandIds.h"
#include "DefinitionEdit.h"
#include "ProgramObjects.h"
#include "QtText.h"
#include "VerbComboBox.h"
#include "platform/ModuleLoader.h"

namespace {

// Runs `step` on the next modal dialog (or open popup menu) once it shows.
void WhenShown(std::function<void(QWidget*)> step, bool popup = false) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, step, popup] {
        QWidget* widget = popup ? QApplication::activePopupWidget() : QApplication::activeModalWidget();
        if (widget == nullptr || !widget->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        QPointer<QWidget> shown = widget;
        step(widget);
        // A step that failed half-way must not leave a modal dialog open:
        // the test would wait for it for ever instead of failing.
        if (QTest::currentTestFailed() && shown && shown->isVisible()) {
            if (auto* dialog = qobject_cast<QDialog*>(shown.data())) dialog->reject();
            if (auto* menu = qobject_cast<QMenu*>(shown.data())) menu->close();
        }
    });
    timer->start();
}

CFindDlg* AsFind(QWidget* widget) { return qobject_cast<CFindDlg*>(widget); }

// Types `text` into the Find dialog and presses Enter.
void SearchFor(CFindDlg* dialog, const QString& text) {
    dialog->Edit()->selectAll();
    TypeText(dialog->Edit(), text);
    QTest::keyClick(dialog->Edit(), Qt::Key_Return);
}

// Paint events of the progress window, with the bar's value at each.
class ProgressWatch : public QObject {
public:
    ProgressWatch() { qApp->installEventFilter(this); }
    ~ProgressWatch() override { qApp->removeEventFilter(this); }
    QList<int> paintedValues;
    QString statusText;

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        auto* progress = qobject_cast<CSearchProgressDlg*>(object);
        if (progress && event->type() == QEvent::Paint) {
            paintedValues.append(progress->Bar()->value());
            statusText = progress->statusText;
        }
        return false;
    }
};

QStringList Column(CSortingListCtrl* list, int column) {
    QStringList texts;
    for (int row = 0; row < list->topLevelItemCount(); ++row) texts << list->CellText(row, column);
    return texts;
}

void ClickHeading(CSortingListCtrl* list, int column) {
    QHeaderView* header = list->header();
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                    header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

void DoubleClickRow(CSortingListCtrl* list, int row) {
    const QRect rect = list->visualItemRect(list->topLevelItem(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
}

}  // namespace

class SearchTest : public RunningProgramTest {
    Q_OBJECT

private slots:
    // Defaults, the accent menu, and a search without matches that brings
    // the dialog back with every choice kept; Cancel then ends the command.
    void findDialogAccentsAndRetry() {
        MessageRecorder messages;
        int shown = 0;
        bool retried = false;
        const int children = OpenChildCount;
        WhenShown([&](QWidget* widget) {
            CFindDlg* dialog = AsFind(widget);
            QVERIFY(dialog);
            ++shown;
            QVERIFY(dialog->findChild<QRadioButton*>("radio1007")->isChecked());
            QVERIFY(!dialog->findChild<QCheckBox*>("check1002")->isChecked());
            QVERIFY(dialog->Edit()->text().isEmpty());
            QTRY_COMPARE(QApplication::focusWidget(), dialog->Edit());
            QVERIFY(dialog->findChild<QWidget*>("group1011")->isHidden());
            // Nothing to find yet: Find is disabled, and Enter does nothing.
            auto* find = dialog->findChild<QPushButton*>("button1");
            QVERIFY(!find->isEnabled());
            QTest::keyClick(dialog->Edit(), Qt::Key_Return);
            QVERIFY(dialog->isVisible());
            TypeText(dialog->Edit(), QStringLiteral("parl"));
            QVERIFY(find->isEnabled());
            auto* button = dialog->findChild<QToolButton*>("button1010");
            WhenShown(
                [dialog, button](QWidget* popup) {
                    auto* menu = qobject_cast<QMenu*>(popup);
                    QVERIFY(menu);
                    QCOMPARE(menu->actions().size(), 12);
                    QCOMPARE(menu->actions().at(3)->text(), QStringLiteral("é"));
                    // Drops at the button's top-right corner.
                    QCOMPARE(menu->pos(), button->mapToGlobal(QPoint(button->width(), 0)));
                    menu->setActiveAction(menu->actions().at(3));
                    QTest::keyClick(menu, Qt::Key_Return);
                },
                true);
            QTest::mouseClick(button, Qt::LeftButton);
            QCOMPARE(dialog->Edit()->text(), QStringLiteral("parlé"));
            QCOMPARE(dialog->Edit()->cursorPosition(), 5);
            // The focus comes back to the field from the closed menu (the
            // dialog's focus widget: whether the window system gives the
            // dialog back its activation at once is its own affair).
            QTRY_COMPARE(dialog->focusWidget(), dialog->Edit());
            dialog->Edit()->setSelection(1, 3);       // "arl"
            dialog->InsertLetter(IdInsertFirst + 1);  // â replaces the selection
            QCOMPARE(dialog->Edit()->text(), QStringLiteral("pâé"));

            dialog->findChild<QCheckBox*>("check1002")->click();
            dialog->findChild<QRadioButton*>("radio1008")->click();
            WhenShown([&](QWidget* again) {
                CFindDlg* next = AsFind(again);
                QVERIFY(next);
                retried = true;
                QCOMPARE(next->Edit()->text(), QStringLiteral("pâé"));
                QVERIFY(next->findChild<QCheckBox*>("check1002")->isChecked());
                QVERIFY(next->findChild<QRadioButton*>("radio1008")->isChecked());
                next->reject();
            });
            QTest::keyClick(dialog->Edit(), Qt::Key_Return);
        });
        frame->Action(IdFind)->trigger();
        QCOMPARE(shown, 1);
        QVERIFY(retried);
        QCOMPARE(messages.messages.size(), 1);
        QCOMPARE(messages.messages[0].text, QStringLiteral("No matches were found for your search."));
        QCOMPARE(messages.messages[0].caption, QStringLiteral("Plimo"));
        QCOMPARE(OpenChildCount, children);
    }

    // Text the module cannot take is refused and stays in the box.
    void findDialogRefusesUnsearchableText() {
        MessageRecorder messages;
        QStringList kept;
        WhenShown([&](QWidget* widget) {
            CFindDlg* dialog = AsFind(widget);
            dialog->Edit()->setText(QStringLiteral("parl\u4E2Dé"));
            QTest::keyClick(dialog->Edit(), Qt::Key_Return);
            QVERIFY(dialog->isVisible());
            kept << dialog->Edit()->text() << dialog->Edit()->selectedText();
            dialog->Edit()->setText(QString(10000, QLatin1Char('e')));
            QTest::keyClick(dialog->Edit(), Qt::Key_Return);
            QVERIFY(dialog->isVisible());
            kept << QString::number(dialog->Edit()->text().size());
            dialog->reject();
        });
        frame->Action(IdFind)->trigger();
        QCOMPARE(kept, QStringList({QStringLiteral("parl\u4E2Dé"), QStringLiteral("\u4E2D"), "10000"}));
        QCOMPARE(messages.messages.size(), 2);
        QVERIFY(messages.messages[0].text.contains(QStringLiteral("\u4E2D")));
        QVERIFY(messages.messages[1].text.contains(QStringLiteral("255")));
    }

    // A forms search: progress 0 ... 100 painted as it arrives, no handle
    // left with the module, then a results window in the module's order.
    void formsSearchWithProgress() {
        ProgressWatch watch;
        WhenShown([](QWidget* widget) { SearchFor(AsFind(widget), QStringLiteral("aimons")); });
        frame->Action(IdFind)->trigger();
        QList<int> expected;
        for (int p = 0; p <= 100; p += 5) expected << p;
        QList<int> painted = watch.paintedValues;
        painted.erase(std::unique(painted.begin(), painted.end()), painted.end());
        QCOMPARE(painted, expected);
        QCOMPARE(watch.statusText, QStringLiteral("Searching French Verbs ..."));

        auto fakeTarget = reinterpret_cast<HWND (*)()>(
            platform::FindEntryPoint(frame->modules[0]->Handle(), "FakeProgressTarget"));
        QVERIFY(fakeTarget);
        QCOMPARE(fakeTarget(), HWND(nullptr));
        QVERIFY(frame->findChildren<CSearchProgressDlg*>().isEmpty());

        auto* results = qobject_cast<CResultWnd*>(frame->MdiArea()->activeSubWindow());
        QVERIFY(results);
        CSortingListCtrl* list = results->List();
        QCOMPARE(list->columnCount(), 3);
        QCOMPARE(list->headerItem()->text(2), QStringLiteral("Tense"));
        QCOMPARE(results->windowTitle(),
                 QStringLiteral("%1 Matches for aimons").arg(list->topLevelItemCount()));
        QCOMPARE(list->CellText(0, 0), QStringLiteral("aimer"));
        QCOMPARE(list->CellText(0, 1), QStringLiteral("nous aimons0"));
        QCOMPARE(list->CellText(0, 2), QStringLiteral("Présent"));
        QVERIFY(!results->windowIcon().isNull() || frame->modules[0]->moduleIcon == nullptr);

        // The frame follows: no verb in the verb box, no definition, no
        // Print; the Window menu stays.
        QVERIFY(!frame->VerbCombo(0)->isEnabled());
        QVERIFY(frame->VerbCombo(0)->currentText().isEmpty());
        QVERIFY(frame->DefinitionField()->toPlainText().isEmpty());
        QVERIFY(!frame->Action(IdPrint)->isEnabled());
        QVERIFY(frame->MenusAreChildMenus());
    }

    // "Ignore accents" sits under "Match whole word only", reaches the
    // module as IgnoreAccents and is remembered for the next search.
    void ignoreAccentsIsPassedAndRemembered() {
        auto lastFlags = reinterpret_cast<int32_t (*)()>(
            platform::FindEntryPoint(frame->modules[0]->Handle(), "FakeLastFindFlags"));
        QVERIFY(lastFlags);
        WhenShown([](QWidget* widget) {
            CFindDlg* dialog = AsFind(widget);
            auto* whole = dialog->findChild<QCheckBox*>("check1002");
            auto* ignore = dialog->findChild<QCheckBox*>("check1015");
            QVERIFY(ignore && !ignore->isChecked());
            QCOMPARE(ignore->text(), QStringLiteral("&Ignore accents"));
            QCOMPARE(ignore->x(), whole->x());
            QVERIFY(ignore->y() >= whole->y() + whole->height());
            QVERIFY(ignore->geometry().bottom() < dialog->height());
            QTest::mouseClick(ignore, Qt::LeftButton);
            QVERIFY(ignore->isChecked());
            SearchFor(dialog, QStringLiteral("aimons"));
        });
        frame->Action(IdFind)->trigger();
        QVERIFY(lastFlags() & IgnoreAccents);
        auto* results = qobject_cast<CResultWnd*>(frame->MdiArea()->activeSubWindow());
        QVERIFY(results);
        QCOMPARE(results->windowTitle(),
                 QStringLiteral("%1 Matches for aimons").arg(results->List()->topLevelItemCount()));
        bool checkedAgain = false;
        WhenShown([&checkedAgain](QWidget* widget) {
            CFindDlg* dialog = AsFind(widget);
            checkedAgain = dialog->findChild<QCheckBox*>("check1015")->isChecked();
            dialog->findChild<QCheckBox*>("check1015")->setChecked(false);
            SearchFor(dialog, QStringLiteral("aimons"));
        });
        frame->Action(IdFind)->trigger();
        QVERIFY(checkedAgain);
        QVERIFY(!(lastFlags() & IgnoreAccents));
    }

    void titlesAndColumns_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("definitions");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("columns");
        QTest::newRow("one") << "#1" << false << "1 Match for #1" << 3;
        QTest::newRow("199") << "#199" << false << "199 Matches for #199" << 3;
        QTest::newRow("200") << "#200" << false << "First 200 Matches for #200" << 3;
        QTest::newRow("definitions") << "to s" << true << "3 Matches for to s" << 2;
    }
    void titlesAndColumns() {
        QFETCH(QString, text);
        QFETCH(bool, definitions);
        ProgressWatch watch;
        WhenShown([text, definitions](QWidget* widget) {
            if (definitions) widget->findChild<QRadioButton*>("radio1008")->click();
            SearchFor(AsFind(widget), text);
        });
        frame->Action(IdFind)->trigger();
        auto* results = qobject_cast<CResultWnd*>(frame->MdiArea()->activeSubWindow());
        QVERIFY(results);
        QTEST(results->windowTitle(), "title");
        QTEST(results->List()->columnCount(), "columns");
        if (definitions) {
            QCOMPARE(watch.statusText, QStringLiteral("Searching English Definitions ..."));
            QVERIFY(!watch.paintedValues.isEmpty());
            for (int value : watch.paintedValues) QCOMPARE(value, 0);
        }
    }

    // Opening rows: pronominal and alternate matches open as they matched,
    // also after sorting, by double click and by Enter; the results window
    // stays.
    void openRowsAsMatched() {
        WhenShown([](QWidget* widget) { SearchFor(AsFind(widget), QStringLiteral("nous nous ass")); });
        frame->Action(IdFind)->trigger();
        auto* results = qobject_cast<CResultWnd*>(frame->MdiArea()->activeSubWindow());
        QVERIFY(results);
        CSortingListCtrl* list = results->List();
        ClickHeading(list, 1);
        ClickHeading(list, 1);  // descending: the alternate forms ("assy...") first
        QVERIFY(list->CellText(0, 1).startsWith(QStringLiteral("nous nous assy")));
        DoubleClickRow(list, 0);
        CChildFrame* opened = frame->ActiveVerbWindow();
        QVERIFY(opened);
        QCOMPARE(opened->VerbIndex(), int(Asseoir));
        QVERIFY(opened->IsPronominal());
        QVERIFY(opened->UsesAlternate());
        QVERIFY(opened->HighlightedSlot() >= 0);
        QCOMPARE(FromCp1252(opened->Form(opened->HighlightedSlot())), list->CellText(0, 1));

        frame->MdiArea()->setActiveSubWindow(results);
        const int last = list->topLevelItemCount() - 1;
        QVERIFY(!list->CellText(last, 1).startsWith(QStringLiteral("nous nous assy")));
        list->setCurrentItem(list->topLevelItem(last));
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);
        opened = frame->ActiveVerbWindow();
        QVERIFY(opened);
        QVERIFY(opened->IsPronominal());
        QVERIFY(!opened->UsesAlternate());
        QVERIFY(frame->MdiArea()->subWindowList().contains(results));
    }

    // Results windows as places to work from: each opens whole inside the
    // area, keeps the Window menu, lets Tab out of its list, and opens a
    // match in the tabbed layout on the tab that shows its tense.
    void workingFromResultsWindows() {
        const QRect area = frame->MdiArea()->viewport()->rect();
        for (int i = 0; i < 6; ++i) {
            WhenShown([](QWidget* widget) { SearchFor(AsFind(widget), QStringLiteral("#200")); });
            frame->Action(IdFind)->trigger();
            auto* results = qobject_cast<CResultWnd*>(frame->MdiArea()->activeSubWindow());
            QVERIFY(results);
            QVERIFY2(area.contains(results->geometry()), qPrintable(QStringLiteral("window %1").arg(i)));
        }
        QVERIFY(frame->MenusAreChildMenus());

        WhenShown([](QWidget* widget) { SearchFor(AsFind(widget), QStringLiteral("ons")); });
        frame->Action(IdFind)->trigger();
        auto* results = qobject_cast<CResultWnd*>(frame->MdiArea()->activeSubWindow());
        QVERIFY(results);
        CSortingListCtrl* list = results->List();
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Tab);
        QVERIFY(frame->DefinitionField()->hasFocus());
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Backtab);
        QVERIFY(!list->hasFocus());

        frame->Action(IdTabbedScreen)->trigger();  // tabbed layout
        QSet<QString> tenses;
        for (int row = 0; row < list->topLevelItemCount(); ++row) {
            const QString tense = list->CellText(row, 2);
            if (tenses.contains(tense)) continue;
            tenses.insert(tense);
            frame->MdiArea()->setActiveSubWindow(results);
            list->setCurrentItem(list->topLevelItem(row));
            list->setFocus();
            QTest::keyClick(list, Qt::Key_Return);
            CChildFrame* opened = frame->ActiveVerbWindow();
            QVERIFY(opened);
            // The form matched is highlighted, on the tab shown.
            const int slot = opened->HighlightedSlot();
            QVERIFY2(slot >= 0, qPrintable(list->CellText(row, 1)));
            QCOMPARE(FromCp1252(opened->Form(slot)), list->CellText(row, 1));
            QStringList shown;  // the tense names on the tab shown
            bool formShown = false;
            const int perCell = opened->BlocksPerCell() * CChildFrame::LinesPerBlock;
            for (int entry = opened->FirstCell() * perCell; entry < (opened->FirstCell() + 2) * perCell;
                 ++entry) {
                if (const char* line = opened->PageLine(entry)) shown << QString::fromLatin1(line);
                formShown |= opened->PageLine(entry) == opened->Form(slot);
            }
            QVERIFY2(shown.contains(QStringLiteral("\\blue") + tense), qPrintable(tense));
            QVERIFY(formShown);
            opened->close();
        }
        QVERIFY(tenses.size() >= 4);
    }

    // The definitions search covers what the user sees: a rewritten
    // definition replaces the module's, and each verb and form is listed
    // once.
    void definitionsSearchCoversTheUsersDefinitions() {
        auto search = [this](const QString& text) -> QStringList {
            WhenShown([text](QWidget* widget) {
                CFindDlg* dialog = AsFind(widget);
                dialog->findChild<QRadioButton*>(QStringLiteral("radio1008"))->setChecked(true);
                SearchFor(dialog, text);
            });
            auto* before = frame->MdiArea()->activeSubWindow();
            frame->Action(IdFind)->trigger();
            auto* results = qobject_cast<CResultWnd*>(frame->MdiArea()->activeSubWindow());
            if (results == nullptr || results == before) return {};
            QStringList rows;
            for (int row = 0; row < results->List()->topLevelItemCount(); ++row)
                rows << results->List()->CellText(row, 0) + QLatin1Char('|') +
                            results->List()->CellText(row, 1);
            return rows;
        };
        LanguageModule* module = frame->modules[0].get();
        QVERIFY(module->SetEnglishDefinition(Aimer, false, "to adore, to cherish"));
        QCOMPARE(search(QStringLiteral("love")), QStringList({QStringLiteral("aimer|to love each other")}));
        QCOMPARE(search(QStringLiteral("cherish")),
                 QStringList({QStringLiteral("aimer|to adore, to cherish")}));

        // With the real verbs: a verb that is only pronominal is listed once.
        StopFrame(frame);
        frame = StartFrame({"French.ldl"});
        QVERIFY2(frame, "The language module French.ldl is built with the program and must load.");
        const QStringList rows = search(QStringLiteral("to fall in love"));
        QCOMPARE(rows.filter(QStringLiteral("s'éprendre|")).size(), 1);
    }

    // Sorting: ascending, descending, another column, equal keys kept in
    // place, item data and selection with their rows, the unsortable type.
    void sortingList() {
        CSortingListCtrl list;
        list.AttachHeading();
        list.setColumnCount(2);
        list.setHeaderLabels({"Infinitive", "Result"});
        const QStringList infinitives = {"zébrer", "Etre", "aimer", "être", "etre", "aimer", "Aimer"};
        const QStringList results = {"a", "b", "c", "d", "e", "f", "g"};
        for (int i = 0; i < infinitives.size(); ++i) {
            auto* row = new QTreeWidgetItem({infinitives[i], results[i]});
            list.addTopLevelItem(row);
            list.SetItemData(i, 100 + i);
        }
        const uint8_t types[2] = {1, 4};
        QVERIFY(list.SetColumnTypes(types, 2));
        list.EnableSorting(true);
        list.SetHighlightMode(2);
        list.resize(400, 300);
        list.show();
        list.topLevelItem(3)->setSelected(true);  // "être"

        ClickHeading(&list, 0);
        QCOMPARE(Column(&list, 0).join(',').toLower(),
                 QStringLiteral("aimer,aimer,aimer,etre,etre,zébrer,être"));
        QCOMPARE(list.heading->sortColumn, 0);
        QVERIFY(list.heading->ascending);
        for (int row = 0; row < list.topLevelItemCount(); ++row)
            QCOMPARE(list.GetItemData(row) - 100, int(results.indexOf(list.CellText(row, 1))));
        QCOMPARE(list.CellText(list.SelectedRow(), 0), QStringLiteral("être"));

        ClickHeading(&list, 0);
        QCOMPARE(Column(&list, 0).first(), QStringLiteral("être"));
        QCOMPARE(Column(&list, 0).last().toLower(), QStringLiteral("aimer"));
        QVERIFY(!list.heading->ascending);
        QCOMPARE(list.SelectedRow(), 0);

        const QStringList before = Column(&list, 1);
        ClickHeading(&list, 1);  // type 4: order kept, arrow shown
        QCOMPARE(Column(&list, 1), before);
        QCOMPARE(list.heading->sortColumn, 1);
        QVERIFY(list.heading->ascending);
        SaveScreenshot(&list, QStringLiteral("sorting-list"));

        // Rows with equal keys are never swapped.
        CSortingListCtrl same;
        same.setColumnCount(1);
        QVERIFY(same.SetColumnTypes(types, 1));
        for (int i = 0; i < 5; ++i) {
            same.addTopLevelItem(
                new QTreeWidgetItem({i % 2 ? QStringLiteral("Etre") : QStringLiteral("etre")}));
            same.SetItemData(i, i);
        }
        QVERIFY(same.SortColumn(0, true));
        for (int i = 0; i < 5; ++i) QCOMPARE(same.GetItemData(i), i);
        QVERIFY(!same.SortColumn(1, true));  // no such column
        CSortingListCtrl one;
        one.setColumnCount(1);
        QVERIFY(!one.SortColumn(0, true));
        one.addTopLevelItem(new QTreeWidgetItem({"x"}));
        QVERIFY(!one.SortColumn(0, true));
    }

    void compareByType_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("sign");
        QTest::newRow("bytes: case counts") << 0 << "Etre"
                                            << "etre" << -1;
        QTest::newRow("folded A-Z") << 1 << "Etre"
                                    << "etre" << 0;
        QTest::newRow("accent after z") << 1 << "zèbre"
                                        << "école" << -1;
        QTest::newRow("accented capital") << 1 << "École"
                                          << "école" << -1;
        QTest::newRow("œ is 0x9C") << 0 << "œuvrer"
                                   << "à" << -1;
        QTest::newRow("integers") << 2 << "12 ans"
                                  << "9" << 1;
        QTest::newRow("no integer is 0") << 2 << "abc"
                                         << "0" << 0;
        QTest::newRow("unsortable compares as text") << 4 << "b"
                                                     << "a" << 1;
    }
    void compareByType() {
        QFETCH(int, type);
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, sign);
        CSortingListCtrl list;
        const uint8_t types[1] = {uint8_t(type)};
        QVERIFY(list.SetColumnTypes(types, 1));
        const int c = list.Compare(a, b, 0);
        QCOMPARE((c > 0) - (c < 0), sign);
        QCOMPARE(list.Compare(b, a, 0) * c <= 0, true);
        // A bad table leaves none: every column compares as bytes.
        const uint8_t bad[2] = {1, 5};
        QVERIFY(!list.SetColumnTypes(bad, 2));
        QVERIFY(list.columnTypes.empty());
        QVERIFY(list.Compare(QStringLiteral("Etre"), QStringLiteral("etre"), 0) < 0);
    }

    // Results windows live beside verb windows, and only verb windows come back.
    void resultsWindowsAreNotSaved() {
        for (const char* text : {"#3", "#5"}) {
            WhenShown([text](QWidget* widget) { SearchFor(AsFind(widget), QString::fromLatin1(text)); });
            frame->Action(IdFind)->trigger();
        }
        QCOMPARE(frame->findChildren<CResultWnd*>().size(), 2);
        QCOMPARE(OpenChildCount, 3);
        StopFrame(frame);
        frame = StartFrame();
        QCOMPARE(frame->findChildren<CResultWnd*>().size(), 0);
        QCOMPARE(OpenChildCount, 1);

        // Closing the last child, a results window, leaves the frame's menus.
        WhenShown([](QWidget* widget) { SearchFor(AsFind(widget), QStringLiteral("#2")); });
        frame->Action(IdFind)->trigger();
        frame->ActiveVerbWindow();
        for (QMdiSubWindow* window : frame->MdiArea()->subWindowList())
            if (qobject_cast<CChildFrame*>(window)) window->close();
        ProcessEvents();
        QCOMPARE(OpenChildCount, 1);
        frame->MdiArea()->subWindowList().first()->close();
        ProcessEvents();
        QCOMPARE(OpenChildCount, 0);
        QVERIFY(!frame->MenusAreChildMenus());
        QVERIFY(!frame->VerbCombo(0)->isEnabled());
    }

    // Pictures with the real module: the dialog with its accent menu, the
    // progress window half-way, a sorted results window.
    void screenshots() {
        StopFrame(frame);
        frame = StartFrame({"French.ldl"});
        QVERIFY2(frame, "The language module French.ldl is built with the program and must load.");
        WhenShown([](QWidget* widget) {
            CFindDlg* dialog = AsFind(widget);
            TypeText(dialog->Edit(), QStringLiteral("parl"));
            WhenShown(
                [dialog](QWidget* popup) {
                    QPixmap both(dialog->width() + popup->width(),
                                 std::max(dialog->height(), popup->height()));
                    both.fill(Qt::darkGray);
                    QPainter painter(&both);
                    painter.drawPixmap(0, 0, dialog->grab());
                    painter.drawPixmap(dialog->width(), 0, popup->grab());
                    painter.end();
                    both.save(QStringLiteral(PLIMO_SCREENSHOT_DIR "/find-dialog-accents.png"));
                    static_cast<QMenu*>(popup)->close();
                },
                true);
            dialog->ShowAccentMenu();
            dialog->InsertLetter(IdInsertFirst + 3);
            QTest::keyClick(dialog->Edit(), Qt::Key_Return);
        });
        frame->Action(IdFind)->trigger();
        auto* results = qobject_cast<CResultWnd*>(frame->MdiArea()->activeSubWindow());
        QVERIFY(results);
        QVERIFY(results->windowTitle().endsWith(QStringLiteral(" Matches for parlé")));
        results->showMaximized();
        ClickHeading(results->List(), 2);
        results->List()->topLevelItem(3)->setSelected(true);
        results->List()->setFocus();
        SaveScreenshot(frame.get(), QStringLiteral("results-sorted"));

        CSearchProgressDlg progress(frame.get());
        progress.statusText = QStringLiteral("Searching French Verbs ...");
        progress.language = frame->modules[0].get();
        progress.show();
        progress.SetProgress(50);
        SaveScreenshot(&progress, QStringLiteral("search-progress"));
    }
};

QTEST_MAIN(SearchTest)
#include "tst_Search.moc"
