#include "VerbBar.h"

#include <QPixmap>

VerbBar::VerbBar(QWidget* parent) : QToolBar(QStringLiteral("Verb Bar"), parent) {
    setObjectName(QStringLiteral("verbBar"));
    setWindowTitle(QStringLiteral("Verb Bar"));
    setIconSize(QSize(16, 15));
    setMovable(true);
    setFloatable(false);
    setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
    comboArea = new QWidget(this);
    comboArea->setObjectName(QStringLiteral("verbComboArea"));
    comboArea->setFixedWidth(ComboAreaWidth);
    addWidget(comboArea);
}

QIcon VerbBar::Image(int index) {
    static const QPixmap strip(QStringLiteral(":/toolbar.png"));
    if (index < 0 || index >= ImageCount || strip.isNull()) return QIcon();
    return QIcon(strip.copy(index * 16, 0, 16, 15));
}
