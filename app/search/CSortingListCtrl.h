// A report list that draws its own rows and sorts itself when a column
// heading is clicked.
//
// Every column has a comparison type (ColumnType); rows are sorted in place
// by a quicksort that swaps whole rows, so each row keeps its item data,
// image, selection and focus wherever it moves. The highlight mode says how
// far a selected row is highlighted: its first cell's text (0), the whole row
// (1), or to the right edge of the list (2).
#pragma once

#include <QTreeWidget>
#include <cstdint>
#include <vector>

class CSortingHeaderCtrl;

class CSortingListCtrl : public QTreeWidget {
    Q_OBJECT

public:
    enum ColumnType : uint8_t {
        ByteOrder = 0,        // byte by byte (Windows-1252 values)
        CaseInsensitive = 1,  // only A-Z fold to a-z
        Integer = 2,          // leading decimal integers
        DateTime = 3,         // dates and times in the user's locale
        Unsortable = 4,
    };

    explicit CSortingListCtrl(QWidget* parent = nullptr);

    // Makes `heading` the list's heading; call once after creation.
    void AttachHeading();

    // Replaces the column types; false, leaving no types at all, when a
    // value is above 4.
    bool SetColumnTypes(const uint8_t* types, int count);
    // Switches sorting on heading clicks on or off; returns the previous setting.
    bool EnableSorting(bool enable);
    // 0, 1 or 2; a larger mode is ignored. Returns the previous mode.
    int SetHighlightMode(int mode);
    // Sorts rows low .. high (-1: the last row) by `column`. False for a
    // column the heading does not have or fewer than two rows.
    bool SortColumn(int column, bool ascending, int low = 0, int high = -1);
    // Negative, zero or positive, by the type of `column`.
    int Compare(const QString& a, const QString& b, int column) const;

    // The row's 32-bit item data.
    void SetItemData(int row, int32_t value);
    int32_t GetItemData(int row) const;
    // The selected row, or -1.
    int SelectedRow() const;
    QString CellText(int row, int column) const;

    CSortingHeaderCtrl* heading = nullptr;
    bool sorting = false;
    std::vector<uint8_t> columnTypes;
    int sortColumn = -1;
    bool ascending = true;
    // Whether a selected row stays highlighted while the list has no focus.
    bool showSelectionAlways = false;

protected:
    // Draws one row: the highlight, then the text of each cell.
    virtual void DrawItem(QPainter* painter, const QRect& rowRect, const QModelIndex& index) const;
    // The parts of DrawItem: where a cell is, what the highlight covers,
    // one cell's text, and the focus frame.
    QRect CellRect(int column, const QRect& rowRect) const;
    QRect HighlightRect(const QTreeWidgetItem& item, const QRect& label, const QRect& bounds,
                        const QFontMetrics& metrics) const;
    void DrawCell(QPainter* painter, const QTreeWidgetItem& item, int column, const QRect& cell,
                  Qt::Alignment horizontal) const;
    void DrawFocus(QPainter* painter, const QRect& highlight, bool highlighted) const;

    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    // How much of a selected row is highlighted (SetHighlightMode).
    enum HighlightMode : int {
        HighlightLabel = 0,      // the first cell's text
        HighlightRow = 1,        // every cell
        HighlightRowToEdge = 2,  // every cell and the rest of the line
    };
    HighlightMode highlightMode = HighlightLabel;

    void OnHeaderItemClick(int column);
    void SwapRows(int a, int b);
};
