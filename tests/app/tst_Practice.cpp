// The practice window, driven by keys only: Ctrl+R opens it as one more MDI
// child, a typed session with a wrong answer that comes back, a self-graded
// one, and the record they leave.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include "AppTestSupport.h"
#include "CMainFrame.h"
#include "CPracticeChart.h"
#include "CPracticeWnd.h"
#include "ProgramObjects.h"

using practice::CPracticeWnd;

class PracticeTest : public RunningProgramTest {
    Q_OBJECT

public:
    PracticeTest() { qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome.path())); }

private:
    QTemporaryDir dataHome;

    static void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget();
        QVERIFY(target != nullptr);
        QTest::keyClick(target, Qt::Key(key), modifiers);
        ProcessEvents();
    }

private slots:
    void aTypedAndASelfGradedSessionByKeys() {
        const int before = OpenChildCount;
        frame->activateWindow();
        Key(Qt::Key_R, Qt::ControlModifier);
        auto* window = qobject_cast<CPracticeWnd*>(frame->MdiArea()->activeSubWindow());
        QVERIFY(window != nullptr);
        QCOMPARE(OpenChildCount, before + 1);
        QVERIFY(window->StoreNotice().isEmpty());
        QCOMPARE(window->CurrentPage(), CPracticeWnd::SetupPage);
        QCOMPARE(window->VerbSourceBox()->currentIndex(), int(CPracticeWnd::ActiveVerb));
        window->SetSeed(5);

        // Three questions, typed: Alt+Q reaches the count, Enter starts.
        Key(Qt::Key_Q, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), window->CountBox());
        Key(Qt::Key_A, Qt::ControlModifier);
        TypeText(QApplication::focusWidget(), "3");
        Key(Qt::Key_Return);
        QCOMPARE(window->CurrentPage(), CPracticeWnd::QuestionPage);
        QCOMPARE(QApplication::focusWidget(), window->AnswerField());
        QVERIFY(window->PromptLabel()->text().contains(QStringLiteral(" \u2014 aimer \u2014 ")));
        SaveScreenshot(window, "practice-question");

        // The first answer wrong, the correction shown; then every answer right.
        const practice::FormKey missed = window->Session()->Current().key;
        TypeText(window->AnswerField(), "xyz");
        Key(Qt::Key_Return);
        QVERIFY(window->FeedbackLabel()->text().contains("Wrong"));
        QVERIFY(window->FeedbackLabel()->text().contains(
                    QString::fromStdString(window->Session()->Current().answer).right(2).toHtmlEscaped()) ||
                window->Session()->Remaining() > 0);
        SaveScreenshot(window, "practice-wrong");
        Key(Qt::Key_Return);
        int asked = 1;
        while (window->CurrentPage() == CPracticeWnd::QuestionPage && asked < 10) {
            TypeText(window->AnswerField(), QString::fromStdString(window->Session()->Current().answer));
            Key(Qt::Key_Return);
            QVERIFY(window->FeedbackLabel()->text().contains("Right"));
            Key(Qt::Key_Return);
            ++asked;
        }
        QCOMPARE(asked, 4);  // three questions and the missed one again
        QCOMPARE(window->CurrentPage(), CPracticeWnd::EndPage);
        QVERIFY(window->ScoreLabel()->text().startsWith("2 of 3 right"));
        SaveScreenshot(window, "practice-end");

        std::map<practice::FormKey, practice::FormRecord> records;
        QVERIFY(window->Store().LoadRecords(records));
        QCOMPARE(int(records.size()), 3);
        QCOMPARE(records[missed].wrong, 1);
        QCOMPARE(records[missed].right, 1);
        QCOMPARE(records[missed].box, 2);

        // 2: a session on the second bar's tense alone.
        const int secondTense = window->TenseChart()->BarTense(1);
        QVERIFY(secondTense >= 0);
        Key(Qt::Key_2);
        QCOMPARE(window->CurrentPage(), CPracticeWnd::QuestionPage);
        QCOMPARE(window->Session()->Current().tense, secondTense);
        QCOMPARE(QApplication::focusWidget(), window->AnswerField());

        // Escape to the setup; Alt+A, Down: self-graded; Enter starts.
        Key(Qt::Key_Escape);
        QCOMPARE(window->CurrentPage(), CPracticeWnd::SetupPage);
        Key(Qt::Key_A, Qt::AltModifier);
        Key(Qt::Key_Down);
        QCOMPARE(window->ModeBox()->currentIndex(), 1);
        Key(Qt::Key_Return);
        QCOMPARE(window->CurrentPage(), CPracticeWnd::QuestionPage);
        const QString answer = QString::fromStdString(window->Session()->Current().answer);
        Key(Qt::Key_Space);
        QCOMPARE(window->FeedbackLabel()->text(), answer.toHtmlEscaped());
        Key(Qt::Key_2);  // didn't know it: it comes back
        for (int i = 0; i < 3; ++i) {
            Key(Qt::Key_Space);
            Key(Qt::Key_1);
        }
        QCOMPARE(window->CurrentPage(), CPracticeWnd::EndPage);
        QVERIFY(window->ScoreLabel()->text().startsWith("2 of 3 right"));

        // The choices are remembered by the next window.
        window->close();
        ProcessEvents();
        QCOMPARE(OpenChildCount, before);
        Key(Qt::Key_R, Qt::ControlModifier);
        window = qobject_cast<CPracticeWnd*>(frame->MdiArea()->activeSubWindow());
        QVERIFY(window != nullptr);
        QCOMPARE(window->CountBox()->value(), 3);
        QCOMPARE(window->ModeBox()->currentIndex(), 1);
        window->close();
        ProcessEvents();
    }
};

QTEST_MAIN(PracticeTest)
#include "tst_Practice.moc"
