#include "FontColourDialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// The chooser lives inside the dialog: Enter and Esc in it answer the whole
// dialog instead of closing the chooser alone.
class EmbeddedFontChooser : public QFontDialog {
public:
    EmbeddedFontChooser(const QFont& font, QDialog* parent) : QFontDialog(font, parent), owner(parent) {}

protected:
    void done(int result) override { owner->done(result); }

private:
    QDialog* owner;
};

// `font` as the chooser can list it: the installed family it resolves to,
// its size in points.
QFont ChooserFont(const QFont& font) {
    const QFontInfo info(font);
    QFont shown(info.family());
    shown.setPointSize(std::max(1, qRound(info.pointSizeF())));
    shown.setWeight(font.weight());
    shown.setItalic(font.italic());
    shown.setUnderline(font.underline());
    shown.setStrikeOut(font.strikeOut());
    return shown;
}

}  // namespace

FontColourDialog::FontColourDialog(const QFont& font, const QColor& colour_, QWidget* parent)
    : QDialog(parent), initialFont(font) {
    setWindowTitle(QStringLiteral("Font"));
    fontChooser = new EmbeddedFontChooser(ChooserFont(font), this);
    fontChooser->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    fontChooser->setWindowFlags(Qt::Widget);
    fontChooser->setCurrentFont(ChooserFont(font));
    shownFont = fontChooser->currentFont();

    auto* colourRow = new QHBoxLayout;
    auto* colourLabel = new QLabel(QStringLiteral("&Colour:"), this);
    colourRow->addWidget(colourLabel);
    colourButton = new QPushButton(this);
    colourButton->setObjectName(QStringLiteral("colourButton"));
    colourLabel->setBuddy(colourButton);  // "&" marks Alt+C, it is not shown
    colourButton->setMinimumWidth(80);
    colourRow->addWidget(colourButton);
    colourRow->addStretch();
    connect(colourButton, &QPushButton::clicked, this, [this] {
        QColor chosen = QColorDialog::getColor(colour, this, QStringLiteral("Colour"));
        if (chosen.isValid()) SetColour(chosen);
    });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fontChooser);
    layout->addLayout(colourRow);
    layout->addWidget(buttons);
    SetColour(colour_);
}

QFont FontColourDialog::SelectedFont() const {
    const QFont chosen = fontChooser->currentFont();
    return chosen == shownFont ? initialFont : chosen;
}

void FontColourDialog::SetColour(const QColor& colour_) {
    colour = colour_;
    colourButton->setText(colour.name());
    colourButton->setStyleSheet(QStringLiteral("background-color: %1; color: %2")
                                    .arg(colour.name(), colour.lightness() < 128 ? "white" : "black"));
}
