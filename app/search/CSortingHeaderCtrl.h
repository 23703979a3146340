// The heading of a CSortingListCtrl: draws the heading items it has sorted by
// itself, with an arrow in the item of the column sorted last.
#pragma once

#include <QHeaderView>
#include <QSet>

class CSortingHeaderCtrl : public QHeaderView {
    Q_OBJECT

public:
    explicit CSortingHeaderCtrl(QWidget* parent = nullptr);

    // Records the sorted column and its direction, draws that item (and from
    // then on always) by DrawItem, and repaints. Returns the previous column.
    int SetSortImage(int column, bool ascending);

    int sortColumn = -1;
    bool ascending = true;

protected:
    // Draws one heading item: its text, and the arrow for the sort column.
    virtual void DrawItem(QPainter* painter, const QRect& rect, int logicalIndex) const;

    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QSet<int> ownerDrawn;
    int pressedSection = -1;
};
