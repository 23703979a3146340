#include "FontColourDialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

FontColourDialog::FontColourDialog(const QFont& font, const QColor& colour_, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Font"));
    fontChooser = new QFontDialog(font, this);
    fontChooser->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    fontChooser->setWindowFlags(Qt::Widget);
    fontChooser->setCurrentFont(font);

    auto* colourRow = new QHBoxLayout;
    colourRow->addWidget(new QLabel(QStringLiteral("&Colour:"), this));
    colourButton = new QPushButton(this);
    colourButton->setObjectName(QStringLiteral("colourButton"));
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

QFont FontColourDialog::SelectedFont() const { return fontChooser->currentFont(); }

void FontColourDialog::SetColour(const QColor& colour_) {
    colour = colour_;
    colourButton->setText(colour.name());
    colourButton->setStyleSheet(QStringLiteral("background-color: %1; color: %2")
                                    .arg(colour.name(), colour.lightness() < 128 ? "white" : "black"));
}
