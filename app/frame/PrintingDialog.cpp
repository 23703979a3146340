#include "PrintingDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QStringList>

#include "DialogUnits.h"

bool printCancelled = false;
QPointer<PrintingDialog> printingDialogWindow;

PrintingDialog::PrintingDialog(const QString& statusText_, QWidget* parent)
    : QDialog(parent), statusText(statusText_) {
    setWindowTitle(QStringLiteral("Printing"));
    setModal(false);
    setFont(DialogFont());
    const DialogUnits du = DialogUnits::Of(font());
    setFixedSize(du.Map(0, 0, 164, 63).size());

    status = new QLabel(this);
    status->setObjectName(QString::number(StatusControlId));
    status->setGeometry(du.Map(7, 7, 150, 30));
    // A long file name loses its middle rather than its end.
    QStringList lines = statusText.split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = status->fontMetrics().elidedText(line, Qt::ElideMiddle, status->width());
    status->setText(lines.join(QLatin1Char('\n')));
    status->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    status->setTextFormat(Qt::PlainText);

    cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setGeometry(du.Map(57, 42, 50, 14));
    cancel->setDefault(true);
    connect(cancel, &QPushButton::clicked, this, &PrintingDialog::reject);
}

void PrintingDialog::reject() { printCancelled = true; }
