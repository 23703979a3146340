#include "ProgramObjects.h"

#include <QColor>
#include <QFontMetrics>

std::optional<QFont> VerbFont;
uint32_t VerbTextColor = 0;
int LineHeight = 0;
QList<CChildFrame*> VerbWindowList;
int OpenChildCount = 0;
QList<QMenu*> ChildMenu;

QColor ColorFromColorRef(uint32_t colorRef) {
    return QColor(int(colorRef & 0xFF), int((colorRef >> 8) & 0xFF), int((colorRef >> 16) & 0xFF));
}

uint32_t ColorRefFromColor(const QColor& color) {
    return uint32_t(color.red()) | (uint32_t(color.green()) << 8) | (uint32_t(color.blue()) << 16);
}

int MeasureLineHeight(const QFont& font) {
    QFontMetrics metrics(font);
    return metrics.height() + metrics.leading();
}

void ReleaseProgramObjects() {
    VerbWindowList.clear();
    ChildMenu.clear();  // the menus themselves belong to the main frame
    VerbFont.reset();
}
