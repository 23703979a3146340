// The list of forms under a verb box: while the user types something that is
// no start of a verb name, or that is a form as well, it shows the verbs the
// text is a form of, one reading a line ("fûmes — être · Passé Simple ·
// nous"), as the module's LookupForm finds them with the text as the start
// of a word, exact readings first, those that match without accents after.
//
// The list never takes the keyboard focus: the verb box keeps it, and the
// list takes from the box the keys that move through it (Up, Down, Page Up,
// Page Down), choose (Enter, which takes the first line when none is
// selected and the text names no verb) or close it (Esc, which leaves the
// text). A click on a line chooses it too. The lookup runs once the events
// of the keys typed are handled, so that fast typing is never held up.
#pragma once

#include <QListWidget>
#include <QTimer>
#include <functional>
#include <vector>

#include "LanguageModule.h"

class QLineEdit;

class FormLookupList : public QListWidget {
    Q_OBJECT

public:
    static constexpr int MaxVisibleRows = 10;

    // A list for the edit of `box`, under which it opens; `box` owns it and
    // gives its font. Not shown until text is looked up.
    FormLookupList(QLineEdit* edit, QWidget* box);

    // The module whose forms are looked up; null or one without LookupForm
    // for none (the list then never opens).
    void SetModule(const LanguageModule* module);
    // Whether `text` starts a verb name; the list opens for such a text only
    // if it is also a whole form.
    std::function<bool(const QString& text)> startsVerbName;
    // Whether `text` names a verb, which the box has shown already; Enter
    // then is the box's.
    std::function<bool(const QString& text)> namesVerb;

    // Looks up the edit's text once the pending events are handled.
    void ScheduleLookup();
    // Looks up the edit's text now: fills the list and shows it, or hides it
    // when there is nothing to show.
    void LookUp();
    // Hides the list and forgets a lookup not yet run.
    void Dismiss();

    const std::vector<FormReading>& Readings() const { return readings; }
    // The line for `reading`: the word, the infinitive (with its "se" or
    // "s'" for a pronominal reading), the tense, the person.
    static QString LineText(const LanguageModule& module, const FormReading& reading);

signals:
    // The user chose `reading` from the list; the list is hidden.
    void readingChosen(const FormReading& reading);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Place();
    void Step(int rows);
    void Choose(int row);
    bool HandleKey(QKeyEvent* key);
    static bool IsListKey(int key);

    QLineEdit* edit;
    QWidget* box;
    const LanguageModule* module = nullptr;
    std::vector<FormReading> readings;
    QTimer lookupTimer;
    bool swallowEscapeRelease = false;
};
