// The print job: print dialog, Printing dialog, one page, end or stop.
#include "PrintCommand.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>

#include "CChildFrame.h"
#include "PrintingDialog.h"
#include "QtText.h"
#include "UserMessage.h"

namespace {

void ReportPrintFailure(QWidget* frame) {
    ShowUserMessage(frame, QMessageBox::Critical, QStringLiteral("Print request failed"));
}

// Lets the program's windows handle what is waiting, the Printing dialog's
// Cancel among them; false once the job is to stop.
bool PrintAbortProc() {
    QApplication::processEvents();
    return !printCancelled;
}

bool PrintsToFile(const QPrinter& printer) {
    return printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
}

// Whether a PDF file was written whole. Qt's PDF engine does not report
// failed writes (a full disk), but a PDF cut short lacks its end marker.
bool PdfFileComplete(const QString& path) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) return false;
    const qint64 size = file.size();
    if (size < 16 || !file.seek(size - std::min<qint64>(size, 64))) return false;
    return file.readAll().contains("%%EOF");
}

// Ends the document; false when the printer reports an error.
bool EndJob(QPainter& painter, QPrinter& printer) {
    const bool ended = painter.end();
    if (!ended || printer.printerState() == QPrinter::Error) return false;
    return !PrintsToFile(printer) || PdfFileComplete(printer.outputFileName());
}

// Stops a cancelled job. Qt's own engines cannot take back a job once begun
// (abort() fails); a PDF file is then removed so that nothing is left of it.
void StopJob(QPainter& painter, QPrinter& printer) {
    const bool aborted = printer.abort();
    painter.end();
    if (!aborted && PrintsToFile(printer)) QFile::remove(printer.outputFileName());
}

// Keeps the main frame disabled while it lives; enabled again on every way out.
class FrameDisabled {
public:
    explicit FrameDisabled(QWidget* frame) : frame_(frame) {
        if (frame_) frame_->setEnabled(false);
    }
    ~FrameDisabled() {
        if (frame_) frame_->setEnabled(true);
    }
    FrameDisabled(const FrameDisabled&) = delete;
    FrameDisabled& operator=(const FrameDisabled&) = delete;

private:
    QPointer<QWidget> frame_;
};

}  // namespace

QString PrintStatusText(const CChildFrame& window, const QPrinter& printer) {
    const char* language = window.languageModule ? window.languageModule->GetLanguage() : nullptr;
    QString text = QStringLiteral("Print ") + FromCp1252(language) + QStringLiteral(" verb: ") +
                   printer.docName();
    QString device = printer.printerName();
    QString destination;
    if (PrintsToFile(printer)) {
        if (device.isEmpty()) device = QStringLiteral("Print to File (PDF)");
        destination = printer.outputFileName();
    } else {
        destination = QPrinterInfo(printer).location();
        if (destination.isEmpty()) destination = device;
    }
    return text + QStringLiteral("\nPrinting on: ") + device + QStringLiteral("\nPrinting to: ") +
           destination;
}

bool PrintVerbPage(QWidget* frame, CChildFrame& window, QPrinter& printer) {
    printCancelled = false;
    QPainter painter;
    if (!painter.begin(&printer)) {
        ReportPrintFailure(frame);
        return false;
    }
    QPointer<CChildFrame> verbWindow(&window);
    bool printed = false;
    {
        PrintingDialog printing(PrintStatusText(window, printer), frame);
        printingDialogWindow = &printing;
        FrameDisabled disabled(frame);
        printing.setEnabled(true);  // a window of its own: not disabled with the frame
        printing.show();
        printing.activateWindow();

        // The dialog appears; what the user does is taken once the page is
        // drawn. A job stopped before its page would leave a printer that
        // cannot take it back (Qt's engines cannot) with a blank sheet.
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (verbWindow) verbWindow->PrintPage(painter);
        PrintAbortProc();  // while the page goes to the printer: Cancel is taken here
        if (printCancelled || !verbWindow)
            StopJob(painter, printer);
        else
            printed = EndJob(painter, printer);
        printingDialogWindow = nullptr;
    }
    if (!printed && !printCancelled) ReportPrintFailure(frame);
    return printed;
}

void PrintCommand(QWidget* frame, CChildFrame* window) {
    if (window == nullptr) return;
    QPointer<CChildFrame> verbWindow(window);
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(window->windowTitle());
    QPrintDialog dialog(&printer, frame);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    if (dialog.exec() != QDialog::Accepted || !verbWindow) return;
    if (!printer.isValid()) {
        ReportPrintFailure(frame);
        return;
    }
    PrintVerbPage(frame, *verbWindow, printer);
}
