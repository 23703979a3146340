#include "CSortingListCtrl.h"

#include <QDateTime>
#include <QFocusEvent>
#include <QLocale>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <algorithm>

#include "CSortingHeaderCtrl.h"
#include "Cp1252.h"

namespace {

constexpr int ItemDataRole = Qt::UserRole;

// A character as the byte it has in Windows-1252; characters without one
// sort after every byte.
int ByteOf(QChar c) {
    if (auto byte = cp1252::FromUnicode(c.unicode())) return *byte;
    return 0x100 + c.unicode();
}

int CompareBytes(const QString& a, const QString& b, bool foldCase) {
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        int x = ByteOf(a[i]);
        int y = ByteOf(b[i]);
        if (foldCase) {
            if (x >= 'A' && x <= 'Z') x += 'a' - 'A';
            if (y >= 'A' && y <= 'Z') y += 'a' - 'A';
        }
        if (x != y) return x - y;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

// The leading decimal integer of a text, as atoi reads it; 0 if none.
long long LeadingInteger(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i].isDigit() && text[i].unicode() < 128; ++i)
        value = std::min<long long>(value * 10 + (text[i].unicode() - '0'), 1LL << 40);
    return negative ? -value : value;
}

long long Seconds(const QString& text) {
    const QLocale locale = QLocale::system();
    QDateTime time = locale.toDateTime(text, QLocale::ShortFormat);
    if (!time.isValid()) time = locale.toDateTime(text, QLocale::LongFormat);
    if (!time.isValid()) {
        QDate date = locale.toDate(text, QLocale::ShortFormat);
        if (date.isValid()) time = date.startOfDay();
    }
    return time.isValid() ? time.toSecsSinceEpoch() : 0;
}

int Sign(long long value) { return value < 0 ? -1 : (value > 0 ? 1 : 0); }

}  // namespace

CSortingListCtrl::CSortingListCtrl(QWidget* parent) : QTreeWidget(parent) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    heading = new CSortingHeaderCtrl(this);
}

void CSortingListCtrl::AttachHeading() {
    if (header() == heading) return;
    setHeader(heading);  // the view owns its heading from now on
    heading->setSectionsClickable(true);
    connect(heading, &QHeaderView::sectionClicked, this, &CSortingListCtrl::OnHeaderItemClick);
}

bool CSortingListCtrl::SetColumnTypes(const uint8_t* types, int count) {
    columnTypes.clear();
    if (types == nullptr || count < 0) return false;
    for (int i = 0; i < count; ++i)
        if (types[i] > Unsortable) return false;
    columnTypes.assign(types, types + count);
    return true;
}

bool CSortingListCtrl::EnableSorting(bool enable) {
    const bool previous = sorting;
    sorting = enable;
    return previous;
}

int CSortingListCtrl::SetHighlightMode(int mode) {
    const int previous = highlightMode;
    if (mode < HighlightLabel || mode > HighlightRowToEdge) return previous;
    highlightMode = HighlightMode(mode);
    viewport()->update();
    return previous;
}

int CSortingListCtrl::Compare(const QString& a, const QString& b, int column) const {
    const int type = column >= 0 && size_t(column) < columnTypes.size() ? columnTypes[size_t(column)] : 0;
    switch (type) {
    case CaseInsensitive:
        return CompareBytes(a, b, true);
    case Integer:
        return Sign(LeadingInteger(a) - LeadingInteger(b));
    case DateTime:
        return Sign(Seconds(a) - Seconds(b));
    default:
        return CompareBytes(a, b, false);
    }
}

void CSortingListCtrl::OnHeaderItemClick(int column) {
    if (!sorting) return;
    ascending = column == sortColumn ? !ascending : true;
    sortColumn = column;
    SortColumn(column, ascending, 0, -1);
    heading->SetSortImage(column, ascending);
}

bool CSortingListCtrl::SortColumn(int column, bool ascendingOrder, int low, int high) {
    if (column < 0 || column >= header()->count()) return false;
    if (size_t(column) < columnTypes.size() && columnTypes[size_t(column)] == Unsortable) return true;
    const int rows = topLevelItemCount();
    if (high == -1) high = rows - 1;
    low = std::max(low, 0);
    high = std::min(high, rows - 1);
    if (high <= low) return false;

    const QString pivot = CellText((low + high) / 2, column);
    int i = low;
    int j = high;
    auto before = [&](int row) {
        int c = Compare(CellText(row, column), pivot, column);
        return ascendingOrder ? c < 0 : c > 0;
    };
    auto after = [&](int row) {
        int c = Compare(CellText(row, column), pivot, column);
        return ascendingOrder ? c > 0 : c < 0;
    };
    while (i <= j) {
        while (i < high && before(i)) ++i;
        while (j > low && after(j)) --j;
        if (i <= j) {
            if (Compare(CellText(i, column), CellText(j, column), column) != 0) SwapRows(i, j);
            ++i;
            --j;
        }
    }
    if (low < j) SortColumn(column, ascendingOrder, low, j);
    if (i < high) SortColumn(column, ascendingOrder, i, high);
    return true;
}

void CSortingListCtrl::SwapRows(int a, int b) {
    QTreeWidgetItem* x = topLevelItem(a);
    QTreeWidgetItem* y = topLevelItem(b);
    if (x == nullptr || y == nullptr || x == y) return;
    // Everything a row holds moves with it: texts, icon, item data and any
    // data of its own a cell carries (a results row's tense).
    const int columns = std::min(header()->count(), columnCount());
    for (int c = 0; c < columns; ++c) {
        const QMap<int, QVariant> xRoles = model()->itemData(indexFromItem(x, c));
        const QMap<int, QVariant> yRoles = model()->itemData(indexFromItem(y, c));
        for (auto it = yRoles.begin(); it != yRoles.end(); ++it) x->setData(c, it.key(), it.value());
        for (auto it = xRoles.begin(); it != xRoles.end(); ++it) {
            y->setData(c, it.key(), it.value());
            if (!yRoles.contains(it.key())) x->setData(c, it.key(), QVariant());
        }
    }
    // Selection and focus move with their rows.
    const bool xSelected = x->isSelected();
    const bool ySelected = y->isSelected();
    x->setSelected(ySelected);
    y->setSelected(xSelected);
    QTreeWidgetItem* current = currentItem();
    if (current == x || current == y)
        selectionModel()->setCurrentIndex(indexFromItem(current == x ? y : x), QItemSelectionModel::NoUpdate);
}

void CSortingListCtrl::SetItemData(int row, int32_t value) {
    if (QTreeWidgetItem* item = topLevelItem(row)) item->setData(0, ItemDataRole, value);
}

int32_t CSortingListCtrl::GetItemData(int row) const {
    QTreeWidgetItem* item = topLevelItem(row);
    return item ? item->data(0, ItemDataRole).toInt() : 0;
}

int CSortingListCtrl::SelectedRow() const {
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : indexOfTopLevelItem(selected.first());
}

QString CSortingListCtrl::CellText(int row, int column) const {
    QTreeWidgetItem* item = topLevelItem(row);
    return item ? item->text(column) : QString();
}

void CSortingListCtrl::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    painter->save();
    DrawItem(painter, option.rect, index);
    painter->restore();
}

QRect CSortingListCtrl::CellRect(int column, const QRect& rowRect) const {
    return QRect(header()->sectionViewportPosition(column), rowRect.top(), header()->sectionSize(column),
                 rowRect.height());
}

QRect CSortingListCtrl::HighlightRect(const QTreeWidgetItem& item, const QRect& label, const QRect& bounds,
                                      const QFontMetrics& metrics) const {
    QRect highlight = label;
    switch (highlightMode) {
    case HighlightLabel: {
        const int space = 2 * metrics.horizontalAdvance(QLatin1Char(' '));
        highlight.setRight(
            std::min(label.right(), label.left() + metrics.horizontalAdvance(item.text(0)) + space - 1));
        break;
    }
    case HighlightRow:
        highlight = bounds;
        break;
    case HighlightRowToEdge:
        highlight = bounds;
        highlight.setRight(std::max(bounds.right(), viewport()->width() - 1));
        break;
    }
    return highlight;
}

void CSortingListCtrl::DrawCell(QPainter* painter, const QTreeWidgetItem& item, int column, const QRect& cell,
                                Qt::Alignment horizontal) const {
    const QString text = item.text(column);
    if (text.isEmpty()) return;
    const QFontMetrics metrics = painter->fontMetrics();
    const int space = 2 * metrics.horizontalAdvance(QLatin1Char(' '));
    const QRect inner = cell.adjusted(space / 2, 0, -space / 2, 0);
    painter->drawText(inner, Qt::AlignVCenter | Qt::TextSingleLine | horizontal,
                      metrics.elidedText(text, Qt::ElideRight, inner.width()));
}

void CSortingListCtrl::DrawFocus(QPainter* painter, const QRect& highlight, bool highlighted) const {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = highlight;
    focus.backgroundColor = palette().color(highlighted ? QPalette::Highlight : QPalette::Base);
    painter->setClipping(false);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, this);
}

void CSortingListCtrl::DrawItem(QPainter* painter, const QRect& rowRect, const QModelIndex& index) const {
    QTreeWidgetItem* item = topLevelItem(index.row());
    if (item == nullptr) return;
    const bool highlighted = item->isSelected() && (hasFocus() || showSelectionAlways);
    const int columns = header()->count();
    const QRect label = CellRect(0, rowRect);
    QRect bounds = label;
    for (int c = 1; c < columns; ++c) bounds = bounds.united(CellRect(c, rowRect));
    const QRect highlight = HighlightRect(*item, label, bounds, painter->fontMetrics());

    const QPalette& colours = palette();
    painter->fillRect(highlight, colours.color(highlighted ? QPalette::Highlight : QPalette::Base));
    QColor textColour = colours.color(highlighted ? QPalette::HighlightedText : QPalette::Text);
    painter->setClipRect(label);
    painter->setPen(textColour);
    DrawCell(painter, *item, 0, label, Qt::AlignLeft);

    // With the label alone highlighted, the other cells are drawn as unselected.
    if (highlightMode == HighlightLabel) textColour = colours.color(QPalette::WindowText);
    painter->setClipRect(bounds.united(highlight));
    painter->setPen(textColour);
    for (int c = 1; c < columns; ++c) {
        const QRect cell = CellRect(c, rowRect);
        if (highlightMode == HighlightLabel) painter->fillRect(cell, colours.color(QPalette::Base));
        const int format = item->textAlignment(c);
        const Qt::Alignment horizontal = (format & Qt::AlignRight)     ? Qt::AlignRight
                                         : (format & Qt::AlignHCenter) ? Qt::AlignHCenter
                                                                       : Qt::AlignLeft;
        DrawCell(painter, *item, c, cell, horizontal);
    }
    if (item == currentItem() && hasFocus()) DrawFocus(painter, highlight, highlighted);
}

void CSortingListCtrl::focusInEvent(QFocusEvent* event) {
    QTreeWidget::focusInEvent(event);
    viewport()->update();  // the highlights depend on the focus
}

void CSortingListCtrl::focusOutEvent(QFocusEvent* event) {
    QTreeWidget::focusOutEvent(event);
    viewport()->update();
}

void CSortingListCtrl::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
    QTreeWidget::selectionChanged(selected, deselected);
    // A highlight may reach past the cells the view repaints by itself.
    if (highlightMode != HighlightLabel) viewport()->update();
}

void CSortingListCtrl::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTreeWidget::currentChanged(current, previous);
    viewport()->update();
}
