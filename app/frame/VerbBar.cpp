#include "VerbBar.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>
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

namespace {

// The glyph's shape in one colour.
QPixmap Silhouette(const QPixmap& image, const QColor& colour) {
    QPixmap shape(image.size());
    shape.fill(Qt::transparent);
    QPainter painter(&shape);
    painter.drawPixmap(0, 0, image);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(shape.rect(), colour);
    return shape;
}

// A disabled button as the desktop draws one: the glyph's shape, light,
// with a highlight below and to the right, never its dark strokes.
QPixmap DisabledImage(const QPixmap& image) {
    const QPalette palette = QApplication::palette();
    QPixmap result(image.size());
    result.fill(Qt::transparent);
    QPainter painter(&result);
    painter.drawPixmap(1, 1, Silhouette(image, palette.color(QPalette::Light)));
    painter.drawPixmap(0, 0,
                       Silhouette(image, palette.color(QPalette::Disabled, QPalette::Mid).lighter(115)));
    return result;
}

}  // namespace

QIcon VerbBar::Image(int index) {
    static const QPixmap strip(QStringLiteral(":/toolbar.png"));
    if (index < 0 || index >= ImageCount || strip.isNull()) return QIcon();
    const QPixmap image = strip.copy(index * 16, 0, 16, 15);
    QIcon icon(image);
    icon.addPixmap(DisabledImage(image), QIcon::Disabled);
    return icon;
}
