#include "CTabbedScreen.h"

#include <QPainter>
#include <QResizeEvent>

#include "PageTabCtrl.h"
#include "PageView.h"
#include "QtText.h"

CTabbedScreen::CTabbedScreen(LanguageModule* module, int32_t verb, bool asPronominal, bool alternate)
    : CChildFrame(module, verb, asPronominal, alternate) {
    blocksPerCell = 2;
    columnCount = 2;
    rowCount = 4;
    firstCell = 0;
}

bool CTabbedScreen::Create() {
    if (!CChildFrame::Create()) return false;
    pageTabs = new PageTabCtrl(view->viewport());
    for (int tab = 0; tab < TabCount; ++tab)
        pageTabs->addTab(FromCp1252(languageModule ? languageModule->GetTabName(tab) : nullptr));
    pageTabs->setCurrentIndex(0);
    connect(pageTabs, &QTabBar::currentChanged, this, &CTabbedScreen::OnTabChanged);
    pageTabs->show();
    QRect display = pageTabs->AdjustRect(false, QRect(0, 0, 100, 100));
    marginX += display.left();
    marginY += display.top();
    PlaceTabs();
    MeasurePage();
    return true;
}

void CTabbedScreen::FillPage() { FillPageFor(page::Layout::Tabbed); }

void CTabbedScreen::ShowTense(int tense) {
    if (pageTabs == nullptr) return;
    const int block = page::BlockOfTense(page::Layout::Tabbed, tense);
    if (block >= 0) pageTabs->setCurrentIndex(block / page::BlocksPerTab);
}

QSize CTabbedScreen::PageWindowSize() const {
    QRect grown = pageTabs->AdjustRect(true, QRect(0, 0, pageWidth, pageHeight));
    // The frame's own borders and title bar, as the window has them now.
    const QMargins frame = contentsMargins();
    const int frameRight = frame.right();
    const int frameBottom = frame.bottom();
    // The right and bottom edges of the grown rectangles, not their sizes.
    return QSize(grown.x() + grown.width() + frameRight, grown.y() + grown.height() + frameBottom);
}

void CTabbedScreen::AdjustToPage() {
    if (pageTabs == nullptr || isMaximized() || isMinimized() || snapping) return;
    snapping = true;
    QSize wanted = PageWindowSize();
    if (size() != wanted) resize(wanted);
    FitClient();
    snapping = false;
}

void CTabbedScreen::ClientResized() {
    AdjustToPage();
    PlaceTabs();
}

void CTabbedScreen::resizeEvent(QResizeEvent* event) {
    CChildFrame::resizeEvent(event);
    // Every size request is replaced by the page size.
    if (pageTabs != nullptr && !isMaximized() && !isMinimized() && !snapping) {
        QSize wanted = PageWindowSize();
        if (size() != wanted) {
            snapping = true;
            resize(wanted);
            FitClient();
            snapping = false;
        }
    }
}

void CTabbedScreen::FitClient() {
    // A size replaced while the window was being resized must reach the
    // client area too.
    if (widget() != nullptr && widget()->geometry() != contentsRect()) widget()->setGeometry(contentsRect());
}

void CTabbedScreen::PlaceTabs() {
    if (pageTabs == nullptr) return;
    pageTabs->setGeometry(0, 0, view->viewport()->width(), pageTabs->TabRowHeight());
    pageTabs->update();
}

void CTabbedScreen::PaintBackground(QPainter& painter, const QRect& client) {
    painter.fillRect(client, Qt::white);
    if (pageTabs != nullptr) pageTabs->PaintDisplayFrame(painter, client);
}

QList<QWidget*> CTabbedScreen::FocusChain() const { return {view, pageTabs}; }

void CTabbedScreen::OnTabChanged(int tab) {
    firstCell = 2 * tab;
    view->viewport()->update(pageTabs->AdjustRect(false, view->viewport()->rect()));
}
