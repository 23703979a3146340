// Program-wide objects shared by the main frame and every verb window.
//
// They exist before the first window is created and are released after the
// last one is gone. The main frame sets the display settings at start-up and
// whenever the user picks another font; verb windows read them to measure and
// paint their pages.
#pragma once

#include <QFont>
#include <QList>
#include <QMenu>
#include <cstdint>
#include <optional>

class CChildFrame;

// The font of all page text; empty until the main frame creates it.
extern std::optional<QFont> VerbFont;
// The colour of page lines without a colour code, as 0x00BBGGRR.
extern uint32_t VerbTextColor;
// Height of one page line in pixels: character height plus external leading.
extern int LineHeight;
// Every open verb window, in creation order.
extern QList<CChildFrame*> VerbWindowList;
// Open verb windows and search-results windows.
extern int OpenChildCount;
// The menus shown while a verb window is active (menu 129), top-level popups
// in order; the main frame owns them.
extern QList<QMenu*> ChildMenu;

// Colour conversions between 0x00BBGGRR values and Qt colours.
QColor ColorFromColorRef(uint32_t colorRef);
uint32_t ColorRefFromColor(const QColor& color);

// Measures LineHeight for `font` the way the page layout uses it.
int MeasureLineHeight(const QFont& font);

// Empties the verb-window list and the child menu and drops the font, in the
// reverse order of their creation; run once when the program ends.
void ReleaseProgramObjects();
