#include "CSortingHeaderCtrl.h"

#include <QMouseEvent>
#include <QPainter>

CSortingHeaderCtrl::CSortingHeaderCtrl(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    setObjectName(QStringLiteral("sortingHeader"));
    setSectionsClickable(true);
    setSortIndicatorShown(false);
    setHighlightSections(false);
    setStretchLastSection(false);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

int CSortingHeaderCtrl::SetSortImage(int column, bool ascending_) {
    const int previous = sortColumn;
    sortColumn = column;
    ascending = ascending_;
    ownerDrawn.insert(column);
    viewport()->update();
    return previous;
}

void CSortingHeaderCtrl::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    if (!ownerDrawn.contains(logicalIndex)) {
        QHeaderView::paintSection(painter, rect, logicalIndex);
        return;
    }
    painter->save();
    DrawItem(painter, rect, logicalIndex);
    painter->restore();
}

void CSortingHeaderCtrl::DrawItem(QPainter* painter, const QRect& itemRect, int logicalIndex) const {
    const int m = 2 * painter->fontMetrics().horizontalAdvance(QLatin1Char(' '));
    painter->setClipRect(itemRect);
    painter->fillRect(itemRect, palette().button());
    // The item's edges, as the heading draws them for its other items.
    painter->setPen(palette().color(QPalette::Mid));
    painter->drawLine(itemRect.topRight(), itemRect.bottomRight());
    painter->drawLine(itemRect.bottomLeft(), itemRect.bottomRight());

    const bool pressed = logicalIndex == pressedSection;
    QRect rect = itemRect;
    if (pressed) rect.adjust(1, 2, 1, 0);

    const QString text =
        model() ? model()->headerData(logicalIndex, orientation()).toString().left(255) : QString();
    const QVariant format =
        model() ? model()->headerData(logicalIndex, orientation(), Qt::TextAlignmentRole) : QVariant();
    const Qt::Alignment alignment = format.isValid() ? Qt::Alignment(format.toInt()) : defaultAlignment();
    const bool sorted = logicalIndex == sortColumn;
    QRect textRect = rect.adjusted(m, 0, -(sorted ? 4 * m : m), 0);
    if (textRect.width() > 0) {
        int horizontal = Qt::AlignLeft;
        if (alignment & Qt::AlignHCenter)
            horizontal = Qt::AlignHCenter;
        else if (alignment & Qt::AlignRight)
            horizontal = Qt::AlignRight;
        painter->setPen(palette().color(QPalette::ButtonText));
        const QString shown = painter->fontMetrics().elidedText(text, Qt::ElideRight, textRect.width());
        painter->drawText(textRect, horizontal | Qt::AlignVCenter | Qt::TextSingleLine, shown);
    }
    if (!sorted) return;

    // The arrow: a lit edge and a shadowed edge, one pixel wide. R and B are
    // the item's right and bottom edges (one past its last pixel).
    const int R = itemRect.x() + itemRect.width() + (pressed ? 1 : 0);
    const int B = itemRect.y() + itemRect.height() + (pressed ? 1 : 0);
    const int T = itemRect.y();
    const QPen light(palette().color(QPalette::Light), 1);
    const QPen shadow(palette().color(QPalette::Dark), 1);
    painter->setRenderHint(QPainter::Antialiasing, false);
    if (ascending) {
        painter->setPen(light);
        painter->drawLine(R - 2 * m, T + m - 1, R - 3 * m / 2, B - m);
        painter->drawLine(R - 3 * m / 2, B - m, R - 5 * m / 2 - 2, B - m);
        painter->setPen(shadow);
        painter->drawLine(R - 5 * m / 2 - 1, B - m - 1, R - 2 * m, T + m - 2);
    } else {
        painter->setPen(light);
        painter->drawLine(R - 3 * m / 2, T + m - 1, R - 2 * m - 1, B - m + 1);
        painter->setPen(shadow);
        painter->drawLine(R - 2 * m - 1, B - m, R - 5 * m / 2 - 1, T + m - 1);
        painter->drawLine(R - 5 * m / 2 - 1, T + m - 1, R - 3 * m / 2, T + m - 1);
    }
}

void CSortingHeaderCtrl::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) pressedSection = logicalIndexAt(event->position().toPoint());
    QHeaderView::mousePressEvent(event);
    viewport()->update();
}

void CSortingHeaderCtrl::mouseReleaseEvent(QMouseEvent* event) {
    pressedSection = -1;
    QHeaderView::mouseReleaseEvent(event);
    viewport()->update();
}
