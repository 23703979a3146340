// The printed verb page: a fixed three-column arrangement of its own,
// independent of the window's layout and display font.
#include <QFont>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>

#include "CChildFrame.h"
#include "QtText.h"

namespace {

// What the page is laid out from, in device pixels.
struct PrintDevice {
    int dpiX = 0;
    int dpiY = 0;
    int pageWidth = 0;  // the physical page
    int offsetX = 0;    // where the printable area starts on it
    int offsetY = 0;
};

PrintDevice ReadPrintDevice(const QPaintDevice& device) {
    PrintDevice d;
    d.dpiX = device.logicalDpiX();
    d.dpiY = device.logicalDpiY();
    d.pageWidth = device.width();
    if (auto* paged = dynamic_cast<const QPagedPaintDevice*>(&device)) {
        // Printers and PDF writers know the paper and the printable area on
        // it, in the same pixels their engines place the page origin by.
        const QPageLayout layout = paged->pageLayout();
        d.pageWidth = layout.fullRectPixels(d.dpiX).width();
        d.offsetX = layout.paintRectPixels(d.dpiX).left();
        d.offsetY = layout.paintRectPixels(d.dpiY).top();
    }
    return d;
}

// An Arial of `points` at the device's resolution, rounded to the pixel.
QFont PrintFont(int points, int dpiY, bool bold = false) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, (points * dpiY + 36) / 72));
    font.setBold(bold);
    return font;
}

// Character height plus external leading.
int LineHeightOf(const QFont& font, QPaintDevice* device) {
    QFontMetrics metrics(font, device);
    return metrics.height() + metrics.leading();
}

// Draws `text` with its top-left corner at (x, y); an empty text draws nothing.
void DrawTopLeft(QPainter& painter, int x, int y, const QString& text) {
    if (text.isEmpty()) return;
    painter.drawText(QPoint(x, y + painter.fontMetrics().ascent()), text);
}

// One tense block: the tense's heading and, below it, the forms of its slots.
struct PrintedBlock {
    int column;  // 0, 1, 2
    int top;     // in lines below y0; consecutive blocks are 8 lines apart
    int tense;
    int firstSlot;
    int slotCount;
};

// In drawing order: column 1, column 2, column 3, each top to bottom.
constexpr PrintedBlock PrintedBlocks[] = {
    {0, 0, 0, 0, 6},
    {0, 8, 1, 6, 6},
    {0, 16, 2, 12, 6},
    {0, 24, 3, 18, 6},
    {0, 32, 4, 24, 6},
    {0, 40, 5, 30, 6},
    {1, 0, 7, 42, 6},
    {1, 8, 8, 48, 6},
    {1, 16, 9, 54, 6},
    {1, 24, 10, 60, 6},
    {1, 32, 11, 66, 6},
    {1, 40, 12, 72, 6},
    {2, 0, 6, 36, 6},
    {2, 8, 13, 78, 6},
    {2, 16, 14, 84, 6},
    {2, 24, PastParticipleTense, PastParticipleSlot, 2},
    {2, 28, PresentParticipleTense, PresentParticipleSlot, 1},
};

}  // namespace

void CChildFrame::PrintPage(QPainter& painter) {
    QPaintDevice* device = painter.device();
    if (device == nullptr) return;
    const PrintDevice d = ReadPrintDevice(*device);
    const int printMarginX = std::max(d.dpiX / 4, d.offsetX);
    const int printMarginY = std::max(d.dpiY / 2, d.offsetY);
    const int columnX[3] = {printMarginX, d.pageWidth * 30 / 100, d.pageWidth * 65 / 100};

    painter.save();  // font, pen and transform are given back as they were
    painter.resetTransform();
    painter.setPen(QColor(0, 0, 0));

    const QFont titleFont = PrintFont(24, d.dpiY);
    const int titleLine = LineHeightOf(titleFont, device);
    const int ruleTop = printMarginY + titleLine;
    const int ruleBottom = ruleTop + d.dpiY / 20;
    painter.setFont(titleFont);
    DrawTopLeft(painter, printMarginX, printMarginY, FromCp1252(Form(InfinitiveSlot)));

    const QFont bodyFont = PrintFont(11, d.dpiY);
    const QFont headingFont = PrintFont(11, d.dpiY, true);
    const int lh = LineHeightOf(bodyFont, device);

    // A rule across the whole physical width, one twentieth of an inch thick.
    painter.fillRect(QRect(0, ruleTop, d.pageWidth, ruleBottom - ruleTop), QColor(0, 0, 0));

    const int y0 = ruleBottom + lh;
    for (const PrintedBlock& block : PrintedBlocks) {
        const int x = columnX[block.column];
        const int y = y0 + lh * block.top;
        painter.setFont(headingFont);
        if (languageModule != nullptr)
            DrawTopLeft(painter, x, y, FromCp1252(languageModule->GetTenseName2(block.tense)));
        painter.setFont(bodyFont);
        for (int line = 0; line < block.slotCount; ++line)
            DrawTopLeft(painter, x, y + lh * (line + 1), FromCp1252(Form(block.firstSlot + line)));
    }
    painter.restore();
}
