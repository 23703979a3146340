// The printed verb page: geometry on a recording printer, and the real PDF
// read back with pdftotext.
#include <QDir>
#include <QFontMetrics>
#include <QMdiArea>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include "AppTestSupport.h"
#include "CChildFrame.h"
#include "CMainFrame.h"
#include "CTabbedScreen.h"
#include "CommandIds.h"
#include "PrintCommand.h"
#include "QtText.h"
#include "RecordingPrinter.h"

namespace {

// A text as the page should show it: top-left corner, bold or not, size.
struct PrintedText {
    QString text;
    QPoint topLeft;
    bool bold;
    int pixelSize;
    bool operator==(const PrintedText&) const = default;
};

QDebug operator<<(QDebug debug, const PrintedText& t) {
    return debug << t.text << t.topLeft << (t.bold ? "bold" : "") << t.pixelSize;
}

QList<PrintedText> AsPrinted(const QList<RecordedText>& texts) {
    QList<PrintedText> list;
    for (const RecordedText& t : texts) {
        const int top = qRound(t.baseline.y()) - QFontMetrics(t.font).ascent();
        list.append({t.text, QPoint(qRound(t.baseline.x()), top), t.font.bold(), t.font.pixelSize()});
    }
    return list;
}

QFont Arial(int pixelSize) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    return font;
}

int LineOf(const QFont& font) {
    QFontMetrics metrics(font);
    return metrics.height() + metrics.leading();
}

// The blocks of the printed page in drawing order: column, first line (in
// body lines below the first block), tense and form formSlots.
struct Block {
    int column;
    int top;
    int tense;
    QList<int> formSlots;
};

QList<Block> PageBlocks() {
    QList<Block> blocks;
    for (int column = 0; column < 2; ++column)
        for (int i = 0; i < 6; ++i) {
            const int tense = column * 7 + i;
            blocks.append(
                {column,
                 8 * i,
                 tense,
                 {6 * tense, 6 * tense + 1, 6 * tense + 2, 6 * tense + 3, 6 * tense + 4, 6 * tense + 5}});
        }
    blocks.append({2, 0, 6, {36, 37, 38, 39, 40, 41}});
    blocks.append({2, 8, 13, {78, 79, 80, 81, 82, 83}});
    blocks.append({2, 16, 14, {84, 85, 86, 87, 88, 89}});
    blocks.append({2, 24, 15, {91, 92}});
    blocks.append({2, 28, 16, {90}});
    return blocks;
}

// The page at `dpi` with the printable area `offset` pixels in from the
// paper's left and top edges, for a paper `width` pixels wide.
struct Expected {
    int marginX;
    int marginY;
    int ruleTop;
    int ruleHeight;
    int y0;
    int lh;
    int columns[3];
    QList<PrintedText> texts;
};

Expected ExpectedPage(const CChildFrame& w, int dpi, int offsetX, int offsetY, int width) {
    Expected e;
    const int titleSize = (24 * dpi + 36) / 72;
    const int bodySize = (11 * dpi + 36) / 72;
    e.marginX = std::max(dpi / 4, offsetX);
    e.marginY = std::max(dpi / 2, offsetY);
    e.ruleTop = e.marginY + LineOf(Arial(titleSize));
    e.ruleHeight = dpi / 20;
    e.lh = LineOf(Arial(bodySize));
    e.y0 = e.ruleTop + e.ruleHeight + e.lh;
    e.columns[0] = e.marginX;
    e.columns[1] = width * 30 / 100;
    e.columns[2] = width * 65 / 100;
    e.texts.append({FromCp1252(w.Form(93)), QPoint(e.marginX, e.marginY), false, titleSize});
    for (const Block& block : PageBlocks()) {
        const QPoint at(e.columns[block.column], e.y0 + block.top * e.lh);
        e.texts.append({FromCp1252(w.Module()->GetTenseName2(block.tense)), at, true, bodySize});
        for (int line = 0; line < block.formSlots.size(); ++line) {
            const QString form = FromCp1252(w.Form(block.formSlots[line]));
            if (!form.isEmpty()) e.texts.append({form, at + QPoint(0, (line + 1) * e.lh), false, bodySize});
        }
    }
    return e;
}

QList<PrintedText> Record(CChildFrame* w, RecordingPrinter& printer) {
    printer.Clear();
    QPainter painter(&printer);
    w->PrintPage(painter);
    return AsPrinted(printer.Texts());
}

// A word of pdftotext's -bbox output, in points from the paper's top left.
struct PdfWord {
    QString text;
    double x;
    double y;
};

QList<PdfWord> PdfWords(const QString& pdf, QString* error) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        *error = QStringLiteral("pdftotext (poppler-utils) failed: ") + process.errorString();
        return {};
    }
    QList<PdfWord> words;
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\"[^>]*>([^<]*)</word>"));
    auto it = word.globalMatch(QString::fromUtf8(process.readAllStandardOutput()));
    while (it.hasNext()) {
        auto m = it.next();
        QString text = m.captured(3);
        text.replace(QStringLiteral("&apos;"), QStringLiteral("'"))
            .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        words.append({text, m.captured(1).toDouble(), m.captured(2).toDouble()});
    }
    return words;
}

bool HasWordAt(const QList<PdfWord>& words, const QString& text, double x, double y) {
    for (const PdfWord& w : words)
        if (w.text == text && std::abs(w.x - x) < 2.0 && std::abs(w.y - y) < 2.5) return true;
    return false;
}

}  // namespace

class PrintPageTest : public RunningProgramTest {
    Q_OBJECT

private slots:
    void pageGeometry_data() {
        QTest::addColumn<int>("dpi");
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("top");
        QTest::addColumn<int>("verb");
        QTest::addColumn<bool>("pronominal");
        QTest::addColumn<int>("marginX");
        QTest::addColumn<int>("marginY");
        QTest::addColumn<int>("rule");
        QTest::newRow("600 dpi, quarter inch")
            << 600 << 0.25 << 0.25 << int(Aimer) << false << 150 << 300 << 30;
        QTest::newRow("pronominal") << 600 << 0.25 << 0.25 << int(Aimer) << true << 150 << 300 << 30;
        QTest::newRow("impersonal") << 600 << 0.25 << 0.25 << int(Pleuvoir) << false << 150 << 300 << 30;
        QTest::newRow("offsets past the margins")
            << 600 << 0.5 << 0.75 << int(Monter) << false << 300 << 450 << 30;
        QTest::newRow("300 dpi") << 300 << 0.25 << 0.25 << int(Zebrer) << false << 75 << 150 << 15;
    }
    void pageGeometry() {
        QFETCH(int, dpi);
        QFETCH(double, left);
        QFETCH(double, top);
        QFETCH(int, verb);
        QFETCH(bool, pronominal);
        QFETCH(int, marginX);
        QFETCH(int, marginY);
        QFETCH(int, rule);
        CChildFrame* w = frame->ActiveVerbWindow();
        w->SetVerb(verb);
        w->SetPronominal(pronominal);
        QCOMPARE(w->IsPronominal(), pronominal);
        if (pronominal) QCOMPARE(w->Form(92)[0], '\0');  // one past participle, then a blank line
        RecordingPrinter printer(dpi, QMarginsF(left, top, 0.25, 0.25));
        const QList<PrintedText> printed = Record(w, printer);

        const int width = qRound(8.5 * dpi);
        const Expected e = ExpectedPage(*w, dpi, qRound(left * dpi), qRound(top * dpi), width);
        QCOMPARE(e.marginX, marginX);
        QCOMPARE(e.marginY, marginY);
        // Empty forms draw nothing (the impersonal persons, the pronominal
        // verb's second participle); the other lines keep their places.
        QCOMPARE(printed, e.texts);

        // One black rule across the whole paper width, below the title.
        QCOMPARE(printer.Fills().size(), 1);
        QCOMPARE(printer.Fills()[0].rect, QRectF(0, e.ruleTop, width, rule));
        QCOMPARE(printer.Fills()[0].colour, QColor(Qt::black));

        // The last line drawn is the present participle, 29 lines below y0;
        // the lowest are the sixth blocks of columns 1 and 2, 46 lines below.
        QCOMPARE(printed.last().text, FromCp1252(w->Form(90)));
        QCOMPARE(printed.last().topLeft.y(), e.y0 + 29 * e.lh);
        int lowest = 0;
        for (const PrintedText& t : printed) lowest = std::max(lowest, t.topLeft.y());
        QCOMPARE(lowest, e.y0 + (verb == Pleuvoir ? 43 : 46) * e.lh);  // impersonal: "il" is the 3rd line
    }

    void sameWhateverTheLayoutAndDisplayFont() {
        CChildFrame* w = frame->ActiveVerbWindow();
        w->SetVerb(Payer);
        w->SetAlternate(1);
        RecordingPrinter printer(600, QMarginsF(0.25, 0.25, 0.25, 0.25));
        const QList<PrintedText> fullScreen = Record(w, printer);
        QCOMPARE(fullScreen[2].text, QStringLiteral("je payye0"));  // the variant as shown

        frame->ApplyDisplayFont(QFont(QStringLiteral("Courier"), 20), 0x0000FF);
        frame->Action(IdTabbedScreen)->trigger();
        ProcessEvents();
        auto* tabbed = qobject_cast<CTabbedScreen*>(frame->ActiveVerbWindow());
        QVERIFY(tabbed);
        QCOMPARE(tabbed->VerbIndex(), int(Payer));
        QCOMPARE(tabbed->UsesAlternate(), true);
        QCOMPARE(Record(tabbed, printer), fullScreen);
    }

    // Through the real printer to a PDF file, read back with pdftotext and
    // rendered for a look under the build folder.
    void pdfReadBack() {
        StopFrame(frame);
        frame = StartFrame({"French.ldl"});  // the real verbs when the module is there
        if (!frame) frame = StartFrame();
        QVERIFY(frame);
        CChildFrame* w = frame->ActiveVerbWindow();
        const bool real = w->Module()->GetVerbCount() > 100;
        if (real) {
            w->SetVerb(w->Module()->FindVerbIndex("asseoir"));
            w->SetPronominal(true);
        }

        const QString dir = QStringLiteral(PLIMO_SCREENSHOT_DIR);
        QDir().mkpath(dir);
        const QString pdf = dir + QStringLiteral("/printed-page.pdf");
        QFile::remove(pdf);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setResolution(600);
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                          QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch));
        printer.setOutputFileName(pdf);
        printer.setDocName(w->windowTitle());
        QVERIFY(PrintVerbPage(frame.get(), *w, printer));

        QString error;
        const QList<PdfWord> words = PdfWords(pdf, &error);
        QVERIFY2(!words.isEmpty(), qPrintable(error));
        const int width = printer.pageLayout().fullRectPixels(600).width();
        const Expected e = ExpectedPage(*w, 600, 150, 150, width);
        // Device pixels to points on the paper (the printable area starts 0.25 inch in).
        auto pt = [](int pixels) { return (150 + pixels) * 72.0 / 600.0; };
        const QString title = FromCp1252(w->Form(93));
        QVERIFY2(HasWordAt(words, title.section(' ', 0, 0), pt(e.marginX), pt(e.marginY)), qPrintable(title));
        for (const Block& block : PageBlocks()) {
            const QString heading = FromCp1252(w->Module()->GetTenseName2(block.tense));
            const double x = pt(e.columns[block.column]);
            const double y = pt(e.y0 + block.top * e.lh);
            QVERIFY2(HasWordAt(words, heading.section(' ', 0, 0), x, y), qPrintable(heading));
            const QString first = FromCp1252(w->Form(block.formSlots[0]));
            if (!first.isEmpty())
                QVERIFY2(HasWordAt(words, first.section(' ', 0, 0), x, y + e.lh * 72.0 / 600.0),
                         qPrintable(first));
        }

        const QString png = dir + QStringLiteral("/printed-page");
        QProcess render;
        render.start(QStringLiteral("pdftoppm"),
                     {QStringLiteral("-r"), QStringLiteral("80"), QStringLiteral("-png"),
                      QStringLiteral("-singlefile"), pdf, png});
        QVERIFY(render.waitForFinished(60000));
        QCOMPARE(render.exitCode(), 0);
        QVERIFY(QFile::exists(png + QStringLiteral(".png")));
    }
};

QTEST_MAIN(PrintPageTest)
#include "tst_PrintPage.moc"
