#include "CFullScreen.h"

#include <QScrollBar>
#include <QStyle>
#include <algorithm>

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

void CFullScreen::ShowTense(int tense) {
    const int block = page::BlockOfTense(page::Layout::FullScreen, tense);
    if (block < 0) return;
    const int column = block / blocksPerCell;
    int left = marginX;
    for (int c = 0; c < column; ++c) left += columnWidths[size_t(c)];
    const int top = marginY + (LinesPerBlock + 1) * (block % blocksPerCell) * LineHeight;
    // Scrolled only as far as the block needs to be seen whole, where it can.
    auto bringIntoView = [](QScrollBar* bar, int start, int length, int extent) {
        if (start >= bar->value() && start + length <= bar->value() + extent) return;
        bar->setValue(std::min(start, start + length - extent));
    };
    bringIntoView(view->horizontalScrollBar(), left - marginX, columnWidths[size_t(column)] + marginX,
                  view->viewport()->width());
    bringIntoView(view->verticalScrollBar(), top - marginY, LinesPerBlock * LineHeight + 2 * marginY,
                  view->viewport()->height());
}
