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
#include <QRandomGenerator>
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "CChildFrame.h"
#include "PrintingDialog.h"
#include "QtText.h"
#include "UserMessage.h"
#include "platform/AtomicFile.h"

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

// A PDF file is printed to a temporary file beside it, renamed over it only
// once the job is complete: a job that fails (a full disk) or is cancelled
// leaves the file that was there as it was, and nothing half-written. A
// device or pipe (not a regular file) is printed to directly, and so is a
// file where no temporary can be made beside it. The printer
// names the real file again when this ends.
class PdfBesideTarget {
public:
    explicit PdfBesideTarget(QPrinter& printer) : printer_(printer) {
        if (!PrintsToFile(printer)) return;
        target_ = printer.outputFileName();
        // A link stays a link: the file it points to is the one replaced.
        const QString file =
            QFile::decodeName(platform::FollowLinks(QFile::encodeName(target_).toStdString()).c_str());
        const QFileInfo info(file);
        // A file the user may not write is not replaced behind its back
        // either: the job fails on it as it always did.
        if (file.isEmpty() || (info.exists() && (!info.isFile() || !info.isWritable()))) return;
        // A new file of our own with the permissions a new file gets ("name.XXXXXX").
        static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
        for (int attempt = 0; attempt < 100 && temporary_.isEmpty(); ++attempt) {
            QString name = file + QLatin1Char('.');
            for (int i = 0; i < 6; ++i) name += QLatin1Char(letters[QRandomGenerator::global()->bounded(62)]);
            QFile candidate(name);
            if (candidate.open(QIODevice::WriteOnly | QIODevice::NewOnly))
                temporary_ = name;
            else if (!QFile::exists(name))
                break;  // not a name taken: the folder refuses
        }
        if (temporary_.isEmpty()) return;  // no room beside it: printed directly, as before
        if (info.exists()) QFile::setPermissions(temporary_, QFile::permissions(file));
        file_ = file;
        printer_.setOutputFileName(temporary_);
    }
    ~PdfBesideTarget() {
        if (!temporary_.isEmpty()) QFile::remove(temporary_);
        if (!target_.isEmpty()) printer_.setOutputFileName(target_);
    }
    PdfBesideTarget(const PdfBesideTarget&) = delete;
    PdfBesideTarget& operator=(const PdfBesideTarget&) = delete;

    // Puts the finished file in place; false when it cannot be.
    bool Complete() {
        if (temporary_.isEmpty()) return true;
        std::error_code error;
        std::filesystem::rename(QFile::encodeName(temporary_).toStdString(),
                                QFile::encodeName(file_).toStdString(), error);
        if (error) return false;
        temporary_.clear();
        return true;
    }

private:
    QPrinter& printer_;
    QString target_;     // the file the user chose
    QString file_;       // the file replaced: the target, or what its link points to
    QString temporary_;  // while the job writes it
};

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
    const char* language = window.Module() ? window.Module()->GetLanguage() : nullptr;
    QString text =
        QStringLiteral("Print ") + FromCp1252(language) + QStringLiteral(" verb: ") + printer.docName();
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
    const QString status = PrintStatusText(window, printer);
    PdfBesideTarget pdf(printer);
    QPainter painter;
    if (!painter.begin(&printer)) {
        ReportPrintFailure(frame);
        return false;
    }
    QPointer<CChildFrame> verbWindow(&window);
    bool printed = false;
    {
        PrintingDialog printing(status, frame);
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
            printed = EndJob(painter, printer) && pdf.Complete();
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
