// The learner's practice record: a SQLite database in the user's data
// folder ($XDG_DATA_HOME/Plimo/practice.sqlite), reached through Qt SQL.
//
// Schema (version 1, kept in PRAGMA user_version):
//   form(verb, pronominal, alternate, slot, infinitive, box, due_day, right,
//        accents, wrong, last_answered, last_verdict), one row per form ever
//        answered, keyed by (verb, pronominal, alternate, slot);
//   answer(id, at, day, verb, pronominal, alternate, slot, tense, verdict,
//          typed), one row per answer, for the history;
//   setting(name, value), the learner's last choices in the practice setup.
// Verdicts are 0 right, 1 right but for accents, 2 wrong. The infinitive is
// kept beside the verb index so that exports read without the module.
//
// The database runs in WAL mode with a busy timeout, and each answer is one
// immediate transaction that reads the form's row, moves it through its
// Leitner box and writes it back with the answer row: two Plimos (or Plimo
// and plimo-conj) answering at once both count, and a crash loses at most
// the answer being written. A file that is not a database, or fails
// SQLite's check, is set aside under a new name beside it (never deleted)
// and a new one is begun; the reason is told once through SetAsideNotice.
// A database of a newer schema is left alone and not used.
#pragma once

#include <QString>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "AnswerCheck.h"
#include "Leitner.h"
#include "QuestionPicker.h"

namespace practice {

inline constexpr int SchemaVersion = 1;

struct DayHistory {
    int64_t day = 0;
    int right = 0;
    int accents = 0;
    int wrong = 0;
};

class PracticeStore {
public:
    PracticeStore();
    ~PracticeStore();
    PracticeStore(const PracticeStore&) = delete;
    PracticeStore& operator=(const PracticeStore&) = delete;

    // The default place: UserDataFolder() + "/practice.sqlite".
    static QString DefaultPath();

    // Opens (creating when missing, with its folder) the database at `path`.
    // False with Error() set when it cannot be used.
    bool Open(const QString& path);
    bool IsOpen() const { return open_; }
    void Close();

    // Why the last operation failed, for the user; empty after a success.
    const QString& Error() const { return error_; }
    // When Open set a damaged file aside: what happened and where the old
    // file now is. Empty otherwise.
    const QString& SetAsideNotice() const { return setAside_; }

    // Records one answer and moves the form through the boxes; `record`
    // receives the form's state after it. False (nothing written) on failure.
    bool RecordAnswer(const FormKey& key, const std::string& infinitive, int tense, Verdict verdict,
                      const std::string& typed, int64_t today, int64_t now, FormRecord* record = nullptr);

    // The learner's remembered choices (text values by name).
    QString Setting(const QString& name, const QString& fallback = QString());
    bool SetSetting(const QString& name, const QString& value);

    // Every form's record.
    bool LoadRecords(std::map<FormKey, FormRecord>& records);
    // Answers per day, oldest first.
    bool LoadHistory(std::vector<DayHistory>& days);

    // Statistics of every form as CSV (a header line, then one line per
    // form), and the forms of "my mistakes" as TSV (infinitive, tense and
    // person, answer) for flashcard programs. Written to a temporary file
    // renamed over `path`.
    bool ExportStatisticsCsv(const QString& path, const FormSource* source);
    bool ExportMistakesTsv(const QString& path, const FormSource& source);

private:
    bool OpenConnection(const QString& path, QString& why);
    bool Prepare(QString& why);
    bool SetAside(const QString& path, const QString& why);

    QString connection_;
    QString path_;
    QString error_;
    QString setAside_;
    bool open_ = false;
};

}  // namespace practice
