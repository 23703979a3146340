// The Font command's dialog: the font chooser with a colour choice beside it.
//
// The chooser opens on the display font as the system resolves it (a face
// such as "Arial" is shown as the installed family that stands in for it).
// Confirming without touching the chooser gives back the very font the
// dialog was opened with, so the display and the stored setting stay as
// they were.
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
    QFont initialFont;  // the font the dialog was opened with
    QFont shownFont;    // what the chooser showed for it
    QColor colour;
};
