// Typing a form of a verb into the verb box, with the real verbs: the list of
// forms under the box, choosing in it with the keys and the mouse, and the
// form found highlighted on the verb's page.
#include <QImage>
#include <QLineEdit>
#include <QTest>

#include "AppTestSupport.h"
#include "CChildFrame.h"
#include "CMainFrame.h"
#include "CTabbedScreen.h"
#include "CommandIds.h"
#include "FormLookupList.h"
#include "PageMarkup.h"
#include "PageTabCtrl.h"
#include "PageView.h"
#include "ProgramObjects.h"
#include "QtText.h"
#include "VerbComboBox.h"

namespace {

// The slot whose form, as the page shows it, is `form`; -1 if none.
int SlotShowing(const CChildFrame& window, const QString& form) {
    for (int slot = 0; slot < CChildFrame::FormCount; ++slot)
        if (FromCp1252(VisibleText(window.Form(slot))) == form) return slot;
    return -1;
}

// Where the page line of form slot `slot` is drawn in the part of the page
// shown, or a null point when it is not shown.
QPoint WhereSlotIsDrawn(const CChildFrame& window, int slot) {
    for (int column = 0; column < window.ColumnCount(); ++column)
        for (int block = 0; block < window.BlocksPerCell(); ++block)
            for (int line = 0; line < CChildFrame::LinesPerBlock; ++line) {
                const int entry = ((window.FirstCell() + column) * window.BlocksPerCell() + block) *
                                      CChildFrame::LinesPerBlock +
                                  line;
                if (window.PageLine(entry) == window.Form(slot))
                    return window.LinePosition(column, block, line);
            }
    return QPoint();
}

QStringList Lines(const FormLookupList* list) {
    QStringList lines;
    for (int row = 0; row < list->count(); ++row) lines << list->item(row)->text();
    return lines;
}

}  // namespace

class FormLookupTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        workspace = std::make_unique<TestWorkspace>();
        frame = StartFrame({"French.ldl"});
        QVERIFY2(frame, "The language module French.ldl is built with the program and must load.");
        combo = frame->VerbCombo(0);
        list = combo->LookupList();
        QVERIFY(combo && list && frame->ActiveVerbWindow());
    }
    void cleanup() {
        StopFrame(frame);
        workspace.reset();
    }

    // A learner who met "nous fûmes" types its start in the tabbed layout,
    // goes down to the line of être and opens it: the page of être, on the
    // tab of the Passé Simple, with "nous fûmes" highlighted until another
    // verb is typed.
    void choosingAFormWithTheKeys() {
        frame->OnCommand(IdTabbedScreen);
        auto* window = qobject_cast<CTabbedScreen*>(frame->ActiveVerbWindow());
        QVERIFY(window);
        const int startVerb = window->VerbIndex();
        TypeInBox(QStringLiteral("f\u00FBm"));
        QTRY_VERIFY(list->isVisible());
        const QString etre =
            QStringLiteral("f\u00FBmes \u2014 \u00EAtre \u00B7 Pass\u00E9 Simple \u00B7 nous");
        QCOMPARE(Lines(list).value(0), etre);  // the exact reading before those without accents
        QVERIFY(Lines(list).contains(QStringLiteral("fume \u2014 fumer \u00B7 Pr\u00E9sent \u00B7 je")));
        // The list lies under the box, at least as wide, and the box keeps the keys.
        QCOMPARE(list->geometry().topLeft(), combo->mapToGlobal(QPoint(0, combo->height())));
        QVERIFY(list->width() >= combo->width());
        for (int row = 0; row < list->count(); ++row)  // no line is cut, in view or not
            QVERIFY2(
                list->sizeHintForIndex(list->model()->index(row, 0)).width() <= list->viewport()->width(),
                qPrintable(list->item(row)->text()));
        QVERIFY(list->height() <= (FormLookupList::MaxVisibleRows + 1) * list->sizeHintForRow(0));
        QVERIFY(combo->hasFocus());

        QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(list->currentRow(), 0);
        QCOMPARE(window->VerbIndex(), startVerb);  // moving in the list shows nothing yet
        QTest::keyClick(combo, Qt::Key_Return);
        QVERIFY(!list->isVisible());
        QCOMPARE(window->windowTitle(), QStringLiteral("\u00EAtre"));
        QCOMPARE(combo->currentText(), QStringLiteral("\u00EAtre"));
        QVERIFY(!window->IsPronominal());
        const int slot = SlotShowing(*window, QStringLiteral("nous f\u00FBmes"));
        QVERIFY(slot >= 0);
        QCOMPARE(window->HighlightedSlot(), slot);
        // The tab that holds the Passé Simple is current, and the line is
        // painted on the highlight; the line above it is not.
        const QPoint at = WhereSlotIsDrawn(*window, slot);
        QVERIFY2(!at.isNull(), "the highlighted form is on the tab shown");
        const QImage page = window->View()->viewport()->grab().toImage();
        const QColor tint = CChildFrame::HighlightTint();
        QCOMPARE(page.pixelColor(at + QPoint(-1, 1)), tint);
        QCOMPARE(page.pixelColor(at + QPoint(-1, -LineHeight + 1)), QColor(Qt::white));

        // Another verb takes the highlight away.
        TypeInBox(QStringLiteral("placer"));
        QCOMPARE(window->windowTitle(), QStringLiteral("placer"));
        QCOMPARE(window->HighlightedSlot(), -1);
        QTRY_VERIFY(!list->isVisible());  // a verb name that is no other form opens no list
    }

    // Esc closes the list and leaves the text as typed; fast typing loses
    // no key; a click opens a reading in its form, pronominal included.
    void escapeFastTypingAndClicks() {
        CChildFrame* window = frame->ActiveVerbWindow();
        // The start of a verb's name that is a form too: Enter takes the
        // first reading.
        TypeInBox(QStringLiteral("aime"));
        QTRY_VERIFY(list->isVisible());
        QCOMPARE(Lines(list).value(0), QStringLiteral("aime \u2014 aimer \u00B7 Pr\u00E9sent \u00B7 je"));
        QTest::keyClick(combo, Qt::Key_Return);
        QCOMPARE(window->windowTitle(), QStringLiteral("aimer"));
        QCOMPARE(FromCp1252(window->Form(window->HighlightedSlot())), QStringLiteral("j'aime"));

        TypeInBox(QStringLiteral("f\u00FBm"));
        QTRY_VERIFY(list->isVisible());
        QTest::keyClick(combo, Qt::Key_Escape);
        QVERIFY(!list->isVisible());
        QCOMPARE(combo->currentText(), QStringLiteral("f\u00FBm"));

        combo->lineEdit()->selectAll();
        const QString typed = QStringLiteral("nous nous lavions");
        QTest::keyClicks(combo, typed);
        QCOMPARE(combo->currentText(), typed);
        QTRY_VERIFY(list->isVisible());
        QCOMPARE(combo->currentText(), typed);
        const QStringList lines = Lines(list);
        const int row = lines.indexOf(QStringLiteral("lavions \u2014 se laver \u00B7 Imparfait \u00B7 nous"));
        QVERIFY2(row >= 0, qPrintable(lines.join(u'\n')));
        const QRect rect = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
        QVERIFY(!list->isVisible());
        QCOMPARE(window->windowTitle(), QStringLiteral("se laver"));
        QVERIFY(window->IsPronominal());
        QCOMPARE(window->HighlightedSlot(), SlotShowing(*window, QStringLiteral("nous nous lavions")));
        QVERIFY(window->HighlightedSlot() >= 0);
        // The plain form is another page: no highlight.
        frame->Action(IdPronominal)->trigger();
        QVERIFY(!window->IsPronominal());
        QCOMPARE(window->HighlightedSlot(), -1);
    }

    // A module without LookupForm opens no list.
    void noListWithoutLookup() {
        StopFrame(frame);
        frame = StartFrame();
        QVERIFY(frame);
        combo = frame->VerbCombo(0);
        TypeInBox(QStringLiteral("aimons"));
        ProcessEvents();
        QVERIFY(!combo->LookupList()->isVisible());
        QCOMPARE(combo->currentText(), QStringLiteral("aimons"));
    }

private:
    void TypeInBox(const QString& text) {
        combo->setFocus(Qt::MouseFocusReason);
        ProcessEvents();
        combo->lineEdit()->selectAll();
        TypeText(combo, text);
    }

    std::unique_ptr<TestWorkspace> workspace;
    std::unique_ptr<CMainFrame> frame;
    VerbComboBox* combo = nullptr;
    FormLookupList* list = nullptr;
};

QTEST_MAIN(FormLookupTest)
#include "tst_FormLookup.moc"
