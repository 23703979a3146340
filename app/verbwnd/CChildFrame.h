// A verb window: one verb of one language module, shown as a page of tense
// blocks inside the main frame.
//
// The window keeps the verb's state (index, pronominal form, chosen variant)
// and the 94 form texts the module writes, arranges form texts and tense
// names into 16 blocks of 7 lines, measures the page in the display font and
// paints it. It is never created by itself: CFullScreen and CTabbedScreen
// supply the grid shape, the block order and what happens after measuring.
#pragma once

#include <QMdiSubWindow>
#include <QPoint>
#include <QRect>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "LanguageModule.h"
#include "PageModel.h"

class PageView;
class VerbWindowHost;
class QPainter;

class CChildFrame : public QMdiSubWindow {
    Q_OBJECT

public:
    static constexpr int FormCount = FormSlotCount;
    static constexpr int FormSize = FormBufferSize;
    static constexpr int LinesPerBlock = page::LinesPerBlock;
    static constexpr int BlockCount = page::BlockCount;
    static constexpr int PageLineCount = page::LineCount;
    static constexpr int LabelBufferSize = 256;

    CChildFrame(LanguageModule* languageModule, int32_t verbIndex, bool pronominal, bool useAlternate);
    ~CChildFrame() override;

    // Creates the window's contents: registers it among the open verb
    // windows, fills the page and shows the first verb (an index outside the
    // module's range becomes 0). False when the window cannot be made.
    virtual bool Create();

    // Fills the page lines in the layout's block order; called once by Create.
    virtual void FillPage();
    // Brings the block of tense `tense` (0-17) into view where the layout
    // shows only part of the page; the full page shows every tense.
    virtual void ShowTense(int tense) { (void)tense; }
    // Reacts to a new page size or client size.
    virtual void AdjustToPage();

    // Shows verb `index`; outside 0 .. count - 1 the window only repaints.
    void SetVerb(int32_t index);
    void SetPronominal(bool flag);
    void SetAlternate(int choice);
    // Marks form slot `slot` (0-92) of the verb shown, as it is now, as the
    // form the user looked for: its page line is painted on a highlight
    // until the verb, its form or its variant changes. -1 for none.
    void SetHighlightedSlot(int slot);
    int HighlightedSlot() const { return highlightedSlot; }
    // The slot of tense `tense` whose form text is `form`, or -1.
    int SlotOfForm(int tense, std::string_view form) const;
    // Re-conjugates the current verb: forms, labels, images, page size, title.
    void Conjugate();

    std::string EnglishDefinition() const { return definition; }
    // Stores `text` (Windows-1252, one line) as the user's definition of this
    // verb in its current form and makes it the window's definition.
    void CommitDefinition(std::string_view text);

    int GetAlternateImage1() const { return alternateImage1; }
    int GetAlternateImage2() const { return alternateImage2; }

    // Recomputes column widths and page size in the display font, adjusts
    // the window to the page and repaints it.
    void MeasurePage();
    // The width of the widest page this layout shows for any verb of the
    // module in any form, in the display font (at least pageWidth).
    int WidestPageWidth();
    // Erases the client area `client` before the page is drawn: white.
    virtual void PaintBackground(QPainter& painter, const QRect& client);
    // Draws the row of cells that starts at firstCell, the highlighted
    // slot's line on HighlightTint().
    void PaintPage(QPainter& painter);
    // The background of the highlighted line: the palette's highlight
    // colour, light enough for any text colour on the white page.
    static QColor HighlightTint();

    // Draws the verb page for the printer onto `painter`'s device, in device
    // pixels: the title, a rule and the 16 tense blocks in three columns,
    // with fonts of its own and tense names without markup, whatever the
    // window's layout, display font or colour. The painter stays the
    // caller's and is left as it was; the call neither starts nor ends a page.
    void PrintPage(QPainter& painter);

    // Top-left corner of line `line` of block `block` in column `column` of
    // the row shown, in client coordinates.
    QPoint LinePosition(int column, int block, int line) const;

    // The toolbar image of a variant label ("A" 7 ... "IE" 14, anything else 1).
    static int ImageNumberForLabel(std::string_view label);

    // The window's rectangle in the main frame's MDI area while it is neither
    // minimised nor maximised (its last such rectangle otherwise).
    QRect RestoredGeometry() const;
    // Takes the current rectangle as the restored one, for a window placed
    // before it can be seen.
    void RememberRestoredGeometry();

    const char* Form(int slot) const { return forms[slot]; }
    const char* PageLine(int entry) const { return pageLines[size_t(entry)]; }
    // The widget the page is painted on (the client area).
    PageView* View() const { return view; }

    // The conjugation state.
    LanguageModule* Module() const { return languageModule; }
    int32_t VerbIndex() const { return verbIndex; }
    bool CanBePronominal() const { return canBePronominal; }
    // The verb exists only in its pronominal form.
    bool OnlyPronominal() const { return onlyPronominal; }
    bool IsPronominal() const { return pronominal; }
    bool HasAlternate() const { return hasAlternate; }
    bool UsesAlternate() const { return useAlternate; }
    // The variant labels the module gave ("A" and "E", "I" and "Y"), empty
    // for a verb with one variant.
    const std::string& AlternateLabel1() const { return alternateLabel1; }
    const std::string& AlternateLabel2() const { return alternateLabel2; }
    // The pronominal form was switched on by typing its name ("se placer"),
    // not by the Pronominal command.
    bool PronominalTyped() const { return pronominalTyped; }
    // The form a name typed in the verb box asks for: a pronominal name
    // ("se souvenir") switches the pronominal form on until a plain name is
    // typed; a form chosen with the Pronominal command stays. Takes effect
    // at the next SetVerb.
    void TakeTypedForm(bool typedPronominal);
    // The form and variant of a reading chosen in the list of forms, kept
    // as a typed pronominal name is. Takes effect at the next SetVerb.
    void TakeReadingForm(bool readingPronominal, bool alternate);

    // The grid the layout chose: blocks a cell, cells a row, rows, and the
    // first cell shown.
    int BlocksPerCell() const { return blocksPerCell; }
    int ColumnCount() const { return columnCount; }
    int RowCount() const { return rowCount; }
    int FirstCell() const { return firstCell; }

    // The page's geometry in the display font, in pixels.
    int MarginX() const { return marginX; }
    int MarginY() const { return marginY; }
    const std::array<int, 4>& ColumnWidths() const { return columnWidths; }
    int PageWidth() const { return pageWidth; }
    int PageHeight() const { return pageHeight; }
    // Where the page's origin is in the client area (scrolled: negative).
    QPoint ScrollOrigin() const { return scrollOrigin; }
    void SetScrollOrigin(QPoint origin) { scrollOrigin = origin; }

    // Called by the page view.
    void HandleFocusIn();
    // The client area got a new size.
    virtual void ClientResized() { AdjustToPage(); }

    // The window's controls in keyboard order: the page, then whatever the
    // layout adds.
    virtual QList<QWidget*> FocusChain() const;

protected:
    // Fills pageLines with the lines of `layout`'s page.
    void FillPageFor(page::Layout layout);
    // The widths of the columns of the page lines as they are now.
    std::array<int, 4> MeasureColumns() const;
    int PageWidthOf(const std::array<int, 4>& columnWidths) const;
    std::array<std::vector<std::string>, 4> LongestLinesOfLongestVerbs(int32_t count);

    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    // Tab leaves the window for the verb box and the definition field
    // instead of going round inside it.
    bool focusNextPrevChild(bool next) override;

    PageView* view = nullptr;

    // Set by the layouts.
    int blocksPerCell = 4;
    int columnCount = 4;
    int rowCount = 1;
    int firstCell = 0;
    int marginX = 5;
    int marginY = 5;
    std::array<int, 4> columnWidths{};
    int pageWidth = 0;
    int pageHeight = 0;

    LanguageModule* const languageModule;

signals:
    // The verb, its form or its variant changed.
    void stateChanged();
    // The window's page got the keyboard focus.
    void focusEntered();
    // The window is going; OpenChildCount no longer counts it.
    void closed();

public:
    // The frame that answers this window's questions; null for none.
    void SetHost(VerbWindowHost* frame) { host = frame; }

private:
    VerbWindowHost* host = nullptr;

    int32_t verbIndex;
    bool canBePronominal = false;
    bool onlyPronominal = false;
    bool hasAlternate = false;
    bool pronominal;
    bool pronominalTyped = false;
    bool useAlternate;
    int alternateImage1 = 1;
    int alternateImage2 = 2;
    std::string definition;
    std::string alternateLabel1;
    std::string alternateLabel2;
    QPoint scrollOrigin{0, 0};

    char forms[FormCount][FormSize] = {};
    char* formPointers[FormCount] = {};
    std::array<const char*, PageLineCount> pageLines{};
    // The highlighted slot, and the verb state it belongs to.
    int highlightedSlot = -1;
    int32_t highlightedVerb = -1;
    bool highlightedPronominal = false;
    bool highlightedAlternate = false;
    QRect restoredGeometry;
    QList<QRect> normalHistory;  // latest rectangles while neither minimised nor maximised
    bool registered = false;
};
