// Dialog units: the coordinates dialogs are laid out in. A horizontal unit is
// a quarter of the dialog font's average character width, a vertical unit an
// eighth of its character height, so a dialog keeps its proportions in any
// font.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QRect>
#include <QString>

struct DialogUnits {
    double x = 1.0;
    double y = 1.0;

    // The units of `font` (the average width is taken over the 52 letters).
    static DialogUnits Of(const QFont& font) {
        QFontMetrics metrics(font);
        const QString sample = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        return {metrics.horizontalAdvance(sample) / 52.0 / 4.0, metrics.height() / 8.0};
    }

    // A rectangle given in dialog units, in pixels.
    QRect Map(int left, int top, int width, int height) const {
        return QRect(int(left * x + 0.5), int(top * y + 0.5), int(width * x + 0.5), int(height * y + 0.5));
    }
};

// The 8-point "MS Sans Serif" every dialog of the program is laid out in.
inline QFont DialogFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    return font;
}
