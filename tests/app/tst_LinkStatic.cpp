// The hyperlink control of the About box, and the start of the program
// without a usable language module.
#include <QDialog>
#include <QFile>
#include <QTest>

#include "AppTestSupport.h"
#include "CChildFrame.h"
#include "CLinkStatic.h"
#include "CMainFrame.h"
#include "ProgramObjects.h"

namespace {

// A link whose opening is decided by the test.
class TestLink : public CLinkStatic {
public:
    using CLinkStatic::CLinkStatic;
    int OpenLink(const std::string& link) override {
        opened.push_back(link);
        return result;
    }
    int result = CLinkStatic::OpenSucceeded;
    std::vector<std::string> opened;
};

}  // namespace

class LinkStaticTest : public QObject {
    Q_OBJECT

private slots:
    void coloursHoverAndVisited() {
        QDialog dialog;
        auto* link = new TestLink(&dialog);
        link->setText(QStringLiteral("https://example.org/plimo"));
        link->setGeometry(10, 10, 400, 40);
        link->PreSubclassWindow();
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(link->Address(), QStringLiteral("https://example.org/plimo"));
        QCOMPARE(link->toolTip(), link->Address());
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(link->font().underline());
        QCOMPARE(link->TextColour(), QColor(0, 0, 238));
        QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0, 0, 238));

        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(12, 12));
        QCoreApplication::sendEvent(link, &enter);
        QVERIFY(link->PointerOver());
        QCOMPARE(link->TextColour(), link->hoverColour);
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(link, &leave);
        QCOMPARE(link->TextColour(), QColor(0, 0, 238));

        QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(3, 3));
        QCOMPARE(link->opened.size(), size_t(1));
        QCOMPARE(link->opened[0], std::string("https://example.org/plimo"));
        QVERIFY(link->Visited());
        QCOMPARE(link->TextColour(), QColor(85, 26, 139));
        QCoreApplication::sendEvent(link, &enter);
        QCOMPARE(link->TextColour(), link->hoverColour);  // hover wins over visited
    }

    void openErrorsAreExplained() {
        MessageRecorder recorder;
        QDialog dialog;
        auto* link = new TestLink(&dialog);
        link->setText(QStringLiteral("https://example.org"));
        link->PreSubclassWindow();
        link->result = 26;
        link->FollowLink();
        QVERIFY(!link->Visited());
        QCOMPARE(recorder.messages.size(), 1);
        QCOMPARE(recorder.messages[0].text,
                 QStringLiteral("Unable to open hyperlink:\n\nA sharing violation occurred. "));
        QCOMPARE(recorder.messages[0].icon, QMessageBox::Warning);
        QCOMPARE(recorder.messages[0].caption, QStringLiteral("Plimo"));
        link->result = 4;
        link->FollowLink();
        QCOMPARE(recorder.messages[1].text,
                 QStringLiteral("Unable to open hyperlink:\n\nUnknown Error (4) occurred."));
        QCOMPARE(CLinkStatic::OpenErrorText(31),
                 QStringLiteral("There is no application associated\nwith the given filename extension."));
        QCOMPARE(CLinkStatic::OpenErrorText(0),
                 QStringLiteral("The operating system is out\nof memory or resources."));
    }

    void browserCommandLine() {
        QCOMPARE(CLinkStatic::BuildCommandLine("/usr/bin/browser \"%1\"", "http://a.b"),
                 std::string("/usr/bin/browser  http://a.b"));
        QCOMPARE(CLinkStatic::BuildCommandLine("browser -new %1 -x", "http://a.b"),
                 std::string("browser -new  http://a.b"));
        QCOMPARE(CLinkStatic::BuildCommandLine("browser", "http://a.b"), std::string("browser http://a.b"));
    }

    void fitsItselfToItsText() {
        QDialog dialog;
        QFontMetrics metrics(dialog.font());
        for (Qt::Alignment align : {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight}) {
            auto* link = new CLinkStatic(&dialog);
            link->setText(QStringLiteral("short"));
            link->setAlignment(align | Qt::AlignTop);
            link->setGeometry(100, 10, 300, 50);
            link->PreSubclassWindow();
            const int textWidth = QFontMetrics(link->font()).horizontalAdvance(QStringLiteral("short"));
            QCOMPARE(link->width(),
                     align == Qt::AlignHCenter ? 300 - 2 * ((300 - textWidth) / 2) : textWidth);
            QCOMPARE(link->height(), QFontMetrics(link->font()).height());
            if (align == Qt::AlignLeft) QCOMPARE(link->x(), 100);
            if (align == Qt::AlignRight) QCOMPARE(link->geometry().right(), 399);
        }
    }

    void startWithoutTheModule() {
        TestWorkspace workspace;
        MessageRecorder recorder;
        auto frame = StartFrame({"Missing.ldl"});
        QVERIFY(!frame);
        QCOMPARE(recorder.messages.size(), 1);
        QVERIFY(
            recorder.messages[0].text.startsWith(QStringLiteral("Could not load language module. Error #2")));
        QVERIFY(recorder.messages[0].text.contains('\n'));  // the loader's own explanation
        QCOMPARE(recorder.messages[0].caption, QStringLiteral("Error"));
        QCOMPARE(recorder.messages[0].icon, QMessageBox::Critical);
        QVERIFY(VerbWindowList.isEmpty());
        QCOMPARE(OpenChildCount, 0);
        // Nothing was saved, and no definitions file made.
        QVERIFY(!QFile::exists(workspace.WorkDir() + QStringLiteral("/Missing.txt")));
        QVERIFY(!QFile::exists(workspace.SettingsFile()));
    }

    void startWithAModuleLackingAnExport() {
        TestWorkspace workspace;
        MessageRecorder recorder;
        auto frame = StartFrame({"FakeNoTabName.ldl"});
        QVERIFY(!frame);
        QCOMPARE(recorder.messages.size(), 1);
        QVERIFY(
            recorder.messages[0].text.startsWith(QStringLiteral("Could not load language module. Error #")));
        QVERIFY(!QFile::exists(workspace.WorkDir() + QStringLiteral("/FakeNoTabName.txt")));
    }

    void startWithTheRealModule() {
        TestWorkspace workspace;
        auto frame = StartFrame({"French.ldl"});
        QVERIFY2(frame, "The language module French.ldl is built with the program and must load.");
        QVERIFY(frame->modules[0]->GetVerbCount() > 1000);
        QCOMPARE(VerbWindowList.size(), 1);
        QCOMPARE(VerbWindowList[0]->windowTitle(), QString::fromLatin1(frame->modules[0]->GetVerb(0)));
        StopFrame(frame);
    }
};

QTEST_MAIN(LinkStaticTest)
#include "tst_LinkStatic.moc"
