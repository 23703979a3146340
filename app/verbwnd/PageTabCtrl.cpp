#include "PageTabCtrl.h"

#include <QPainter>
#include <QRegion>
#include <QStyleOption>
#include <QStylePainter>
#include <QWheelEvent>

PageTabCtrl::PageTabCtrl(QWidget* parent) : QTabBar(parent) {
    setObjectName(QStringLiteral("pageTabs"));
    setDrawBase(false);
    setExpanding(false);
    setUsesScrollButtons(false);
    setFocusPolicy(Qt::TabFocus);
}

int PageTabCtrl::TabRowHeight() const {
    int height = 0;
    for (int i = 0; i < count(); ++i) height = std::max(height, tabSizeHint(i).height());
    if (height == 0) height = fontMetrics().height() + 10;
    return height;
}

QRect PageTabCtrl::AdjustRect(bool larger, const QRect& rect) const {
    const int top = TabRowHeight() + FrameWidth;
    if (larger) return rect.adjusted(-FrameWidth, -top, FrameWidth, FrameWidth);
    return rect.adjusted(FrameWidth, top, -FrameWidth, -FrameWidth);
}

void PageTabCtrl::PaintDisplayFrame(QPainter& painter, const QRect& client) const {
    const QRect display = AdjustRect(false, client);
    painter.save();
    painter.setClipRegion(QRegion(client).subtracted(QRegion(display)));
    painter.fillRect(client, palette().window());
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = display.adjusted(-FrameWidth, -FrameWidth, FrameWidth, FrameWidth);
    frame.shape = shape();
    frame.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    frame.tabBarSize = QSize(width(), TabRowHeight());
    if (count() > 0) frame.selectedTabRect = tabRect(currentIndex());
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);
    painter.restore();
}

void PageTabCtrl::wheelEvent(QWheelEvent* event) { event->ignore(); }
