#include "CPracticeWnd.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "CPracticeChart.h"
#include "Cp1252.h"
#include "LanguageModule.h"
#include "ProgramObjects.h"
#include "StringTable.h"

namespace practice {

namespace {

QString FromModule(const char* text) {
    return text ? QString::fromStdString(cp1252::ToUtf8(text)) : QString();
}
QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

// The string table's "Insert à" ... "Insert ü", as in the Find dialog's
// accent menu.
constexpr int FirstLetterCommand = 32779;
constexpr int LastLetterCommand = 32790;

const char* const PersonNames[PersonCount] = {"je", "tu", "il", "nous", "vous", "ils"};

}  // namespace

CPracticeWnd::CPracticeWnd(LanguageModule* module, int32_t activeVerb, const QString& storePath)
    : module_(module), activeVerb_(activeVerb), rng_(std::random_device{}()) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("practiceWindow"));
    setWindowTitle(QStringLiteral("Practice"));
    ++OpenChildCount;
    registered_ = true;
    if (module_) source_ = std::make_unique<ModuleFormSource>(*module_);
    if (!store_.Open(storePath))
        storeNotice_ = store_.Error();
    else
        storeNotice_ = store_.SetAsideNotice();

    pages_ = new QStackedWidget(this);
    pages_->addWidget(MakeSetupPage());
    pages_->addWidget(MakeQuestionPage());
    pages_->addWidget(MakeEndPage());
    setWidget(pages_);
    LoadChoices();
    if (!storeNotice_.isEmpty()) {
        setupNote_->setText(storeNotice_);
        // Told once, without holding up the rest of the program.
        auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Plimo"), storeNotice_,
                                    QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        QTimer::singleShot(0, box, &QMessageBox::show);
    }
    setFocusProxy(start_);
}

CPracticeWnd::~CPracticeWnd() {
    RetryPending();
    if (!registered_) return;
    --OpenChildCount;
    emit closed();
}

QWidget* CPracticeWnd::MakeSetupPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(MakeVerbChoice());
    for (QWidget* group : MakeTenseAndPersonChoice()) layout->addWidget(group);
    layout->addLayout(MakeOptions());
    setupNote_ = new QLabel;
    setupNote_->setWordWrap(true);
    setupNote_->setObjectName(QStringLiteral("setupNote"));
    layout->addWidget(setupNote_);
    start_ = new QPushButton(QStringLiteral("&Start"));
    start_->setObjectName(QStringLiteral("start"));
    connect(start_, &QPushButton::clicked, this, &CPracticeWnd::StartSession);
    layout->addWidget(start_, 0, Qt::AlignRight);
    layout->addStretch(1);
    for (QWidget* w : page->findChildren<QWidget*>()) w->installEventFilter(this);
    for (QWidget* w : page->findChildren<QWidget*>()) w->installEventFilter(this);
    return page;
}

// The verbs to ask: where they come from, and the list typed.
QLayout* CPracticeWnd::MakeVerbChoice() {
    auto* verbRow = new QHBoxLayout;
    verbSource_ = new QComboBox;
    verbSource_->setObjectName(QStringLiteral("verbSource"));
    const QString active =
        module_ && activeVerb_ >= 0 ? FromModule(module_->GetVerb(activeVerb_)) : QString();
    verbSource_->addItem(active.isEmpty() ? QStringLiteral("The active window's verb (none)")
                                          : QStringLiteral("The active window's verb: %1").arg(active));
    verbSource_->addItem(QStringLiteral("All verbs"));
    verbSource_->addItem(QStringLiteral("These verbs:"));
    verbSource_->addItem(QStringLiteral("My mistakes"));
    verbSource_->addItem(QStringLiteral("Due today"));
    if (module_ && module_->CanRankVerbs()) {
        for (int32_t tier : MetFirstTiers)
            verbSource_->addItem(QStringLiteral("The %1 verbs learners meet first")
                                     .arg(QLocale(QLocale::English).toString(tier)));
    }
    auto* verbLabel = new QLabel(QStringLiteral("Ver&bs:"));
    verbLabel->setBuddy(verbSource_);
    verbList_ = new QLineEdit;
    verbList_->setObjectName(QStringLiteral("verbList"));
    verbList_->setPlaceholderText(QStringLiteral("venir, aller, s'asseoir ..."));
    verbRow->addWidget(verbLabel);
    verbRow->addWidget(verbSource_);
    verbRow->addWidget(verbList_, 1);
    connect(verbSource_, &QComboBox::currentIndexChanged, this,
            [this](int i) { verbList_->setEnabled(i == TheseVerbs); });

    return verbRow;
}

// The tenses and persons to ask, a check box each.
std::array<QWidget*, 2> CPracticeWnd::MakeTenseAndPersonChoice() {
    auto* tenses = new QGroupBox(QStringLiteral("&Tenses"));
    auto* tenseGrid = new QGridLayout(tenses);
    for (int t = 0; t < AskedTenseCount; ++t) {
        QString name = module_ ? FromModule(module_->GetTenseName2(t)) : QString::number(t);
        tenseBoxes_[t] = new QCheckBox(name);
        tenseBoxes_[t]->setObjectName(QStringLiteral("tense%1").arg(t));
        tenseGrid->addWidget(tenseBoxes_[t], t % 5, t / 5);
    }

    auto* persons = new QGroupBox(QStringLiteral("&Persons"));
    auto* personRow = new QHBoxLayout(persons);
    for (int p = 0; p < PersonCount; ++p) {
        personBoxes_[p] = new QCheckBox(QString::fromLatin1(PersonNames[p]));
        personRow->addWidget(personBoxes_[p]);
    }

    return {tenses, persons};
}

// Forms, number of questions, answer mode and accent policy.
QLayout* CPracticeWnd::MakeOptions() {
    auto* options = new QGridLayout;
    forms_ = new QComboBox;
    forms_->addItems({QStringLiteral("Plain"), QStringLiteral("Pronominal"), QStringLiteral("Both")});
    count_ = new QSpinBox;
    count_->setRange(1, 500);
    mode_ = new QComboBox;
    mode_->setObjectName(QStringLiteral("mode"));
    mode_->addItems({QStringLiteral("Typed"), QStringLiteral("Self-graded")});
    accents_ = new QComboBox;
    accents_->setObjectName(QStringLiteral("accents"));
    accents_->addItems({QStringLiteral("Strict"), QStringLiteral("Accept with a warning"),
                        QStringLiteral("Ignore accents")});
    const std::pair<QString, QWidget*> rows[] = {{QStringLiteral("For&ms:"), forms_},
                                                 {QStringLiteral("&Questions:"), count_},
                                                 {QStringLiteral("&Answers:"), mode_},
                                                 {QStringLiteral("A&ccents:"), accents_}};
    int row = 0;
    for (const auto& [text, widget] : rows) {
        auto* label = new QLabel(text);
        label->setBuddy(widget);
        options->addWidget(label, row / 2, (row % 2) * 2);
        options->addWidget(widget, row / 2, (row % 2) * 2 + 1);
        ++row;
    }

    return options;
}

QWidget* CPracticeWnd::MakeQuestionPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("questionPage"));
    auto* layout = new QVBoxLayout(page);
    progress_ = new QLabel;
    layout->addWidget(progress_);
    prompt_ = new QLabel;
    prompt_->setObjectName(QStringLiteral("prompt"));
    QFont big = prompt_->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    prompt_->setFont(big);
    layout->addWidget(prompt_);
    definition_ = new QLabel;
    definition_->setWordWrap(true);
    layout->addWidget(definition_);
    auto* answerRow = new QHBoxLayout;
    answer_ = new QLineEdit;
    answer_->setObjectName(QStringLiteral("answer"));
    answer_->setFont(big);
    answer_->installEventFilter(this);
    accentButton_ = new QToolButton;
    accentButton_->setArrowType(Qt::DownArrow);
    accentButton_->setToolTip(QStringLiteral("Insert an accented letter (Alt+Down)"));
    accentButton_->setFocusPolicy(Qt::NoFocus);
    connect(accentButton_, &QToolButton::clicked, this, &CPracticeWnd::ShowAccentMenu);
    answerRow->addWidget(answer_, 1);
    answerRow->addWidget(accentButton_);
    layout->addLayout(answerRow);
    feedback_ = new QLabel;
    feedback_->setObjectName(QStringLiteral("feedback"));
    feedback_->setTextFormat(Qt::RichText);
    feedback_->setFont(big);
    layout->addWidget(feedback_);
    hint_ = new QLabel;
    hint_->setEnabled(false);
    layout->addWidget(hint_);
    layout->addStretch(1);
    page->setFocusPolicy(Qt::StrongFocus);
    page->installEventFilter(this);
    return page;
}

QWidget* CPracticeWnd::MakeEndPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("endPage"));
    auto* layout = new QVBoxLayout(page);
    score_ = new QLabel;
    score_->setObjectName(QStringLiteral("score"));
    layout->addWidget(score_);
    auto* keys =
        new QLabel(QStringLiteral("Enter: again    1\u20139 (or a click on a bar): drill that tense    "
                                  "Escape: setup"));
    keys->setEnabled(false);
    layout->addWidget(keys);
    tenseChart_ = new CPracticeChart;
    tenseChart_->setObjectName(QStringLiteral("tenseChart"));
    connect(tenseChart_, &CPracticeChart::tenseChosen, this, &CPracticeWnd::StartOnTense);
    layout->addWidget(tenseChart_, 1);
    historyChart_ = new CPracticeChart;
    historyChart_->setObjectName(QStringLiteral("historyChart"));
    layout->addWidget(historyChart_, 1);
    auto* buttons = new QHBoxLayout;
    again_ = new QPushButton(QStringLiteral("&Again"));
    auto* setup = new QPushButton(QStringLiteral("Se&tup"));
    auto* save = new QPushButton(QStringLiteral("Save as &PNG..."));
    auto* print = new QPushButton(QStringLiteral("P&rint..."));
    auto* csv = new QPushButton(QStringLiteral("&Statistics (CSV)..."));
    auto* tsv = new QPushButton(QStringLiteral("&Mistakes (TSV)..."));
    for (QPushButton* b : {again_, setup, save, print, csv, tsv}) buttons->addWidget(b);
    layout->addLayout(buttons);
    connect(again_, &QPushButton::clicked, this, &CPracticeWnd::StartSession);
    connect(setup, &QPushButton::clicked, this, [this] { ShowPage(SetupPage); });
    connect(save, &QPushButton::clicked, this, &CPracticeWnd::SaveChart);
    connect(print, &QPushButton::clicked, this, &CPracticeWnd::PrintCharts);
    connect(csv, &QPushButton::clicked, this, [this] { Export(false); });
    connect(tsv, &QPushButton::clicked, this, [this] { Export(true); });
    for (QWidget* w : page->findChildren<QWidget*>()) w->installEventFilter(this);
    return page;
}

void CPracticeWnd::LoadChoices() {
    verbSource_->setCurrentIndex(
        store_.Setting(QStringLiteral("verbs"), QString::number(activeVerb_ >= 0 ? ActiveVerb : AllVerbs))
            .toInt());
    // A choice this window does not offer (no verb window now, a tier of a
    // module that ranked its verbs) falls back to every verb.
    if (verbSource_->currentIndex() < 0 || (verbSource_->currentIndex() == ActiveVerb && activeVerb_ < 0))
        verbSource_->setCurrentIndex(AllVerbs);
    verbList_->setText(store_.Setting(QStringLiteral("verbList")));
    verbList_->setEnabled(verbSource_->currentIndex() == TheseVerbs);
    const auto simple = SimpleTenses();
    const QString tenses = store_.Setting(QStringLiteral("tenses"));
    for (int t = 0; t < AskedTenseCount; ++t)
        tenseBoxes_[t]->setChecked(tenses.isEmpty() ? simple[t]
                                                    : tenses.split(',').contains(QString::number(t)));
    const QString persons = store_.Setting(QStringLiteral("persons"), QStringLiteral("111111"));
    for (int p = 0; p < PersonCount; ++p)
        personBoxes_[p]->setChecked((p >= persons.size() || persons[p] != QLatin1Char('0')));
    forms_->setCurrentIndex(store_.Setting(QStringLiteral("forms"), QStringLiteral("0")).toInt());
    count_->setValue(store_.Setting(QStringLiteral("count"), QStringLiteral("20")).toInt());
    mode_->setCurrentIndex(store_.Setting(QStringLiteral("mode"), QStringLiteral("0")).toInt());
    accents_->setCurrentIndex(store_.Setting(QStringLiteral("accents"), QStringLiteral("1")).toInt());
}

void CPracticeWnd::SaveChoices() {
    QStringList tenses;
    for (int t = 0; t < AskedTenseCount; ++t)
        if (tenseBoxes_[t]->isChecked()) tenses << QString::number(t);
    QString persons;
    for (QCheckBox* box : personBoxes_) persons += box->isChecked() ? QLatin1Char('1') : QLatin1Char('0');
    store_.SetSetting(QStringLiteral("verbs"), QString::number(verbSource_->currentIndex()));
    store_.SetSetting(QStringLiteral("verbList"), verbList_->text());
    store_.SetSetting(QStringLiteral("tenses"), tenses.isEmpty() ? QStringLiteral("none") : tenses.join(','));
    store_.SetSetting(QStringLiteral("persons"), persons);
    store_.SetSetting(QStringLiteral("forms"), QString::number(forms_->currentIndex()));
    store_.SetSetting(QStringLiteral("count"), QString::number(count_->value()));
    store_.SetSetting(QStringLiteral("mode"), QString::number(mode_->currentIndex()));
    store_.SetSetting(QStringLiteral("accents"), QString::number(accents_->currentIndex()));
}

PracticeSetup CPracticeWnd::SetupFromControls(QString& problem) {
    PracticeSetup setup;
    for (int t = 0; t < AskedTenseCount; ++t) setup.tenses[t] = tenseBoxes_[t]->isChecked();
    for (int p = 0; p < PersonCount; ++p) setup.persons[p] = personBoxes_[p]->isChecked();
    setup.forms = static_cast<FormChoice>(forms_->currentIndex());
    setup.count = count_->value();
    switch (verbSource_->currentIndex()) {
    case ActiveVerb:
        if (activeVerb_ >= 0)
            setup.verbs.push_back(activeVerb_);
        else
            problem = QStringLiteral("No verb window is open: choose other verbs.");
        break;
    case AllVerbs:
        for (int32_t v = 0; module_ && v < module_->GetVerbCount(); ++v) setup.verbs.push_back(v);
        break;
    case TheseVerbs: {
        QStringList unknown;
        for (QString name : verbList_->text().split(QRegularExpression(QStringLiteral("[,;\\n\\t]+")))) {
            name = name.trimmed();
            if (name.isEmpty()) continue;
            bool pronominal = false;
            for (const QString& prefix :
                 {QStringLiteral("se "), QStringLiteral("s'"), QStringLiteral("s\u2019")}) {
                if (name.startsWith(prefix)) {
                    name = name.mid(prefix.size());
                    pronominal = true;
                }
            }
            const auto bytes = cp1252::FromUtf8(name.toStdString());
            const int32_t v = bytes.ok && module_ ? module_->FindVerbIndex(bytes.text) : -1;
            if (v < 0)
                unknown << name;
            else
                setup.verbs.push_back(v);
            if (pronominal && setup.forms == FormChoice::Plain) setup.forms = FormChoice::Both;
        }
        if (!unknown.isEmpty())
            problem = QStringLiteral("Not a verb Plimo knows: %1.").arg(unknown.join(QStringLiteral(", ")));
        break;
    }
    case MetFirst50:
    case MetFirst200:
    case MetFirst1000:
        // Fewer verbs ranked than the choice names: those there are.
        if (module_)
            setup.verbs = module_->VerbsMetFirst(MetFirstTiers[verbSource_->currentIndex() - MetFirst50]);
        break;
    default:
        break;
    }
    return setup;
}

void CPracticeWnd::StartSession() {
    if (!source_) return;
    QString problem;
    PracticeSetup setup = SetupFromControls(problem);
    SaveChoices();
    std::vector<Question> questions;
    const int source = verbSource_->currentIndex();
    lastFromRecords_ = source == MyMistakes || source == DueToday;
    if (lastFromRecords_) {
        std::map<FormKey, FormRecord> records;
        store_.LoadRecords(records);
        questions = PickFromRecords(*source_, setup, records, source == MyMistakes ? WantMistake : WantDue,
                                    Today(), rng_);
    } else if (problem.isEmpty()) {
        questions = PickQuestions(*source_, setup, rng_);
    }
    if (questions.empty()) {
        if (problem.isEmpty())
            problem = source == MyMistakes
                          ? QStringLiteral("No mistakes to practise with these tenses and persons.")
                      : source == DueToday
                          ? QStringLiteral("Nothing is due today with these tenses and persons.")
                          : QStringLiteral("These verbs have no forms in the tenses and persons chosen.");
        setupNote_->setText(problem);
        ShowPage(SetupPage);
        return;
    }
    setupNote_->setText(problem);
    lastSetup_ = setup;
    Begin(std::move(questions));
}

void CPracticeWnd::StartOnTense(int tense) {
    if (!source_ || tense < 0 || tense >= AskedTenseCount) return;
    PracticeSetup setup = lastSetup_;
    setup.tenses = {};
    setup.tenses[tense] = true;
    std::vector<Question> questions;
    if (lastFromRecords_) {
        std::map<FormKey, FormRecord> records;
        store_.LoadRecords(records);
        questions =
            PickFromRecords(*source_, setup, records,
                            verbSource_->currentIndex() == MyMistakes ? WantMistake : WantDue, Today(), rng_);
    } else {
        questions = PickQuestions(*source_, setup, rng_);
    }
    if (!questions.empty()) Begin(std::move(questions));
}

void CPracticeWnd::Begin(std::vector<Question> questions) {
    session_ = std::make_unique<PracticeSession>(std::move(questions));
    ShowPage(QuestionPage);
    ShowQuestion();
}

void CPracticeWnd::ShowQuestion() {
    const Question& q = session_->Current();
    const int asked = session_->Total().Total();
    progress_->setText(QStringLiteral("Question %1 · %2 to go").arg(asked + 1).arg(session_->Remaining()));
    prompt_->setText(FromUtf8(q.Prompt()));
    definition_->setText(
        module_ ? FromModule(module_->GetEnglishDefinition(q.key.verbIndex, q.key.pronominal)) : QString());
    feedback_->clear();
    awaitingNext_ = false;
    revealed_ = false;
    const bool typed = mode_->currentIndex() == 0;
    answer_->setVisible(typed);
    accentButton_->setVisible(typed);
    if (typed) {
        answer_->clear();
        answer_->setReadOnly(false);
        setFocusProxy(answer_);
        answer_->setFocus();
        hint_->setText(QStringLiteral("Enter: check the answer"));
    } else {
        setFocusProxy(pages_->widget(QuestionPage));
        pages_->widget(QuestionPage)->setFocus();
        hint_->setText(QStringLiteral("Space: show the answer"));
    }
}

void CPracticeWnd::CheckTyped() {
    const Question q = session_->Current();
    const std::string typed = answer_->text().toStdString();
    const CheckResult result =
        CheckAnswer(typed, q.answer, q.otherVariant, static_cast<AccentPolicy>(accents_->currentIndex()));
    const QString form = FromUtf8(q.answer);
    QString text;
    switch (result.verdict) {
    case Verdict::Right:
        text = QStringLiteral("<span style='color:#2a8a2a'>Right.</span>");
        break;
    case Verdict::Accents:
        text = QStringLiteral("<span style='color:#b07800'>Mind the accents: %1</span>")
                   .arg(form.toHtmlEscaped());
        break;
    case Verdict::Wrong: {
        const QString before = form.left(int(result.markStart)).toHtmlEscaped();
        const QString marked = form.mid(int(result.markStart), int(result.markLength)).toHtmlEscaped();
        const QString after = form.mid(int(result.markStart + result.markLength)).toHtmlEscaped();
        text = QStringLiteral(
                   "<span style='color:#b02020'>Wrong.</span> %1<u style='color:#b02020'><b>%2</b></u>%3")
                   .arg(before, marked, after);
        break;
    }
    }
    Grade(result.verdict, typed);
    feedback_->setText(feedback_->text().isEmpty() ? text
                                                   : text + QStringLiteral("<br>") + feedback_->text());
    answer_->setReadOnly(true);
    awaitingNext_ = true;
    hint_->setText(QStringLiteral("Enter: next question"));
}

void CPracticeWnd::RevealAnswer() {
    revealed_ = true;
    feedback_->setText(FromUtf8(session_->Current().answer).toHtmlEscaped());
    hint_->setText(QStringLiteral("1: I knew it    2: I didn't"));
}

void CPracticeWnd::Grade(Verdict verdict, const std::string& typed) {
    const Question q = session_->Current();
    feedback_->clear();
    if (!Record(q, verdict, typed))
        feedback_->setText(QStringLiteral("<span style='color:#b02020'>%1 It will be tried again.</span>")
                               .arg(store_.Error().toHtmlEscaped()));
    session_->Answer(verdict);
}

void CPracticeWnd::Next() {
    if (session_->Finished())
        ShowEnd();
    else
        ShowQuestion();
}

bool CPracticeWnd::Record(const Question& q, Verdict verdict, const std::string& typed) {
    if (!store_.IsOpen()) return true;  // told when the window opened
    RetryPending();
    const int64_t now = NowSeconds();
    if (store_.RecordAnswer(q.key, q.infinitive, q.tense, verdict, typed, LocalDay(now), now)) return true;
    pending_.push_back({q, verdict, typed, LocalDay(now), now});
    return false;
}

void CPracticeWnd::RetryPending() {
    while (!pending_.empty() && store_.IsOpen()) {
        const Pending& p = pending_.front();
        if (!store_.RecordAnswer(p.question.key, p.question.infinitive, p.question.tense, p.verdict, p.typed,
                                 p.day, p.at))
            return;
        pending_.erase(pending_.begin());
    }
}

void CPracticeWnd::ShowEnd() {
    const Tally total = session_->Total();
    score_->setText(
        QStringLiteral("%1 of %2 right at the first try; %3 answers in all: %4 right, %5 with accents "
                       "to mind, %6 wrong.")
            .arg(session_->FirstTimeRight())
            .arg(session_->QuestionCount())
            .arg(total.Total())
            .arg(total.right)
            .arg(total.accents)
            .arg(total.wrong));
    std::array<QString, AskedTenseCount> names;
    for (int t = 0; t < AskedTenseCount; ++t) names[t] = tenseBoxes_[t]->text();
    tenseChart_->ShowTenses(session_->ByTense(), names);
    std::vector<DayHistory> days;
    store_.LoadHistory(days);
    historyChart_->ShowHistory(days);
    lastSession_ = std::move(session_);
    ShowPage(EndPage);
}

void CPracticeWnd::ShowAccentMenu() {
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("accentMenu"));
    for (int id = FirstLetterCommand; id <= LastLetterCommand; ++id)
        menu.addAction(LoadString(id).mid(7))->setData(id);
    QAction* chosen = menu.exec(accentButton_->mapToGlobal(QPoint(accentButton_->width(), 0)));
    if (chosen != nullptr && !answer_->isReadOnly())
        answer_->insert(LoadString(chosen->data().toInt()).mid(7));
    answer_->setFocus();
}

void CPracticeWnd::SaveChart() {
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Save Chart"), QStringLiteral("practice.png"),
                                     QStringLiteral("PNG images (*.png)"));
    if (path.isEmpty()) return;
    if (!tenseChart_->SaveImage(path))
        QMessageBox::warning(this, QStringLiteral("Plimo"),
                             QStringLiteral("The chart could not be saved as %1.").arg(path));
}

void CPracticeWnd::PrintCharts() {
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        QMessageBox::warning(this, QStringLiteral("Plimo"),
                             QStringLiteral("The charts could not be printed."));
        return;
    }
    // The two charts one above the other, each at its on-screen proportions.
    const QRect page = painter.viewport();
    const int height = page.width() * tenseChart_->height() / qMax(1, tenseChart_->width());
    painter.setWindow(0, 0, tenseChart_->width(), tenseChart_->height() * 2 + 20);
    painter.setViewport(page.left(), page.top(), page.width(), qMin(page.height(), height * 2 + 20));
    tenseChart_->Render(painter, QRect(0, 0, tenseChart_->width(), tenseChart_->height()));
    historyChart_->Render(painter,
                          QRect(0, tenseChart_->height() + 20, tenseChart_->width(), tenseChart_->height()));
    painter.end();
}

void CPracticeWnd::Export(bool mistakes) {
    const QString path = QFileDialog::getSaveFileName(
        this, mistakes ? QStringLiteral("Export Mistakes") : QStringLiteral("Export Statistics"),
        mistakes ? QStringLiteral("mistakes.tsv") : QStringLiteral("practice.csv"),
        mistakes ? QStringLiteral("Tab-separated text (*.tsv)")
                 : QStringLiteral("Comma-separated text (*.csv)"));
    if (path.isEmpty() || !source_) return;
    const bool ok =
        mistakes ? store_.ExportMistakesTsv(path, *source_) : store_.ExportStatisticsCsv(path, source_.get());
    if (!ok) QMessageBox::warning(this, QStringLiteral("Plimo"), store_.Error());
}

void CPracticeWnd::ShowPage(Page page) {
    pages_->setCurrentIndex(page);
    // The key control of each page takes the focus, now and whenever the
    // window is activated again.
    QWidget* keys = start_;
    if (page == EndPage) keys = again_;
    if (page == QuestionPage) keys = answer_;
    if (page == QuestionPage && mode_->currentIndex() == 1) keys = pages_->widget(QuestionPage);
    setFocusProxy(keys);
    keys->setFocus();
}

CPracticeWnd::Page CPracticeWnd::CurrentPage() const { return static_cast<Page>(pages_->currentIndex()); }

bool CPracticeWnd::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QMdiSubWindow::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    switch (CurrentPage()) {
    case SetupPage:
        if (enter && key->modifiers() == Qt::NoModifier) {
            StartSession();
            return true;
        }
        break;
    case QuestionPage:
        if (!session_) break;
        if (watched == answer_ && key->key() == Qt::Key_Down && key->modifiers() == Qt::AltModifier) {
            ShowAccentMenu();
            return true;
        }
        if (watched == answer_ && enter) {
            if (awaitingNext_)
                Next();
            else if (!session_->Finished())
                CheckTyped();
            return true;
        }
        if (session_->Finished()) break;
        if (watched == pages_->widget(QuestionPage) && mode_->currentIndex() == 1) {
            if (key->key() == Qt::Key_Space && !revealed_) {
                RevealAnswer();
                return true;
            }
            if (revealed_ && (key->key() == Qt::Key_1 || key->key() == Qt::Key_2)) {
                Grade(key->key() == Qt::Key_1 ? Verdict::Right : Verdict::Wrong, std::string());
                Next();
                return true;
            }
        }
        if (key->key() == Qt::Key_Escape) {
            session_.reset();
            ShowPage(SetupPage);
            return true;
        }
        break;
    case EndPage:
        if (key->key() == Qt::Key_Escape) {
            ShowPage(SetupPage);
            return true;
        }
        if (key->key() >= Qt::Key_1 && key->key() <= Qt::Key_9 && key->modifiers() == Qt::NoModifier) {
            StartOnTense(tenseChart_->BarTense(key->key() - Qt::Key_1));
            return true;
        }
        if (enter && watched == again_) {
            StartSession();
            return true;
        }
        break;
    }
    return QMdiSubWindow::eventFilter(watched, event);
}

}  // namespace practice
