// File > Print as the user meets it: the print dialog, the Printing dialog
// with its Cancel, the PDF file, and what is reported when a job fails.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrintDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <functional>
#include <sys/resource.h>

#include "AppTestSupport.h"
#include "CChildFrame.h"
#include "CMainFrame.h"
#include "CommandIds.h"
#include "PrintingDialog.h"

namespace {

QString OutputFile(const QString& name) {
    QDir().mkpath(QStringLiteral(PLIMO_SCREENSHOT_DIR));
    return QStringLiteral(PLIMO_SCREENSHOT_DIR "/") + name;
}

// What one run of the print command showed.
struct PrintRun {
    bool printDialogShown = false;
    bool printingShown = false;
    QString status;       // the Printing dialog's text
    QString shownStatus;  // as it fits the dialog
    bool frameDisabled = false;
    bool cancelEnabled = false;
    QObject context;  // the run's timers end with it
};

// Answers the print dialog the way a user does: "Print to File (PDF)" into
// `file`, or Cancel when `file` is empty. While the page prints, `during`
// runs with the Printing dialog on screen.
void AnswerPrintDialog(QWidget* frame, PrintRun& run, const QString& file,
                       std::function<void(PrintingDialog*)> during = {}) {
    QTimer::singleShot(0, &run.context, [frame, &run, file, during] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        run.printDialogShown = true;
        if (file.isEmpty()) {
            dialog->reject();
            return;
        }
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
        if (name) name->setText(file);
        // Looks at the Printing dialog once the job shows it. The watch
        // lives while a timer holds it (it holds itself only weakly).
        auto watch = std::make_shared<std::function<void(int)>>();
        std::weak_ptr<std::function<void(int)>> self = watch;
        *watch = [frame, &run, during, self](int triesLeft) {
            PrintingDialog* printing = printingDialogWindow;
            if (printing == nullptr) {
                if (auto again = self.lock(); again && triesLeft > 0)
                    QTimer::singleShot(0, &run.context, [again, triesLeft] { (*again)(triesLeft - 1); });
                return;
            }
            run.printingShown = printing->isVisible();
            run.status = printing->statusText;
            run.shownStatus = printing->status->text();
            run.frameDisabled = !frame->isEnabled();
            run.cancelEnabled = printing->cancel->isEnabled();
            if (during) during(printing);
        };
        QTimer::singleShot(0, &run.context, [watch] { (*watch)(20); });
        dialog->accept();
    });
}

bool IsWholePdf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray data = file.readAll();
    return data.startsWith("%PDF-") && data.right(16).contains("%%EOF");
}

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The files named like `path` and beside it: itself and any "name.XXXXXX".
QStringList FilesBeside(const QString& path) {
    const QFileInfo info(path);
    return QDir(info.path()).entryList({info.fileName() + QStringLiteral("*")}, QDir::Files);
}

}  // namespace

class PrintCommandTest : public RunningProgramTest {
    Q_OBJECT

private slots:
    void onlyForAVerbWindow() {
        QVERIFY(frame->Action(IdPrint)->isEnabled());
        PrintRun run;
        // Another kind of child (a results window) active: nothing to print.
        auto* other = frame->MdiArea()->addSubWindow(new QLabel(QStringLiteral("results")));
        other->show();
        frame->MdiArea()->setActiveSubWindow(other);
        ProcessEvents();
        frame->UpdateCommandStates();
        QVERIFY(!frame->Action(IdPrint)->isEnabled());
        AnswerPrintDialog(frame.get(), run, QString());
        QTest::keyClick(frame.get(), Qt::Key_P, Qt::ControlModifier);
        frame->OnCommand(IdPrint);
        ProcessEvents();
        QVERIFY(!run.printDialogShown);

        delete other;
        frame->ActiveVerbWindow()->close();
        ProcessEvents();
        QVERIFY(!frame->Action(IdPrint)->isEnabled());
        frame->OnCommand(IdPrint);
        ProcessEvents();
        QVERIFY(!run.printDialogShown);
    }

    void printsToAPdfFile() {
        CChildFrame* window = frame->ActiveVerbWindow();
        window->SetVerb(Zebrer);
        const QString file = OutputFile(QStringLiteral("print-command.pdf"));
        QFile::remove(file);
        MessageRecorder messages;
        PrintRun run;
        AnswerPrintDialog(frame.get(), run, file, [](PrintingDialog* printing) {
            printing->grab().save(OutputFile(QStringLiteral("printing-dialog.png")));
        });
        QTest::keyClick(frame.get(), Qt::Key_P, Qt::ControlModifier);
        ProcessEvents();

        QVERIFY(run.printDialogShown);
        QVERIFY(run.printingShown);
        QCOMPARE(run.status,
                 QStringLiteral("Print French verb: z\u00e9brer\nPrinting on: Print to File (PDF)\n"
                                "Printing to: ") +
                     file);
        QCOMPARE(run.shownStatus.count(QLatin1Char('\n')), 2);
        QVERIFY(
            run.shownStatus.endsWith(QStringLiteral("print-command.pdf")));  // the name, if not the folder
        QVERIFY(run.frameDisabled);
        QVERIFY(run.cancelEnabled);  // the one thing the user can reach
        QVERIFY(IsWholePdf(file));
        QVERIFY(messages.messages.isEmpty());
        QVERIFY(frame->isEnabled());
        QVERIFY(printingDialogWindow.isNull());
    }

    void cancelStopsTheJob_data() {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Cancel button") << false;
        QTest::newRow("Esc") << true;
    }
    void cancelStopsTheJob() {
        QFETCH(bool, escape);
        const QString file = OutputFile(QStringLiteral("print-cancelled.pdf"));
        QFile::remove(file);
        MessageRecorder messages;
        PrintRun run;
        AnswerPrintDialog(frame.get(), run, file, [escape](PrintingDialog* printing) {
            if (escape)
                QTest::keyClick(printing, Qt::Key_Escape);
            else
                QTest::mouseClick(printing->cancel, Qt::LeftButton);
            QVERIFY(printCancelled);
            QVERIFY(printing->isVisible());  // it stays until the job has stopped
        });
        frame->Action(IdPrint)->trigger();
        ProcessEvents();
        QVERIFY(run.printingShown);
        QVERIFY(!QFile::exists(file));
        QVERIFY(messages.messages.isEmpty());
        QVERIFY(frame->isEnabled());
        QVERIFY(printingDialogWindow.isNull());

        // The next job is not affected.
        PrintRun again;
        AnswerPrintDialog(frame.get(), again, file);
        frame->Action(IdPrint)->trigger();
        ProcessEvents();
        QVERIFY(!printCancelled);
        QVERIFY(IsWholePdf(file));
        QVERIFY(messages.messages.isEmpty());

        // A job cancelled over that file leaves it as it was.
        const QByteArray printed = ReadBytes(file);
        PrintRun third;
        AnswerPrintDialog(frame.get(), third, file, [](PrintingDialog* printing) {
            QTest::mouseClick(printing->cancel, Qt::LeftButton);
        });
        frame->Action(IdPrint)->trigger();
        ProcessEvents();
        QCOMPARE(ReadBytes(file), printed);
        QCOMPARE(FilesBeside(file), QStringList{QFileInfo(file).fileName()});
    }

    void failuresAreReported_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("fileSizeLimit");
        QTest::addColumn<bool>("reported");
        QTest::newRow("print dialog cancelled") << QString() << false << false;
        QTest::newRow("unwritable output path")
            << QStringLiteral("/nonexistent-plimo/page.pdf") << false << true;
        QTest::newRow("no space on the device") << QStringLiteral("/dev/full") << false << true;
        QTest::newRow("file cut short") << OutputFile(QStringLiteral("print-cut-short.pdf")) << true << true;
    }
    void failuresAreReported() {
        QFETCH(QString, file);
        QFETCH(bool, fileSizeLimit);
        QFETCH(bool, reported);
        MessageRecorder messages;
        PrintRun run;
        AnswerPrintDialog(frame.get(), run, file);
        rlimit saved{};
        const QByteArray previous = "%PDF-1.4 the page printed last time";
        if (fileSizeLimit) {
            // Writes past 4 KB fail as they would on a full disk, over a
            // file printed before.
            QFile existing(file);
            QVERIFY(existing.open(QIODevice::WriteOnly | QIODevice::Truncate));
            existing.write(previous);
            existing.close();
            signal(SIGXFSZ, SIG_IGN);
            getrlimit(RLIMIT_FSIZE, &saved);
            rlimit small = saved;
            small.rlim_cur = 4096;
            setrlimit(RLIMIT_FSIZE, &small);
        }
        frame->Action(IdPrint)->trigger();
        if (fileSizeLimit) setrlimit(RLIMIT_FSIZE, &saved);
        ProcessEvents();

        QVERIFY(run.printDialogShown);
        QCOMPARE(messages.messages.size(), reported ? 1 : 0);
        if (reported) {
            QCOMPARE(messages.messages[0].text, QStringLiteral("Print request failed"));
            QCOMPARE(messages.messages[0].caption, QStringLiteral("Plimo"));
            QCOMPARE(messages.messages[0].icon, QMessageBox::Critical);
        }
        QVERIFY(frame->isEnabled());
        QVERIFY(printingDialogWindow.isNull());
        if (fileSizeLimit) {
            // Neither overwritten nor left half-written beside it.
            QCOMPARE(ReadBytes(file), previous);
            QCOMPARE(FilesBeside(file), QStringList{QFileInfo(file).fileName()});
        }
    }
};

QTEST_MAIN(PrintCommandTest)
#include "tst_PrintCommand.moc"
