#include "PrintingDialog.h"

#include <QLabel>
#include <QPushButton>

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

    status = new QLabel(statusText, this);
    status->setObjectName(QString::number(StatusControlId));
    status->setGeometry(du.Map(7, 7, 150, 30));
    status->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    status->setTextFormat(Qt::PlainText);

    cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setGeometry(du.Map(57, 42, 50, 14));
    cancel->setDefault(true);
    connect(cancel, &QPushButton::clicked, this, &PrintingDialog::reject);
}

void PrintingDialog::reject() { printCancelled = true; }
