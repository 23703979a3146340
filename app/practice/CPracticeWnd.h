// The practice window: an MDI child beside the verb and results windows.
// Its mnemonics keep clear of the menu bar's (Alt+F, E, V, O, W, H).
// Three pages: the setup (which verbs, tenses, persons, forms, how many
// questions, typed or self-graded answers, the accent policy; the choices
// are kept in the practice record), the questions, and the end of a session
// with its score and charts. Everything works from the keyboard:
//   setup     Enter starts;
//   typed     Enter checks the answer, Enter again goes on; Alt+Down
//             opens the menu of accented letters;
//   self-graded  Space shows the answer, 1 "I knew it", 2 "I didn't";
//   end       Enter starts another session, 1-9 one on the tense of that
//             bar of the chart, Escape goes back to the setup.
// Every answer is written to the practice record as it is given, so closing
// the window mid-session keeps what was answered.
#pragma once

#include <QMdiSubWindow>
#include <array>
#include <memory>
#include <random>
#include <vector>

#include "PracticeSession.h"
#include "PracticeStore.h"

class LanguageModule;
class QCheckBox;
class QComboBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QToolButton;

namespace practice {

class CPracticeChart;

class CPracticeWnd : public QMdiSubWindow {
    Q_OBJECT

public:
    // `activeVerb`: the verb of the active verb window, or -1. The record is
    // opened at `storePath`; a record that cannot be used is reported and
    // the window works without keeping anything.
    CPracticeWnd(LanguageModule* module, int32_t activeVerb,
                 const QString& storePath = PracticeStore::DefaultPath());
    ~CPracticeWnd() override;

    // The verb choices, in the order of the list and of the remembered
    // choice; the last three only with a module that ranks its verbs.
    enum VerbSource {
        ActiveVerb = 0,
        AllVerbs,
        TheseVerbs,
        MyMistakes,
        DueToday,
        MetFirst50,
        MetFirst200,
        MetFirst1000
    };
    enum Page { SetupPage = 0, QuestionPage, EndPage };

    // Starts a session with the setup's choices (remembering them); shows
    // a note on the setup page when there is nothing to ask.
    void StartSession();
    // Starts a session like the last one on one tense only.
    void StartOnTense(int tense);

    Page CurrentPage() const;
    const PracticeSession* Session() const { return session_.get(); }
    const PracticeSession* LastSession() const { return lastSession_.get(); }
    PracticeStore& Store() { return store_; }
    // Why the record cannot be used, or its set-aside notice; empty when fine.
    QString StoreNotice() const { return storeNotice_; }

    // For tests and the benchmark: a fixed generator.
    void SetSeed(unsigned seed) { rng_.seed(seed); }

    QComboBox* VerbSourceBox() const { return verbSource_; }
    QLineEdit* VerbListField() const { return verbList_; }
    QCheckBox* TenseBox(int tense) const { return tenseBoxes_[tense]; }
    QComboBox* ModeBox() const { return mode_; }
    QComboBox* AccentsBox() const { return accents_; }
    QSpinBox* CountBox() const { return count_; }
    QLineEdit* AnswerField() const { return answer_; }
    QLabel* PromptLabel() const { return prompt_; }
    QLabel* FeedbackLabel() const { return feedback_; }
    QLabel* ScoreLabel() const { return score_; }
    CPracticeChart* TenseChart() const { return tenseChart_; }

signals:
    // The window is going; OpenChildCount no longer counts it.
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* MakeSetupPage();
    QLayout* MakeVerbChoice();
    std::array<QWidget*, 2> MakeTenseAndPersonChoice();
    QLayout* MakeOptions();
    QWidget* MakeQuestionPage();
    QWidget* MakeEndPage();
    void ShowPage(Page page);
    void LoadChoices();
    void SaveChoices();
    PracticeSetup SetupFromControls(QString& problem);
    void Begin(std::vector<Question> questions);
    void ShowQuestion();
    void CheckTyped();
    void RevealAnswer();
    void Grade(Verdict verdict, const std::string& typed);
    void Next();
    void ShowEnd();
    void ShowAccentMenu();
    void SaveChart();
    void PrintCharts();
    void Export(bool mistakes);
    bool Record(const Question& q, Verdict verdict, const std::string& typed);
    void RetryPending();

    LanguageModule* module_;
    int32_t activeVerb_;
    std::unique_ptr<FormSource> source_;
    PracticeStore store_;
    QString storeNotice_;
    std::mt19937 rng_;
    PracticeSetup lastSetup_;
    bool lastFromRecords_ = false;
    std::unique_ptr<PracticeSession> session_;
    std::unique_ptr<PracticeSession> lastSession_;
    bool awaitingNext_ = false;
    bool revealed_ = false;
    bool registered_ = false;
    struct Pending {
        Question question;
        Verdict verdict;
        std::string typed;
        int64_t day;
        int64_t at;
    };
    std::vector<Pending> pending_;

    QStackedWidget* pages_ = nullptr;
    QComboBox* verbSource_ = nullptr;
    QLineEdit* verbList_ = nullptr;
    std::array<QCheckBox*, AskedTenseCount> tenseBoxes_{};
    std::array<QCheckBox*, PersonCount> personBoxes_{};
    QComboBox* forms_ = nullptr;
    QSpinBox* count_ = nullptr;
    QComboBox* mode_ = nullptr;
    QComboBox* accents_ = nullptr;
    QPushButton* start_ = nullptr;
    QLabel* setupNote_ = nullptr;
    QLabel* progress_ = nullptr;
    QLabel* prompt_ = nullptr;
    QLabel* definition_ = nullptr;
    QLineEdit* answer_ = nullptr;
    QToolButton* accentButton_ = nullptr;
    QLabel* feedback_ = nullptr;
    QLabel* hint_ = nullptr;
    QLabel* score_ = nullptr;
    CPracticeChart* tenseChart_ = nullptr;
    CPracticeChart* historyChart_ = nullptr;
    QPushButton* again_ = nullptr;
};

}  // namespace practice
