#include "PageClipboard.h"

#include <QColor>
#include <QMimeData>
#include <QStringList>

#include "CChildFrame.h"
#include "PageMarkup.h"
#include "ProgramObjects.h"
#include "QtText.h"

namespace {

// One line of the page: its visible text and the colour its markup gives
// (none for a form).
struct PageLineText {
    QString text;
    QString colour;
};

// The non-empty lines of block `block` (in page order) of `window`.
QList<PageLineText> BlockLines(const CChildFrame& window, int block) {
    QList<PageLineText> lines;
    for (int line = 0; line < CChildFrame::LinesPerBlock; ++line) {
        const char* text = window.PageLine(block * CChildFrame::LinesPerBlock + line);
        if (text == nullptr) continue;
        QString colour;
        for (ColourCode code = ColourCodeAt(text); code.length > 0; code = ColourCodeAt(text)) {
            colour = ColorFromColorRef(code.colour).name();
            text += code.length;
        }
        const QString visible = FromCp1252(VisibleText(text));
        if (!visible.isEmpty()) lines.append({visible, colour});
    }
    return lines;
}

}  // namespace

QString PageText(const CChildFrame& window) {
    QStringList parts{window.windowTitle()};
    for (int block = 0; block < CChildFrame::BlockCount; ++block) {
        QStringList lines;
        for (const PageLineText& line : BlockLines(window, block)) lines.append(line.text);
        if (!lines.isEmpty()) parts.append(lines.join(QLatin1Char('\n')));
    }
    return parts.join(QStringLiteral("\n\n")) + QLatin1Char('\n');
}

QString PageHtml(const CChildFrame& window) {
    const QString family = VerbFont ? VerbFont->family().toHtmlEscaped() : QString();
    QString html =
        QStringLiteral("<html><body style=\"font-family: '%1'\">\n<h2>%2</h2>\n<table cellpadding=\"6\">\n")
            .arg(family, window.windowTitle().toHtmlEscaped());
    for (int row = 0; row < window.RowCount(); ++row) {
        html += QStringLiteral("<tr>");
        for (int column = 0; column < window.ColumnCount(); ++column) {
            html += QStringLiteral("<td valign=\"top\">");
            const int cell = row * window.ColumnCount() + column;
            for (int b = 0; b < window.BlocksPerCell(); ++b) {
                const int block = cell * window.BlocksPerCell() + b;
                if (block >= CChildFrame::BlockCount) break;
                html += QStringLiteral("<p>");
                QStringList lines;
                for (const PageLineText& line : BlockLines(window, block)) {
                    const QString text = line.text.toHtmlEscaped();
                    lines.append(
                        line.colour.isEmpty()
                            ? text
                            : QStringLiteral("<b style=\"color: %1\">%2</b>").arg(line.colour, text));
                }
                html += lines.join(QStringLiteral("<br>")) + QStringLiteral("</p>");
            }
            html += QStringLiteral("</td>");
        }
        html += QStringLiteral("</tr>\n");
    }
    return html + QStringLiteral("</table>\n</body></html>\n");
}

QMimeData* PageMimeData(const CChildFrame& window) {
    auto* data = new QMimeData;
    data->setText(PageText(window));
    data->setHtml(PageHtml(window));
    return data;
}
