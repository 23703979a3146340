// The tabbed layout of a verb window: one quarter of the page at a time under
// four tabs, two columns of two tense blocks each. The window sizes itself to
// the page and has no scroll bars; the user cannot resize it while it is not
// maximised.
#pragma once

#include "CChildFrame.h"

class PageTabCtrl;

class CTabbedScreen : public CChildFrame {
    Q_OBJECT

public:
    CTabbedScreen(LanguageModule* languageModule, int32_t verbIndex, bool pronominal, bool useAlternate);

    bool Create() override;
    void FillPage() override;
    // Selects the tab that holds the tense's block.
    void ShowTense(int tense) override;
    // Snaps the window to the page size unless it is maximised.
    void AdjustToPage() override;
    void ClientResized() override;
    void PaintBackground(QPainter& painter, const QRect& client) override;
    // The page, then the tabs.
    QList<QWidget*> FocusChain() const override;

    // The window size that holds the page exactly.
    QSize PageWindowSize() const;

    PageTabCtrl* pageTabs = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void OnTabChanged(int tab);
    void PlaceTabs();
    void FitClient();
    bool snapping = false;
};
