#include "PageView.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

#include "CChildFrame.h"
#include "ProgramObjects.h"

PageView::PageView(CChildFrame* owner_) : QAbstractScrollArea(owner_), owner(owner_) {
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setCursor(Qt::ArrowCursor);
    connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this,
            [this](int action) { OnScrollAction(Qt::Horizontal, action); });
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this,
            [this](int action) { OnScrollAction(Qt::Vertical, action); });
}

QSize PageView::sizeHint() const {
    if (owner->PageWidth() > 0 && owner->PageHeight() > 0)
        return QSize(owner->PageWidth(), owner->PageHeight());
    return QAbstractScrollArea::sizeHint();
}

void PageView::SyncScrollOrigin() {
    owner->SetScrollOrigin(QPoint(-horizontalScrollBar()->value(), -verticalScrollBar()->value()));
}

void PageView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.setClipRect(event->rect());
    owner->PaintBackground(painter, viewport()->rect());
    owner->PaintPage(painter);
}

bool PageView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::Resize) {
        bool handled = QAbstractScrollArea::viewportEvent(event);
        owner->ClientResized();
        return handled;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void PageView::scrollContentsBy(int dx, int dy) {
    SyncScrollOrigin();
    viewport()->scroll(dx, dy);
}

void PageView::OnScrollAction(Qt::Orientation orientation, int action) {
    // A page step keeps one line of the previous view in sight.
    QScrollBar* bar = orientation == Qt::Horizontal ? horizontalScrollBar() : verticalScrollBar();
    int extent = orientation == Qt::Horizontal ? viewport()->width() : viewport()->height();
    int step = extent - LineHeight;
    int old = bar->value();
    if (action == QAbstractSlider::SliderPageStepAdd)
        bar->setSliderPosition(old + step);
    else if (action == QAbstractSlider::SliderPageStepSub)
        bar->setSliderPosition(old - step);
}

void PageView::keyPressEvent(QKeyEvent* event) {
    // The page does not scroll from the keyboard.
    QWidget::keyPressEvent(event);
}

void PageView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    owner->HandleFocusIn();
}

void PageView::mousePressEvent(QMouseEvent* event) { event->ignore(); }

void PageView::mouseDoubleClickEvent(QMouseEvent* event) { event->ignore(); }
