// The tab control of the tabbed verb window (control id 1015).
//
// The control stands for the whole client area of its window: AdjustRect
// converts between that area and the display area below the tabs, where the
// window paints its page. The tab row itself is the only part the control
// covers; the window paints the frame around the display area
// (PaintDisplayFrame) and the page inside it.
#pragma once

#include <QRect>
#include <QTabBar>

class PageTabCtrl : public QTabBar {
    Q_OBJECT

public:
    static constexpr int ControlId = 1015;
    // Width of the frame drawn around the display area.
    static constexpr int FrameWidth = 2;

    explicit PageTabCtrl(QWidget* parent);

    // The display area of a control occupying `rect` (larger = false), or
    // the control rectangle whose display area is `rect` (larger = true).
    QRect AdjustRect(bool larger, const QRect& rect) const;

    // Height of the row of tabs.
    int TabRowHeight() const;

    // Paints, on the window's client area `client`, the background outside
    // the display area and the frame around it.
    void PaintDisplayFrame(QPainter& painter, const QRect& client) const;

protected:
    void wheelEvent(QWheelEvent* event) override;
};
