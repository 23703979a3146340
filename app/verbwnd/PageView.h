// The client area of a verb window: a white surface on which the window
// paints its page, with the scroll bars of the full-screen layout.
//
// The view has no text selection: mouse clicks change nothing, and the
// arrow, page and home/end keys do not scroll; only the scroll bars (and the
// mouse wheel) do.
#pragma once

#include <QAbstractScrollArea>

class CChildFrame;

class PageView : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit PageView(CChildFrame* owner);

    // The page's size: a window arranged by the frame shows all of it if it can.
    QSize sizeHint() const override;

    // Sets the scroll origin of the page from the scroll bars' positions.
    void SyncScrollOrigin();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void OnScrollAction(Qt::Orientation orientation, int action);

    CChildFrame* owner;
};
