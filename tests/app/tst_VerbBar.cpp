// The verb box and the definition bar, driven with the keyboard and focus
// changes as a person uses them.
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QStatusBar>
#include <QTest>
#include <QTextCursor>

#include "AppTestSupport.h"
#include "CChildFrame.h"
#include "CMainFrame.h"
#include "CommandIds.h"
#include "DefinitionEdit.h"
#include "DefinitionsSaver.h"
#include "PageView.h"
#include "ProgramObjects.h"
#include "VerbBar.h"
#include "VerbComboBox.h"
#include "UserMessage.h"

class VerbBarTest : public RunningProgramTest {
    Q_OBJECT

private slots:
    void init() {
        RunningProgramTest::init();
        QVERIFY(frame);
        combo = frame->VerbCombo(0);
        window = frame->ActiveVerbWindow();
        QVERIFY(combo && window);
    }
    void cleanup() { RunningProgramTest::cleanup(); }

    void boxListsEveryVerbInIndexOrder() {
        QCOMPARE(combo->count(), 9);
        QCOMPARE(combo->itemText(Zebrer), QStringLiteral("zébrer"));
        QCOMPARE(combo->itemText(Ressortir2), QStringLiteral("ressortir"));
        QVERIFY(combo->isEnabled());
        QCOMPARE(combo->currentIndex(), 0);
        QCOMPARE(combo->currentText(), QStringLiteral("aimer"));
        QCOMPARE(frame->DefinitionField()->Text(), QStringLiteral("to like, to love"));
    }

    void typingAppliesOnlyTheWholeName() {
        Focus(combo);
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo, QStringLiteral("mont"));
        QCOMPARE(window->VerbIndex(), int(Aimer));  // no completion
        QCOMPARE(combo->currentText(), QStringLiteral("mont"));
        QTest::keyClicks(combo, QStringLiteral("er"));
        QCOMPARE(window->VerbIndex(), int(Monter));
        QCOMPARE(window->windowTitle(), QStringLiteral("monter"));
        QCOMPARE(frame->DefinitionField()->Text(), QStringLiteral("to go up, to climb"));
        QVERIFY(frame->Action(IdAlternate1)->isEnabled());

        // Any case matches; the box then shows the item's own text.
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo, QStringLiteral("PAYER"));
        QCOMPARE(window->VerbIndex(), int(Payer));
        QCOMPARE(combo->currentText(), QStringLiteral("payer"));

        // Accented names are typed as they are.
        combo->lineEdit()->selectAll();
        TypeText(combo, QStringLiteral("Zébrer"));
        QCOMPARE(window->VerbIndex(), int(Zebrer));
        // Or without their accents, when one verb is so spelled.
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo, QStringLiteral("aimer"));
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo, QStringLiteral("zebrer"));
        QCOMPARE(window->VerbIndex(), int(Zebrer));
        QCOMPARE(combo->currentText(), QStringLiteral("zébrer"));
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo, QStringLiteral("ETRE"));
        QCOMPARE(combo->currentText(), QStringLiteral("être"));
    }

    void leavingOrEscRestoresTheLastVerb() {
        Focus(combo);
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo, QStringLiteral("monter"));
        QCOMPARE(window->VerbIndex(), int(Monter));
        QTest::keyClicks(combo, QStringLiteral("xyz"));
        Focus(window->View());
        QCOMPARE(combo->currentText(), QStringLiteral("monter"));
        QCOMPARE(window->VerbIndex(), int(Monter));

        Focus(combo);
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo, QStringLiteral("pay"));
        QTest::keyClick(combo, Qt::Key_Escape);
        QCOMPARE(combo->currentText(), QStringLiteral("monter"));
        QCOMPARE(window->VerbIndex(), int(Monter));

        // Enter with the list closed does nothing.
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo, QStringLiteral("pay"));
        QTest::keyClick(combo, Qt::Key_Return);
        QCOMPARE(window->VerbIndex(), int(Monter));
        QCOMPARE(combo->currentText(), QStringLiteral("pay"));
    }

    void equalInfinitivesFindTheFirst() {
        Focus(combo);
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo, QStringLiteral("ressortir"));
        QCOMPARE(window->VerbIndex(), int(Ressortir1));
        QCOMPARE(frame->DefinitionField()->Text(), QStringLiteral("to go out again"));
        // The second one can be chosen in the list.
        QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(window->VerbIndex(), int(Ressortir2));
        QCOMPARE(frame->DefinitionField()->Text(), QStringLiteral("to come under (a court)"));
    }

    void arrowKeysInTheOpenListShowEachVerb() {
        Focus(combo);
        combo->showPopup();
        QAbstractItemView* list = combo->view();
        QTRY_VERIFY(list->isVisible());
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(window->VerbIndex(), int(Monter));
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(window->VerbIndex(), int(Payer));
        QCOMPARE(window->windowTitle(), QStringLiteral("payer"));
        // Enter keeps it and closes the list.
        QTest::keyClick(list, Qt::Key_Return);
        QTRY_VERIFY(!list->isVisible());
        QCOMPARE(window->VerbIndex(), int(Payer));
        QCOMPARE(combo->currentText(), QStringLiteral("payer"));

        // Esc in the open list goes back to the last verb accepted.
        combo->showPopup();
        QTRY_VERIFY(list->isVisible());
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(window->VerbIndex(), int(Asseoir));
        QTest::keyClick(list, Qt::Key_Escape);
        QTRY_VERIFY(!list->isVisible());
        QCOMPARE(window->VerbIndex(), int(Payer));
    }

    // Typing the beginning of a name, opening the list with Alt+Down and
    // pressing Enter takes the first verb that starts with it.
    void enterInTheOpenListTakesWhatWasTyped() {
        QAbstractItemView* list = combo->view();
        auto typeThenEnter = [&](const QString& text) {
            Focus(combo);
            combo->lineEdit()->selectAll();
            TypeText(combo, text);
            QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
            QTRY_VERIFY(list->isVisible());
            QTest::keyClick(list, Qt::Key_Return);
            QTRY_VERIFY(!list->isVisible());
        };
        Focus(combo);
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo, QStringLiteral("PL"));
        QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
        QTRY_VERIFY(list->isVisible());
        QCOMPARE(list->currentIndex().row(), int(Pleuvoir));  // the list opens there
        QCOMPARE(window->VerbIndex(), int(Aimer));            // nothing shown yet
        QTest::keyClick(list, Qt::Key_Return);
        QTRY_VERIFY(!list->isVisible());
        QCOMPARE(window->VerbIndex(), int(Pleuvoir));
        QCOMPARE(combo->currentText(), QStringLiteral("pleuvoir"));

        typeThenEnter(QStringLiteral("pay"));
        QCOMPARE(window->VerbIndex(), int(Payer));
        typeThenEnter(QStringLiteral("ZÉB"));
        QCOMPARE(window->VerbIndex(), int(Zebrer));

        // The second of two equal infinitives stays shown.
        Focus(combo);
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo, QStringLiteral("ressortir"));
        QCOMPARE(window->VerbIndex(), int(Ressortir1));
        QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
        QTRY_VERIFY(list->isVisible());
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(window->VerbIndex(), int(Ressortir2));
        QTest::keyClick(list, Qt::Key_Return);
        QTRY_VERIFY(!list->isVisible());
        QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
        QTRY_VERIFY(list->isVisible());
        QTest::keyClick(list, Qt::Key_Return);
        QTRY_VERIFY(!list->isVisible());
        QCOMPARE(window->VerbIndex(), int(Ressortir2));
        QCOMPARE(frame->DefinitionField()->Text(), QStringLiteral("to come under (a court)"));
    }

    // A learner types the infinitive as a dictionary gives it, with the real
    // verbs; the Pronominal button of a verb that has no other form says so.
    void pronominalInfinitivesAndThePronominalButton() {
        StopFrame(frame);
        frame = StartFrame({"French.ldl"});
        QVERIFY2(frame, "The language module French.ldl is built with the program and must load.");
        combo = frame->VerbCombo(0);
        window = frame->ActiveVerbWindow();
        auto type = [&](const QString& text) {
            Focus(combo);
            combo->lineEdit()->selectAll();
            TypeText(combo, text);
        };
        type(QStringLiteral("s'asseoir"));
        QCOMPARE(window->windowTitle(), QStringLiteral("s'asseoir"));
        QCOMPARE(combo->currentText(), QStringLiteral("asseoir"));
        QAction* button = frame->Action(IdPronominal);
        QVERIFY(button->isEnabled());
        QVERIFY(button->isChecked());
        QCOMPARE(button->toolTip(), QStringLiteral("Pronominal"));

        type(QStringLiteral("Se souvenir"));
        QCOMPARE(window->windowTitle(), QStringLiteral("se souvenir"));
        type(QStringLiteral("s'en aller"));
        QCOMPARE(window->windowTitle(), QStringLiteral("s'en aller"));
        type(QStringLiteral("s’abstenir"));
        QCOMPARE(window->windowTitle(), QStringLiteral("s'abstenir"));
        QVERIFY(button->isChecked());
        QVERIFY(!button->isEnabled());
        QVERIFY(button->toolTip().contains(QStringLiteral("only")));
        QTest::mouseClick(frame->VerbToolBar()->widgetForAction(button), Qt::LeftButton);
        QCOMPARE(window->windowTitle(), QStringLiteral("s'abstenir"));
        // Leaving the box keeps the verb and its form.
        Focus(window->View());
        QCOMPARE(combo->currentText(), QStringLiteral("abstenir"));
        QCOMPARE(window->windowTitle(), QStringLiteral("s'abstenir"));

        // A verb without a pronominal form is not found that way.
        type(QStringLiteral("se pleuvoir"));
        QCOMPARE(window->windowTitle(), QStringLiteral("s'abstenir"));
        // The plain name of a verb that is only pronominal shows that form.
        type(QStringLiteral("enfuir"));
        QCOMPARE(window->windowTitle(), QStringLiteral("s'enfuir"));
    }

    // A new user's first keystrokes: the box has the focus, a misspelt name
    // is answered, and a pronominal form typed does not outlive its name.
    void firstKeystrokesGoToTheVerbBox() {
        QVERIFY(combo->hasFocus());
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("monter"));
        QCOMPARE(window->VerbIndex(), int(Monter));
        // The variant not shown is named.
        QCOMPARE(frame->statusBar()->currentMessage(),
                 QStringLiteral("monter is also conjugated with \u00EAtre: the E button, or Ctrl+Shift+A."));

        // Spaces around a name are ignored.
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo, QStringLiteral("  payer  "));
        QCOMPARE(window->VerbIndex(), int(Payer));

        // An unknown name: Enter says so with the closest verbs, and the text
        // stays to be corrected.
        QStatusBar* status = frame->statusBar();
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo, QStringLiteral("aimmer"));
        QTest::keyClick(combo, Qt::Key_Return);
        QVERIFY2(status->currentMessage().contains(QStringLiteral("aimmer")),
                 qPrintable(status->currentMessage()));
        QVERIFY(status->currentMessage().contains(QStringLiteral("Did you mean: aimer")));
        QCOMPARE(combo->currentText(), QStringLiteral("aimmer"));
        QCOMPARE(window->VerbIndex(), int(Payer));
        QTest::keyClick(combo, Qt::Key_Backspace);
        QTest::keyClick(combo, Qt::Key_Backspace);
        QTest::keyClick(combo, Qt::Key_Backspace);
        QTest::keyClicks(combo, QStringLiteral("er"));
        QCOMPARE(window->VerbIndex(), int(Aimer));

        // A form switched on by typing "s'..." goes with the next plain name;
        // one switched on with the Pronominal command stays.
        struct Step {
            QString typed;
            bool pressP;
            QString title;
        };
        const Step steps[] = {
            {QStringLiteral("s'asseoir"), false, QStringLiteral("se asseoir")},
            {QStringLiteral("AIMER"), false, QStringLiteral("aimer")},
            {QStringLiteral("se monter"), false, QStringLiteral("se monter")},
            {QString(), true, QStringLiteral("monter")},
            {QString(), true, QStringLiteral("se monter")},
            {QStringLiteral("aimer"), false, QStringLiteral("se aimer")},
        };
        for (const Step& step : steps) {
            if (step.pressP) {
                frame->Action(IdPronominal)->trigger();
            } else {
                Focus(combo);
                combo->lineEdit()->selectAll();
                QTest::keyClicks(combo, step.typed);
            }
            QCOMPARE(window->windowTitle(), step.title);
        }
        // A pronominal form takes être whatever the variant: nothing to name.
        QCOMPARE(window->windowTitle(), QStringLiteral("se aimer"));
        Focus(combo);
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo, QStringLiteral("se monter"));
        QVERIFY2(!frame->statusBar()->currentMessage().contains(QStringLiteral("also")),
                 qPrintable(frame->statusBar()->currentMessage()));

        // A window opened from the menu is ready for a name too.
        Focus(window->View());
        frame->Action(IdNewWindowFirst)->trigger();
        ProcessEvents();
        QVERIFY(combo->hasFocus());
        QCOMPARE(frame->ActiveVerbWindow()->VerbIndex(), int(Aimer));
    }

    void boxFollowsTheActiveWindow() {
        CChildFrame* second = frame->OpenVerbWindow(frame->modules[0].get(), Monter, false, false);
        QCOMPARE(combo->currentText(), QStringLiteral("monter"));
        frame->MdiArea()->setActiveSubWindow(window);
        QCOMPARE(combo->currentText(), QStringLiteral("aimer"));
        QCOMPARE(frame->DefinitionField()->Text(), QStringLiteral("to like, to love"));
        // Closing every window leaves the box empty and disabled.
        second->close();
        window->close();
        ProcessEvents();
        QCOMPARE(OpenChildCount, 0);
        QVERIFY(!combo->isEnabled());
        QVERIFY(combo->currentText().isEmpty());
        QVERIFY(frame->DefinitionField()->Text().isEmpty());
        QVERIFY(!frame->Action(IdPronominal)->isEnabled());
        QVERIFY(!frame->Action(IdAlternate1)->isEnabled());
        QCOMPARE(frame->Action(IdAlternate1)->property("image").toInt(), 1);
        QCOMPARE(frame->Action(IdAlternate2)->property("image").toInt(), 2);
        QVERIFY(!frame->MenusAreChildMenus());
    }

    void definitionIsStoredWhenLeavingTheField() {
        DefinitionEdit* edit = frame->DefinitionField();
        Focus(edit);
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("to adore"));
        Focus(window->View());
        QCOMPARE(QString::fromStdString(window->EnglishDefinition()), QStringLiteral("to adore"));
        QCOMPARE(QString::fromLatin1(frame->modules[0]->GetEnglishDefinition(Aimer, false)),
                 QStringLiteral("to adore"));
        // Other verb and back: the user's text is shown.
        window->SetVerb(Monter);
        frame->SyncVerbBar();
        window->SetVerb(Aimer);
        frame->SyncVerbBar();
        QCOMPARE(edit->Text(), QStringLiteral("to adore"));
    }

    void escapeDiscardsTheTyping() {
        DefinitionEdit* edit = frame->DefinitionField();
        Focus(edit);
        QTest::keyClicks(edit, QStringLiteral(" and more"));
        QTest::keyClick(edit, Qt::Key_Escape);
        QCOMPARE(edit->Text(), QStringLiteral("to like, to love"));
        Focus(window->View());
        QCOMPARE(frame->modules[0]->UserDefinitions().size(), size_t(0));
    }

    void lineBreaksBecomeSpacesAndForeignCharactersAreRefused() {
        MessageRecorder recorder;
        DefinitionEdit* edit = frame->DefinitionField();
        Focus(edit);
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("to love"));
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClicks(edit, QStringLiteral("dearly"));
        Focus(window->View());
        QCOMPARE(QString::fromStdString(window->EnglishDefinition()), QStringLiteral("to love dearly"));
        QCOMPARE(frame->modules[0]->UserDefinitions().at("aimer0"), std::string("to love dearly"));

        // "ł" has no Windows-1252 byte: nothing is stored, the user is told,
        // and the text waits in the field, the caret at the "ł", to be fixed.
        Focus(edit);
        edit->selectAll();
        TypeText(edit, QStringLiteral("to łove"));
        edit->moveCursor(QTextCursor::End);
        Focus(window->View());
        QTRY_COMPARE(recorder.messages.size(), 1);
        QVERIFY(recorder.messages[0].text.contains(QStringLiteral("ł")));
        QCOMPARE(frame->modules[0]->UserDefinitions().at("aimer0"), std::string("to love dearly"));
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(edit));
        QCOMPARE(edit->Text(), QStringLiteral("to łove"));
        QCOMPARE(edit->textCursor().position(), 3);
        QTest::keyClick(edit, Qt::Key_Delete);
        TypeText(edit, QStringLiteral("l"));
        Focus(window->View());
        QCOMPARE(frame->modules[0]->UserDefinitions().at("aimer0"), std::string("to love"));
        QCOMPARE(recorder.messages.size(), 1);

        // The same with the Pronominal button: the form does not change yet.
        Focus(edit);
        edit->selectAll();
        TypeText(edit, QStringLiteral("to adore → to worship"));
        frame->Action(IdPronominal)->trigger();
        QTRY_COMPARE(recorder.messages.size(), 2);
        QVERIFY(!window->IsPronominal());
        QCOMPARE(edit->Text(), QStringLiteral("to adore → to worship"));
        QCOMPARE(edit->textCursor().position(), 9);
        // Esc brings the stored text back.
        QTest::keyClick(edit, Qt::Key_Escape);
        QCOMPARE(edit->Text(), QStringLiteral("to love"));
    }

    void pronominalWhileTypingStoresForTheFormTyped() {
        DefinitionEdit* edit = frame->DefinitionField();
        Focus(edit);
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("to be fond of"));
        frame->Action(IdPronominal)->trigger();  // the button takes no focus
        QVERIFY(window->IsPronominal());
        QCOMPARE(frame->modules[0]->UserDefinitions().at("aimer0"), std::string("to be fond of"));
        QCOMPARE(edit->Text(), QStringLiteral("to love each other"));
        Focus(window->View());
        QCOMPARE(frame->modules[0]->UserDefinitions().count("aimer1"), size_t(0));
    }

    void withoutWindowNothingIsStored() {
        window->close();
        ProcessEvents();
        DefinitionEdit* edit = frame->DefinitionField();
        Focus(edit);
        QTest::keyClicks(edit, QStringLiteral("lost"));
        Focus(combo);
        QCOMPARE(frame->modules[0]->UserDefinitions().size(), size_t(0));
    }

    void closedTargetWindowIsNotWritten() {
        DefinitionEdit* edit = frame->DefinitionField();
        Focus(edit);
        QTest::keyClicks(edit, QStringLiteral("x"));
        frame->OnCommand(IdTabbedScreen);  // the window is replaced by a tabbed one
        Focus(frame->ActiveVerbWindow()->View());
        QCOMPARE(frame->modules[0]->UserDefinitions().size(), size_t(0));
    }

    void definitionsPersistAcrossRuns() {
        DefinitionEdit* edit = frame->DefinitionField();
        Focus(edit);
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("to cherish"));
        Focus(window->View());
        StopFrame(frame);
        QFile file(workspace->WorkDir() + QStringLiteral("/FakeFrench.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("aimer,0,to cherish"));
        frame = StartFrame();
        QVERIFY(frame);
        QCOMPARE(frame->DefinitionField()->Text(), QStringLiteral("to cherish"));
    }

    // A file that cannot be written is reported, with its reason, soon
    // after the first edit, once; at exit the user is asked again before
    // the edits go (here: Retry once the way is clear, which saves them).
    void failedDefinitionsWriteIsReported() {
        MessageRecorder recorder;
        const QString path = workspace->WorkDir() + QStringLiteral("/FakeFrench.txt");
        QVERIFY(QDir().mkdir(path));  // something else stands where the file belongs
        DefinitionEdit* edit = frame->DefinitionField();
        for (const QString& text : {QStringLiteral("to treasure"), QStringLiteral("to prize")}) {
            Focus(edit);
            edit->selectAll();
            QTest::keyClicks(edit, text);
            Focus(window->View());
            QTest::qWait(DefinitionsSaver::SaveDelayMs * 2);
        }
        QCOMPARE(recorder.messages.size(), 1);
        QVERIFY(recorder.messages[0].text.startsWith(
            QStringLiteral("Your English definitions could not be saved to")));
        QVERIFY(recorder.messages[0].text.contains(QStringLiteral("because it is a folder")));
        SetUserChoiceHook([&](const QString&, const QStringList& buttons) {
            QDir().rmdir(path);
            return int(buttons.indexOf(QStringLiteral("&Retry")));
        });
        StopFrame(frame);
        SetUserChoiceHook(nullptr);
        QCOMPARE(recorder.messages.size(), 2);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("aimer,0,to prize"));
    }

private:
    static void Focus(QWidget* widget) {
        widget->setFocus(Qt::MouseFocusReason);
        ProcessEvents();
    }

    VerbComboBox* combo = nullptr;
    CChildFrame* window = nullptr;
};

QTEST_MAIN(VerbBarTest)
#include "tst_VerbBar.moc"
