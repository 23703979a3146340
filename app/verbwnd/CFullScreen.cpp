#include "CFullScreen.h"

#include <QScrollBar>
#include <QStyle>

#include "PageView.h"
#include "ProgramObjects.h"

CFullScreen::CFullScreen(LanguageModule* module, int32_t verb, bool asPronominal, bool alternate)
    : CChildFrame(module, verb, asPronominal, alternate) {
    blocksPerCell = 4;
    columnCount = 4;
    rowCount = 1;
    firstCell = 0;
}

void CFullScreen::FillPage() { FillPageFor(page::Layout::FullScreen); }

void CFullScreen::AdjustToPage() {
    if (adjusting) return;
    adjusting = true;
    // The client area as it would be without scroll bars; a bar takes room
    // from the other direction and may call for the other bar too.
    const QRect area = view->contentsRect();
    const int barWidth = view->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view);
    bool wantHorizontal = pageWidth > area.width();
    bool wantVertical = pageHeight > area.height() - (wantHorizontal ? barWidth : 0);
    wantHorizontal = pageWidth > area.width() - (wantVertical ? barWidth : 0);
    const int w = area.width() - (wantVertical ? barWidth : 0);
    const int h = area.height() - (wantHorizontal ? barWidth : 0);

    QScrollBar* horizontal = view->horizontalScrollBar();
    QScrollBar* vertical = view->verticalScrollBar();
    const int lineStep = LineHeight > 0 ? LineHeight : 1;
    horizontal->setSingleStep(lineStep);
    vertical->setSingleStep(lineStep);
    if (wantHorizontal) {
        horizontal->setPageStep(w);
        horizontal->setRange(0, pageWidth - w + 1);
    } else {
        horizontal->setRange(0, 0);
    }
    if (wantVertical) {
        vertical->setPageStep(h);
        vertical->setRange(0, pageHeight - h + 1);
    } else {
        vertical->setRange(0, 0);
    }
    view->setHorizontalScrollBarPolicy(wantHorizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollBarPolicy(wantVertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    view->SyncScrollOrigin();
    adjusting = false;
}
