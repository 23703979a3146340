#include "DefinitionBar.h"

#include <QFontMetrics>
#include <QStyle>
#include <QTextDocument>

#include "DefinitionEdit.h"

DefinitionBar::DefinitionBar(QWidget* parent) : QToolBar(QStringLiteral("English Definition"), parent) {
    setObjectName(QStringLiteral("definitionBar"));
    setMovable(true);
    setFloatable(false);
    setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
    edit = new DefinitionEdit(this);
    QFontMetrics metrics(edit->font());
    const int edge = 2;
    editHeight = 2 * (edge + metrics.height() + metrics.leading());
    // Two whole lines must fit inside the frame and the document margins.
    const int chrome = 2 * edit->frameWidth() + 2 * int(edit->document()->documentMargin());
    editHeight = std::max(editHeight, 2 * metrics.lineSpacing() + chrome);
    edit->setFixedHeight(editHeight);
    edit->setMinimumWidth(200);
    edit->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    addWidget(edit);
}
