// The small modeless window shown while a verb page prints: what is printed
// and where, and a Cancel button that stops the job.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QString>

class QLabel;
class QPushButton;

class PrintingDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int StatusControlId = 1030;

    // The dialog with `statusText` in its status line(s); not yet shown.
    PrintingDialog(const QString& statusText, QWidget* parent);

    QString statusText;
    QLabel* status = nullptr;
    QPushButton* cancel = nullptr;

public slots:
    // Cancel, Esc and the close button: the job is to stop. The dialog stays
    // open; the print command closes it when the job has ended.
    void reject() override;
};

// Set by the Printing dialog's Cancel; cleared at the start of every job.
extern bool printCancelled;
// The Printing dialog of the job in progress, if any.
extern QPointer<PrintingDialog> printingDialogWindow;
