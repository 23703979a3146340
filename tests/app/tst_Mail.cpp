// Help > Send Email: the comment and definitions mail through the desktop's
// mail composer, with a fake xdg-email first on PATH that records what it
// was given and ends as the test chooses (or never).
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>
#include <csignal>
#include <sys/stat.h>

#include "AppTestSupport.h"
#include "CChildFrame.h"
#include "CMainFrame.h"
#include "CSimpleMapiMail.h"
#include "CommandIds.h"
#include "DefinitionEdit.h"
#include "MailCommands.h"
#include "Registry.h"
#include "SupportAddress.h"

namespace {

const QString Unavailable = QString::fromUtf8(CSimpleMapiMail::UnavailableText);
const QString SendFailed = QStringLiteral("Send Mail failed to send message.");
const QString Unchanged = QStringLiteral(
    "You have not altered your English Definitions.  To do so make sure your English Definition "
    "box is visible.  You may show/hide it from the View menu.  Then you may edit its contents.");

// PATH as the test program found it.
const QByteArray& OriginalPath() {
    static const QByteArray path = qgetenv("PATH");
    return path;
}

// A folder put first on PATH (or made the whole PATH) holding a fake
// xdg-email. The fake writes its arguments one a line to "args", a copy of
// each attached file as it found it to "attached", its process id to "pid",
// then runs `ending`.
class FakeComposer {
public:
    FakeComposer() : savedPath(OriginalPath()) {}
    ~FakeComposer() {
        Kill();
        qputenv("PATH", savedPath);
    }
    void Install(const QString& ending, bool onlyFake = false, bool executable = true) {
        const QString script = dir.path() + QStringLiteral("/xdg-email");
        QFile file(script);
        QVERIFY(file.open(QIODevice::WriteOnly));
        const QByteArray d = QFile::encodeName(dir.path());
        file.write("#!/bin/sh\necho $$ > '" + d +
                   "/pid'\n"
                   "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" +
                   d +
                   "/args'\n"
                   "prev=\nfor a in \"$@\"; do\n"
                   "  [ \"$prev\" = --attach ] && cat -- \"$a\" >> '" +
                   d +
                   "/attached'\n"
                   "  prev=$a\ndone\n" +
                   ending.toUtf8() + "\n");
        file.close();
        chmod(QFile::encodeName(script).constData(), executable ? 0755 : 0644);
        qputenv("PATH", onlyFake ? d : d + ":" + savedPath);
    }
    void Remove() {
        QFile::remove(dir.path() + QStringLiteral("/xdg-email"));
        qputenv("PATH", QFile::encodeName(dir.path()));
    }
    bool Started() const { return QFile::exists(dir.path() + QStringLiteral("/args")); }
    QString Read(const char* name) const {
        QFile file(dir.path() + QLatin1Char('/') + QLatin1String(name));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    void Kill() {
        const int pid = Read("pid").trimmed().toInt();
        if (pid > 0) kill(pid, SIGTERM);
    }

private:
    QTemporaryDir dir;
    QByteArray savedPath;
};

}  // namespace

class MailTest : public RunningProgramTest {
    Q_OBJECT

private slots:
    void init() {
        RunningProgramTest::init();
        QVERIFY(frame);
        composer = std::make_unique<FakeComposer>();
    }
    void cleanup() {
        composer.reset();
        QTRY_COMPARE_WITH_TIMEOUT(CSimpleMapiMail::OpenComposers(), 0, 20000);
        RunningProgramTest::cleanup();
    }

    void commentMailToTheSupportAddress() {
        MessageRecorder messages;
        composer->Install(QStringLiteral("exit 0"));
        QVERIFY(frame->Action(IdSendEmail)->isEnabled());
        frame->Action(IdSendEmail)->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(CSimpleMapiMail::OpenComposers(), 0, 20000);
        QCOMPARE(composer->Read("args"), QStringLiteral("--utf8\n--subject\nPlimo Comment\n") +
                                             QString::fromUtf8(DefaultSupportAddress.data()) + "\n");

        // The address is a setting.
        QVERIFY(WriteString(settings::SettingsKey, SupportAddressValue, "comments@plimo.example.net"));
        composer->Install(QStringLiteral("exit 0"));
        frame->Action(IdSendEmail)->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(CSimpleMapiMail::OpenComposers(), 0, 20000);
        QVERIFY(composer->Read("args").endsWith(QStringLiteral("\ncomments@plimo.example.net\n")));
        QVERIFY(messages.messages.isEmpty());
        QVERIFY(frame->isEnabled());
        QCOMPARE(QApplication::activeWindow(), frame.get());
    }

    void aStoredAddressThatIsNoPlainAddressIsNotPassedOn() {
        // Each would reach the composer as an option or as mailto: headers.
        const char* const hostile[] = {"--help",
                                       "-x@example.net",
                                       "mailto:x@example.net?attach=/etc/shadow&body=hi",
                                       "x@example.net?attach=/etc/shadow",
                                       "x@example.net&body=hi",
                                       "x%3Fattach=/etc/shadow@example.net",
                                       "a b@example.net",
                                       "x@example.net\n--attach",
                                       "x@example.net,y@example.net",
                                       "\"x\"@example.net",
                                       "<x@example.net>",
                                       "x@",
                                       "@example.net",
                                       "x@-example.net",
                                       "x@example..net",
                                       "x"};
        MessageRecorder messages;
        for (const char* value : hostile) {
            QVERIFY(WriteString(settings::SettingsKey, SupportAddressValue, value));
            composer->Install(QStringLiteral("exit 0"));
            frame->Action(IdSendEmail)->trigger();
            QTRY_COMPARE_WITH_TIMEOUT(CSimpleMapiMail::OpenComposers(), 0, 20000);
            QVERIFY2(composer->Read("args").endsWith(QString::fromUtf8(DefaultSupportAddress.data()) + "\n"),
                     value);
        }
        // Said once in a run, not at every mail.
        QCOMPARE(messages.messages.size(), 1);
        QVERIFY(messages.messages[0].text.contains(QString::fromUtf8(DefaultSupportAddress.data())));
        QCOMPARE(messages.messages[0].icon, QMessageBox::Warning);

        for (const char* plain : {"comments@plimo.example.net", "first.last+plimo@mail.example.co.uk",
                                  "o'brien@example.net", "\xC3\xA9mile@exemple.fr"})
            QVERIFY2(IsAddressShaped(plain), plain);
        QVERIFY(
            WriteString(settings::SettingsKey, SupportAddressValue, "\xE9mile@exemple.fr"));  // Windows-1252
        QCOMPARE(SupportAddress(), std::string("\xC3\xA9mile@exemple.fr"));
    }

    void definitionsMailAttachesTheFileJustWritten_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("usual") << QString();
        QTest::newRow("spaces, quotes, accents")
            << QStringLiteral("d\u00e9finitions de \"l'\u00e9t\u00e9\"/French.txt");
        QTest::newRow("leading dash") << QStringLiteral("-French d\u00e9fs.txt");
    }
    void definitionsMailAttachesTheFileJustWritten() {
        QFETCH(QString, path);
        MessageRecorder messages;
        composer->Install(QStringLiteral("exit 0"));
        CChildFrame* window = frame->ActiveVerbWindow();
        LanguageModule* module = window->Module();
        if (!path.isEmpty()) {
            QDir().mkpath(QFileInfo(path).path());
            module->definitionsPath = QFile::encodeName(path).toStdString();
        }
        // Typed, then mailed from the menu while the field keeps the focus.
        if (!frame->DefinitionBarShown()) frame->ToggleDefinitionBar();
        DefinitionEdit* edit = frame->DefinitionField();
        edit->setFocus(Qt::MouseFocusReason);
        ProcessEvents();
        edit->selectAll();
        TypeText(edit, QStringLiteral("to love dearly"));
        frame->Action(IdSendDefinitions)->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(CSimpleMapiMail::OpenComposers(), 0, 20000);

        QCOMPARE(composer->Read("args"),
                 QStringLiteral("--utf8\n--subject\nPlimo - English Definitions Update\n--attach\n") +
                     QFile::decodeName(module->definitionsPath.c_str()) + "\n" +
                     QString::fromUtf8(DefaultSupportAddress.data()) + "\n");
        // The file was written before the composer saw it.
        QVERIFY(composer->Read("attached").contains(QStringLiteral("aimer,0,to love dearly")));
        QVERIFY(messages.messages.isEmpty());
        QVERIFY(frame->isEnabled());
    }

    void unchangedDefinitionsAreExplained() {
        MessageRecorder messages;
        composer->Install(QStringLiteral("exit 0"));
        QCOMPARE(frame->ActiveVerbWindow()->Module()->DefinitionsChanged(), false);
        frame->Action(IdSendDefinitions)->trigger();
        QCOMPARE(messages.messages.size(), 1);
        QCOMPARE(messages.messages[0].text, Unchanged);
        QCOMPARE(messages.messages[0].caption, QStringLiteral("Plimo"));
        QVERIFY(!composer->Started());
        QCOMPARE(CSimpleMapiMail::OpenComposers(), 0);
    }

    void failures_data() {
        QTest::addColumn<QString>("ending");
        QTest::addColumn<int>("setup");  // 0: the fake, 1: no xdg-email, 2: not executable
        QTest::addColumn<QString>("message");
        QTest::newRow("no xdg-email") << QString() << 1 << Unavailable;
        QTest::newRow("xdg-email cannot be run")
            << QString() << 2 << QStringLiteral("Mail system DLL is invalid.");
        QTest::newRow("no mail program")
            << QStringLiteral("echo 'no mailer' >&2; exit 3") << 0 << Unavailable;
        QTest::newRow("composer fails") << QStringLiteral("exit 4") << 0 << SendFailed;
        QTest::newRow("cancelled") << QStringLiteral("kill -TERM $$") << 0 << QString();
    }
    void failures() {
        QFETCH(QString, ending);
        QFETCH(int, setup);
        QFETCH(QString, message);
        CChildFrame* window = frame->ActiveVerbWindow();
        LanguageModule* module = window->Module();
        window->CommitDefinition("to love dearly");
        module->definitionsPath = QFile::encodeName(workspace->WorkDir() + "/unsent.txt").toStdString();
        for (int id : {int(IdSendEmail), int(IdSendDefinitions)}) {
            MessageRecorder messages;
            composer->Install(ending.isEmpty() ? QStringLiteral("exit 0") : ending, setup == 2, setup != 2);
            if (setup == 1) composer->Remove();
            frame->Action(id)->trigger();
            QTRY_COMPARE_WITH_TIMEOUT(CSimpleMapiMail::OpenComposers(), 0, 20000);
            QCOMPARE(messages.messages.size(), message.isEmpty() ? 0 : 1);
            if (!message.isEmpty()) {
                QCOMPARE(messages.messages[0].text, message);
                QCOMPARE(messages.messages[0].caption, QStringLiteral("Plimo"));
            }
            QCOMPARE(composer->Started(), setup == 0);
            // Without a composer the definitions file is not written either.
            if (setup != 0) QVERIFY(!QFile::exists(workspace->WorkDir() + "/unsent.txt"));
            QVERIFY(frame->isEnabled());
            QCOMPARE(QApplication::activeWindow(), frame.get());
            composer.reset();
            composer = std::make_unique<FakeComposer>();
        }
    }

    void noHangOnAComposerThatNeverEnds() {
        MessageRecorder messages;
        composer->Install(QStringLiteral("exec sleep 600"));
        frame->Action(IdSendEmail)->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!composer->Read("pid").isEmpty(), 20000);
        // The program goes on while the composer is open.
        QCOMPARE(CSimpleMapiMail::OpenComposers(), 1);
        QVERIFY(frame->isEnabled());
        QCOMPARE(QApplication::activeWindow(), frame.get());
        frame->Action(IdPronominal)->trigger();
        QVERIFY(frame->ActiveVerbWindow()->IsPronominal());
        QVERIFY(messages.messages.isEmpty());
        // The user closes it: nothing to report.
        composer->Kill();
        QTRY_COMPARE_WITH_TIMEOUT(CSimpleMapiMail::OpenComposers(), 0, 20000);
        QVERIFY(messages.messages.isEmpty());
    }

private:
    std::unique_ptr<FakeComposer> composer;
};

QTEST_MAIN(MailTest)
#include "tst_Mail.moc"
