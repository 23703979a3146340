// The Font command's dialog: the font chooser with a colour choice beside it.
#pragma once

#include <QColor>
#include <QDialog>
#include <QFont>

class QFontDialog;
class QPushButton;

class FontColourDialog : public QDialog {
    Q_OBJECT

public:
    FontColourDialog(const QFont& font, const QColor& colour, QWidget* parent);

    QFont SelectedFont() const;
    QColor SelectedColour() const { return colour; }
    void SetColour(const QColor& colour);

    QFontDialog* fontChooser = nullptr;
    QPushButton* colourButton = nullptr;

private:
    QColor colour;
};
