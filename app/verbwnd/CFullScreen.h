// The full-screen layout of a verb window: the whole page at once, one row
// of four columns with four tense blocks each. The window has a free size;
// scroll bars appear when the page does not fit.
#pragma once

#include "CChildFrame.h"

class CFullScreen : public CChildFrame {
    Q_OBJECT

public:
    CFullScreen(LanguageModule* languageModule, int32_t verbIndex, bool pronominal, bool useAlternate);

    void FillPage() override;
    // Scrolls the page, if it does not fit, until the tense's block is seen.
    void ShowTense(int tense) override;
    // Fits the scroll bars to the page: a bar appears when the page is wider
    // (taller) than the client area, with the client size as its page size.
    void AdjustToPage() override;

private:
    bool adjusting = false;
};
