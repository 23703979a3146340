// Verb windows: page model, page geometry, markup and the two layouts.
#include <QFontMetrics>
#include <QMdiArea>
#include <QScrollBar>
#include <QTest>

#include "AppTestSupport.h"
#include "CFullScreen.h"
#include "CMainFrame.h"
#include "CTabbedScreen.h"
#include "CommandIds.h"
#include "PageMarkup.h"
#include "PageTabCtrl.h"
#include "PageView.h"
#include "ProgramObjects.h"
#include "QtText.h"

namespace {

// Every line of the page fits its column with a margin on each side, and
// no column is wider than its widest line needs (each row of cells adds its
// two margins).
void CheckColumnsFitTheirLines(const CChildFrame& w) {
    QFontMetrics metrics(*VerbFont);
    const int linesPerCell = w.BlocksPerCell() * 7;
    for (int col = 0; col < w.ColumnCount(); ++col) {
        int widest = 0;
        for (int row = 0; row < w.RowCount(); ++row) {
            const int first = (row * w.ColumnCount() + col) * linesPerCell;
            for (int e = first; e < first + linesPerCell; ++e) {
                if (!w.PageLine(e)) continue;
                const int width = metrics.horizontalAdvance(FromCp1252(VisibleText(w.PageLine(e))));
                QVERIFY2(width + 2 * w.MarginX() <= w.ColumnWidths()[size_t(col)], w.PageLine(e));
                widest = std::max(widest, width);
            }
        }
        QVERIFY(w.ColumnWidths()[size_t(col)] <= widest + 2 * w.MarginX() * w.RowCount());
    }
}

// Whether the image has a pixel of `colour` inside `rect`.
bool HasColour(const QImage& image, const QRect& rect, QRgb colour) {
    for (int y = std::max(0, rect.top()); y <= std::min(image.height() - 1, rect.bottom()); ++y)
        for (int x = std::max(0, rect.left()); x <= std::min(image.width() - 1, rect.right()); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)) return true;
    return false;
}

}  // namespace

class VerbWindowTest : public RunningProgramTest {
    Q_OBJECT

private slots:

    void fullScreenGeometry() {
        auto* w = qobject_cast<CFullScreen*>(frame->ActiveVerbWindow());
        QVERIFY(w);
        QCOMPARE(w->VerbIndex(), 0);
        QCOMPARE(w->BlocksPerCell(), 4);
        QCOMPARE(w->ColumnCount(), 4);
        QCOMPARE(w->RowCount(), 1);
        QFontMetrics metrics(*VerbFont);
        QCOMPARE(LineHeight, metrics.height() + metrics.leading());
        QCOMPARE(VerbFont->family(), QStringLiteral("Arial"));
        CheckColumnsFitTheirLines(*w);
        const auto& widths = w->ColumnWidths();
        QCOMPARE(w->PageWidth(), widths[0] + widths[1] + widths[2] + widths[3] + 2 * 5);
        QCOMPARE(w->PageHeight(), 31 * LineHeight + 2 * 5);
        // The fourth block's heading, and a line of the last column.
        QCOMPARE(w->LinePosition(0, 3, 0), QPoint(5, 5 + 24 * LineHeight));
        QCOMPARE(w->LinePosition(3, 1, 2),
                 QPoint(5 + widths[0] + widths[1] + widths[2], 5 + 10 * LineHeight));
    }

    void blockOrderOfBothLayouts() {
        LanguageModule* module = frame->modules[0].get();
        CChildFrame* full = frame->ActiveVerbWindow();
        QCOMPARE(full->PageLine(13 * 7), module->GetTenseName(13));  // Conditionnel Passé
        QCOMPARE(full->PageLine(14 * 7), module->GetTenseName(14));  // Imperatif
        QCOMPARE(full->PageLine(4 * 7 + 1), full->Form(7 * 6));      // Passé Composé, je
        QCOMPARE(full->PageLine(15 * 7), module->GetTenseName(16));
        QCOMPARE(full->PageLine(15 * 7 + 1), full->Form(90));
        QVERIFY(full->PageLine(15 * 7 + 2) == nullptr);
        QCOMPARE(full->PageLine(15 * 7 + 3), module->GetTenseName(15));
        QCOMPARE(full->PageLine(15 * 7 + 5), full->Form(92));
        QVERIFY(full->PageLine(15 * 7 + 6) == nullptr);
        // The imperative's last three person lines are the always-empty slots.
        QCOMPARE(full->PageLine(14 * 7 + 4), full->Form(87));

        frame->OnCommand(IdTabbedScreen);
        frame->OnCommand(IdNewWindowFirst);
        auto* tabbed = qobject_cast<CTabbedScreen*>(frame->ActiveVerbWindow());
        QVERIFY(tabbed);
        QCOMPARE(tabbed->PageLine(13 * 7), module->GetTenseName(14));
        QCOMPARE(tabbed->PageLine(14 * 7), module->GetTenseName(13));
    }

    void tabbedGeometry() {
        frame->OnCommand(IdTabbedScreen);
        frame->OnCommand(IdNewWindowFirst);
        auto* w = qobject_cast<CTabbedScreen*>(frame->ActiveVerbWindow());
        QVERIFY(w);
        QRect display = w->pageTabs->AdjustRect(false, QRect(0, 0, 100, 100));
        QCOMPARE(w->MarginX(), 5 + display.left());
        QCOMPARE(w->MarginY(), 5 + display.top());
        CheckColumnsFitTheirLines(*w);
        QCOMPARE(w->PageWidth(), w->ColumnWidths()[0] + w->ColumnWidths()[1] + 2 * w->MarginX());
        QCOMPARE(w->PageHeight(), 15 * LineHeight + 2 * w->MarginY());
        QCOMPARE(w->size(), w->PageWindowSize());
        QCOMPARE(w->pageTabs->count(), 4);
        QCOMPARE(w->pageTabs->tabText(3), QStringLiteral("Conditionnel/Participe"));
        QCOMPARE(w->pageTabs->tabText(1), QStringLiteral("Composé"));

        // Tabs change only the row shown, never the size.
        const QSize size = w->size();
        QTest::mouseClick(w->pageTabs, Qt::LeftButton, {}, w->pageTabs->tabRect(2).center());
        QCOMPARE(w->pageTabs->currentIndex(), 2);
        QCOMPARE(w->FirstCell(), 4);
        QCOMPARE(w->size(), size);
        w->pageTabs->setCurrentIndex(3);
        QCOMPARE(w->FirstCell(), 6);
        QCOMPARE(w->size(), size);
        // Tab 3: Conditionnel and Imperatif left, Conditionnel Passé and participles right.
        LanguageModule* module = frame->modules[0].get();
        QCOMPARE(w->PageLine((6 * 2 + 0) * 7), module->GetTenseName(6));
        QCOMPARE(w->PageLine((6 * 2 + 1) * 7), module->GetTenseName(14));
        QCOMPARE(w->PageLine((7 * 2 + 0) * 7), module->GetTenseName(13));
        QCOMPARE(w->PageLine((7 * 2 + 1) * 7), module->GetTenseName(16));

        // A new verb keeps the tab and snaps the window to the new page.
        w->SetVerb(Ressortir1);
        QCOMPARE(w->pageTabs->currentIndex(), 3);
        QCOMPARE(w->size(), w->PageWindowSize());

        // Resizing is undone; maximising fills the area, restoring snaps back.
        w->resize(w->width() + 150, w->height() + 90);
        QCOMPARE(w->size(), w->PageWindowSize());
        w->showMaximized();
        ProcessEvents();
        QCOMPARE(w->size(), frame->MdiArea()->viewport()->size());
        w->showNormal();
        ProcessEvents();
        QCOMPARE(w->size(), w->PageWindowSize());
        SaveScreenshot(w, QStringLiteral("fake-tabbed-tab3"));
    }

    void markupAndColours() {
        QCOMPARE(VisibleText("\\bluePr\xE9sent"), std::string("Pr\xE9sent"));
        QCOMPARE(VisibleText("a\\redb\\blackc\\blued"), std::string("abcd"));
        QCOMPARE(VisibleText("\\green"), std::string("\\green"));
        QCOMPARE(VisibleText(nullptr), std::string());
        QCOMPARE(ColourCodeAt("\\red x").length, 4);
        QCOMPARE(ColourCodeAt("\\black").colour, MarkupBlack);
        std::string longLine(400, 'x');
        QCOMPARE(int(VisibleText(longLine.c_str()).size()), MaxVisibleLineLength);

        CChildFrame* w = frame->ActiveVerbWindow();
        QImage image = w->View()->viewport()->grab().toImage();
        const QPoint heading = w->LinePosition(0, 0, 0);
        const QPoint person = w->LinePosition(0, 0, 1);
        const QRect headingRow(heading.x(), heading.y(), w->ColumnWidths()[0], LineHeight);
        const QRect personRow(person.x(), person.y(), w->ColumnWidths()[0], LineHeight);
        QVERIFY(HasColour(image, headingRow, qRgb(0, 0, 255)));
        QVERIFY(!HasColour(image, personRow, qRgb(0, 0, 255)));
        QVERIFY(HasColour(image, personRow, qRgb(0, 0, 0)));
        QCOMPARE(image.pixel(1, 1) & 0xFFFFFF, 0xFFFFFFu);  // white background

        // The verb text colour applies to form lines only.
        frame->ApplyDisplayFont(*VerbFont, 0x000000FF);  // red
        image = w->View()->viewport()->grab().toImage();
        QVERIFY(HasColour(image, personRow, qRgb(255, 0, 0)));
        QVERIFY(HasColour(image, headingRow, qRgb(0, 0, 255)));
    }

    void labelsAndImages_data() {
        QTest::addColumn<int>("verb");
        QTest::addColumn<int>("image1");
        QTest::addColumn<int>("image2");
        QTest::addColumn<bool>("variants");
        QTest::newRow("no variants") << int(Aimer) << 1 << 2 << false;
        QTest::newRow("A/E") << int(Monter) << 7 << 8 << true;
        QTest::newRow("I/Y") << int(Payer) << 10 << 11 << true;
        QTest::newRow("IE/OI") << int(Asseoir) << 14 << 12 << true;
    }
    void labelsAndImages() {
        QFETCH(int, verb);
        QFETCH(int, image1);
        QFETCH(int, image2);
        QFETCH(bool, variants);
        CChildFrame* w = frame->ActiveVerbWindow();
        w->SetVerb(verb);
        QCOMPARE(w->GetAlternateImage1(), image1);
        QCOMPARE(w->GetAlternateImage2(), image2);
        QCOMPARE(w->HasAlternate(), variants);
        QCOMPARE(frame->Action(IdAlternate1)->isEnabled(), variants);
        QCOMPARE(frame->Action(IdAlternate2)->isEnabled(), variants);
        QCOMPARE(frame->Action(IdAlternate1)->isChecked(), variants);
        QCOMPARE(frame->Action(IdAlternate1)->property("image").toInt(), image1);
        QCOMPARE(frame->Action(IdAlternate2)->property("image").toInt(), image2);
        QVERIFY(!frame->Action(IdAlternate2)->isChecked());
        if (variants) {
            frame->Action(IdAlternate2)->trigger();
            QVERIFY(w->UsesAlternate());
            QVERIFY(frame->Action(IdAlternate2)->isChecked());
            QVERIFY(!frame->Action(IdAlternate1)->isChecked());
            QVERIFY(QByteArray(w->Form(0)).contains("y"));
        }
        QCOMPARE(CChildFrame::ImageNumberForLabel("OI"), 12);
        QCOMPARE(CChildFrame::ImageNumberForLabel("U"), 13);
        QCOMPARE(CChildFrame::ImageNumberForLabel("a"), 1);
        QCOMPARE(CChildFrame::ImageNumberForLabel("AE"), 1);
    }

    void pronominalToggleRewritesInPlace() {
        CChildFrame* w = frame->ActiveVerbWindow();
        const char* line = w->PageLine(1);
        QCOMPARE(w->windowTitle(), QStringLiteral("aimer"));
        QVERIFY(frame->Action(IdPronominal)->isEnabled());
        QVERIFY(!frame->Action(IdPronominal)->isChecked());
        frame->Action(IdPronominal)->trigger();
        QVERIFY(w->IsPronominal());
        QVERIFY(frame->Action(IdPronominal)->isChecked());
        QCOMPARE(w->windowTitle(), QStringLiteral("se aimer"));
        QCOMPARE(w->PageLine(1), line);  // same buffer, new text
        QCOMPARE(QByteArray(w->PageLine(1)), QByteArray("je me aime0"));
        QCOMPARE(QString::fromStdString(w->EnglishDefinition()), QStringLiteral("to love each other"));
        // A verb that cannot be pronominal clears the flag.
        w->SetVerb(Pleuvoir);
        QVERIFY(!w->IsPronominal());
        QVERIFY(!frame->Action(IdPronominal)->isEnabled());
        // An impersonal verb leaves blank lines; the other lines keep their places.
        QCOMPARE(QByteArray(w->PageLine(1)), QByteArray());
        QCOMPARE(QByteArray(w->PageLine(3)), QByteArray("il pleue0"));
    }

    void outOfRangeIndexShowsFirstVerb() {
        LanguageModule* module = frame->modules[0].get();
        CChildFrame* a = frame->OpenVerbWindow(module, -1, false, false);
        QCOMPARE(a->VerbIndex(), 0);
        CChildFrame* b = frame->OpenVerbWindow(module, module->GetVerbCount(), false, false);
        QCOMPARE(b->VerbIndex(), 0);
        b->SetVerb(99);
        QCOMPARE(b->VerbIndex(), 0);
        // Two windows on the same verb keep their own states.
        a->SetPronominal(true);
        QVERIFY(a->IsPronominal());
        QVERIFY(!b->IsPronominal());
    }

    void fontChangeRemeasuresEveryWindow() {
        CChildFrame* full = frame->ActiveVerbWindow();
        frame->fullScreenLayout = false;
        CChildFrame* tabbed = frame->OpenVerbWindow(frame->modules[0].get(), Monter, false, false);
        const int oldLine = LineHeight;
        const int fullHeight = full->PageHeight(), tabbedHeight = tabbed->PageHeight();
        const int fullWidth = full->PageWidth();
        QFont bigger = *VerbFont;
        bigger.setPixelSize(bigger.pixelSize() * 2);
        frame->ApplyDisplayFont(bigger, 0);
        QVERIFY(LineHeight > oldLine);
        QCOMPARE(full->PageHeight() - fullHeight, 31 * (LineHeight - oldLine));
        QCOMPARE(tabbed->PageHeight() - tabbedHeight, 15 * (LineHeight - oldLine));
        QVERIFY(full->PageWidth() > fullWidth);
        QCOMPARE(tabbed->size(), static_cast<CTabbedScreen*>(tabbed)->PageWindowSize());
    }

    void fullScreenScrollBars() {
        CChildFrame* w = frame->ActiveVerbWindow();
        PageView* view = w->View();
        w->resize(w->PageWidth() + 200, w->PageHeight() + 200);
        ProcessEvents();
        QVERIFY(!view->horizontalScrollBar()->isVisible());
        QVERIFY(!view->verticalScrollBar()->isVisible());
        w->resize(300, 200);
        ProcessEvents();
        QScrollBar* bar = view->horizontalScrollBar();
        QVERIFY(bar->isVisible());
        const int clientWidth = view->viewport()->width();
        QCOMPARE(bar->pageStep(), clientWidth);
        QCOMPARE(bar->maximum(), w->PageWidth() - clientWidth + 1);
        // Keys do not scroll the page.
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Right);
        QTest::keyClick(view, Qt::Key_PageDown);
        QTest::keyClick(view, Qt::Key_End);
        QCOMPARE(bar->value(), 0);
        QCOMPARE(w->ScrollOrigin(), QPoint(0, 0));
        // The bar does: to the right end, and a line at a time.
        bar->triggerAction(QAbstractSlider::SliderToMaximum);
        QCOMPARE(bar->value(), w->PageWidth() - clientWidth + 1);
        QCOMPARE(w->ScrollOrigin().x(), -bar->value());
        bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
        QCOMPARE(bar->value(), w->PageWidth() - clientWidth + 1 - LineHeight);
        bar->setValue(0);
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(bar->value(), clientWidth - LineHeight);
        QCOMPARE(w->LinePosition(0, 0, 0).x(), 5 - bar->value());

        // Grown back to exactly its page, the window loses both bars.
        const QSize chrome = w->size() - view->size();
        w->resize(w->PageWidth() + chrome.width(), w->PageHeight() + chrome.height());
        ProcessEvents();
        QVERIFY(!view->horizontalScrollBar()->isVisible());
        QVERIFY(!view->verticalScrollBar()->isVisible());
        QCOMPARE(view->viewport()->size(), QSize(w->PageWidth(), w->PageHeight()));
        QCOMPARE(w->ScrollOrigin(), QPoint(0, 0));
    }

    void restoredRectangleSurvivesMaximiseAndMinimise() {
        CChildFrame* w = frame->ActiveVerbWindow();
        const QRect normal(30, 40, 500, 300);
        w->setGeometry(normal);
        ProcessEvents();
        w->showMaximized();
        ProcessEvents();
        QVERIFY(w->isMaximized());
        QCOMPARE(w->RestoredGeometry(), normal);
        w->showNormal();
        ProcessEvents();
        QCOMPARE(w->geometry(), normal);
        w->showMinimized();
        ProcessEvents();
        QCOMPARE(w->RestoredGeometry(), normal);
    }
};

QTEST_MAIN(VerbWindowTest)
#include "tst_VerbWindow.moc"
