#include "PracticeStore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <atomic>

#include "DataFolder.h"

namespace practice {

namespace {

std::atomic<int> connectionNumber{0};

const char* const CreateStatements[] = {
    "CREATE TABLE IF NOT EXISTS form ("
    " verb INTEGER NOT NULL, pronominal INTEGER NOT NULL, alternate INTEGER NOT NULL, slot INTEGER NOT NULL,"
    " infinitive TEXT NOT NULL, box INTEGER NOT NULL, due_day INTEGER NOT NULL,"
    " right INTEGER NOT NULL, accents INTEGER NOT NULL, wrong INTEGER NOT NULL,"
    " last_answered INTEGER NOT NULL, last_verdict INTEGER NOT NULL,"
    " PRIMARY KEY (verb, pronominal, alternate, slot))",
    "CREATE TABLE IF NOT EXISTS answer ("
    " id INTEGER PRIMARY KEY, at INTEGER NOT NULL, day INTEGER NOT NULL,"
    " verb INTEGER NOT NULL, pronominal INTEGER NOT NULL, alternate INTEGER NOT NULL, slot INTEGER NOT NULL,"
    " tense INTEGER NOT NULL, verdict INTEGER NOT NULL, typed TEXT NOT NULL)",
    "CREATE INDEX IF NOT EXISTS answer_day ON answer (day)",
    "CREATE TABLE IF NOT EXISTS setting (name TEXT PRIMARY KEY, value TEXT NOT NULL)",
};

QString SqlError(const QSqlQuery& q) { return q.lastError().text(); }

QString CsvField(const QString& text) {
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString DayText(int64_t day) { return QDate(1970, 1, 1).addDays(day).toString(Qt::ISODate); }

bool WriteWhole(const QString& path, const QByteArray& data, QString& error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        error =
            QStringLiteral("Could not write %1: %2.").arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    return true;
}

}  // namespace

PracticeStore::PracticeStore()
    : connection_(QStringLiteral("plimo-practice-%1").arg(connectionNumber.fetch_add(1))) {}

PracticeStore::~PracticeStore() { Close(); }

QString PracticeStore::DefaultPath() {
    return QString::fromStdString(UserDataFolder()) + QStringLiteral("/practice.sqlite");
}

void PracticeStore::Close() {
    if (QSqlDatabase::contains(connection_)) {
        {
            QSqlDatabase db = QSqlDatabase::database(connection_, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(connection_);
    }
    open_ = false;
}

bool PracticeStore::OpenConnection(const QString& path, QString& why) {
    Close();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    if (!db.isValid()) {
        why = QStringLiteral("the SQLite driver of Qt is missing (Debian package libqt6sql6-sqlite)");
        return false;
    }
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open()) {
        why = db.lastError().text();
        return false;
    }
    return true;
}

// Checks the file and makes the tables. Returns false with `why` set; a
// `why` starting with "!" means the file is fine but not for this version.
bool PracticeStore::Prepare(QString& why) {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA quick_check")) || !q.next()) {
        why = SqlError(q);
        return false;
    }
    if (q.value(0).toString() != QLatin1String("ok")) {
        why = q.value(0).toString();
        return false;
    }
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next()) {
        why = SqlError(q);
        return false;
    }
    const int version = q.value(0).toInt();
    if (version > SchemaVersion) {
        why = QStringLiteral("!it was made by a newer Plimo (schema version %1)").arg(version);
        return false;
    }
    if (version == 0) {
        // A new file, or an SQLite database that is not ours.
        if (!q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !q.next()) {
            why = SqlError(q);
            return false;
        }
        if (q.value(0).toInt() != 0) {
            why = QStringLiteral("it holds a database that Plimo did not make");
            return false;
        }
    }
    if (!q.exec(QStringLiteral("PRAGMA journal_mode=WAL")) || !q.next()) {
        why = SqlError(q);
        return false;
    }
    q.exec(QStringLiteral("PRAGMA synchronous=FULL"));
    if (version == 0) {
        if (!q.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
            why = SqlError(q);
            return false;
        }
        for (const char* statement : CreateStatements) {
            if (!q.exec(QString::fromLatin1(statement))) {
                why = SqlError(q);
                q.exec(QStringLiteral("ROLLBACK"));
                return false;
            }
        }
        q.exec(QStringLiteral("PRAGMA user_version=%1").arg(SchemaVersion));
        if (!q.exec(QStringLiteral("COMMIT"))) {
            why = SqlError(q);
            q.exec(QStringLiteral("ROLLBACK"));
            return false;
        }
    }
    return true;
}

bool PracticeStore::SetAside(const QString& path, const QString& why) {
    Close();
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = path + QStringLiteral(".damaged-") + stamp;
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = path + QStringLiteral(".damaged-") + stamp + QStringLiteral("-%1").arg(n);
    if (!QFile::rename(path, aside)) {
        error_ = QStringLiteral("The practice record %1 cannot be read (%2) and could not be moved aside.")
                     .arg(QDir::toNativeSeparators(path), why);
        return false;
    }
    // Its journal belongs with it.
    for (const char* suffix : {"-wal", "-shm"}) {
        if (QFileInfo::exists(path + QLatin1String(suffix)))
            QFile::rename(path + QLatin1String(suffix), aside + QLatin1String(suffix));
    }
    setAside_ = QStringLiteral(
                    "The practice record %1 could not be read (%2). It was kept as %3, and a new "
                    "record has been started.")
                    .arg(QDir::toNativeSeparators(path), why, QDir::toNativeSeparators(aside));
    return true;
}

bool PracticeStore::Open(const QString& path) {
    error_.clear();
    setAside_.clear();
    path_ = path;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QString why;
    if (!OpenConnection(path, why)) {
        if (!QFileInfo::exists(path)) {
            error_ = QStringLiteral("The practice record %1 could not be created: %2.")
                         .arg(QDir::toNativeSeparators(path), why);
            return false;
        }
    } else if (Prepare(why)) {
        open_ = true;
        return true;
    }
    if (why.startsWith(QLatin1Char('!'))) {
        Close();
        error_ = QStringLiteral("The practice record %1 is not used: %2.")
                     .arg(QDir::toNativeSeparators(path), why.mid(1));
        return false;
    }
    const QFileInfo info(path);
    if (!info.isReadable() || !QFileInfo(info.absolutePath()).isWritable()) {
        // Not damaged, only out of reach: leave it where it is.
        Close();
        error_ = QStringLiteral("The practice record %1 cannot be opened: %2.")
                     .arg(QDir::toNativeSeparators(path), why);
        return false;
    }
    if (!SetAside(path, why)) return false;
    if (!OpenConnection(path, why) || !Prepare(why)) {
        Close();
        error_ = QStringLiteral("A new practice record %1 could not be made: %2.")
                     .arg(QDir::toNativeSeparators(path), why);
        return false;
    }
    open_ = true;
    return true;
}

namespace {

// A form's record from the row `q` is on, its columns from `first` on: box,
// due_day, right, accents, wrong, last_answered, last_verdict.
FormRecord RecordAt(const QSqlQuery& q, int first) {
    FormRecord r;
    r.box = q.value(first).toInt();
    r.dueDay = q.value(first + 1).toLongLong();
    r.right = q.value(first + 2).toInt();
    r.accents = q.value(first + 3).toInt();
    r.wrong = q.value(first + 4).toInt();
    r.lastAnswered = q.value(first + 5).toLongLong();
    r.lastVerdict = static_cast<Verdict>(q.value(first + 6).toInt());
    return r;
}

void Bind(QSqlQuery& q, std::initializer_list<QVariant> values) {
    for (const QVariant& v : values) q.addBindValue(v);
}

}  // namespace

bool PracticeStore::RecordAnswer(const FormKey& key, const std::string& infinitive, int tense,
                                 Verdict verdict, const std::string& typed, int64_t today, int64_t now,
                                 FormRecord* out) {
    error_.clear();
    if (!open_) {
        error_ = QStringLiteral("The practice record is not open.");
        return false;
    }
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery q(db);
    auto fail = [&](const QSqlQuery& failed) {
        error_ = QStringLiteral("The answer could not be recorded: %1.").arg(SqlError(failed));
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        return false;
    };
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        error_ = QStringLiteral("The answer could not be recorded: %1.").arg(SqlError(q));
        return false;
    }
    FormRecord r;
    q.prepare(
        QStringLiteral("SELECT box, due_day, right, accents, wrong, last_answered, last_verdict FROM form "
                       "WHERE verb=? AND pronominal=? AND alternate=? AND slot=?"));
    Bind(q, {key.verbIndex, int(key.pronominal), int(key.alternate), key.slot});
    if (!q.exec()) return fail(q);
    if (q.next()) {
        r = RecordAt(q, 0);
    }
    q.finish();
    ApplyAnswer(r, verdict, today, now);
    q.prepare(
        QStringLiteral("INSERT OR REPLACE INTO form (verb, pronominal, alternate, slot, infinitive, box, "
                       "due_day, right, accents, wrong, last_answered, last_verdict) "
                       "VALUES (?,?,?,?,?,?,?,?,?,?,?,?)"));
    Bind(q, {key.verbIndex, int(key.pronominal), int(key.alternate), key.slot,
             QString::fromStdString(infinitive), r.box, qlonglong(r.dueDay), r.right, r.accents, r.wrong,
             qlonglong(r.lastAnswered), int(r.lastVerdict)});
    if (!q.exec()) return fail(q);
    q.prepare(QStringLiteral(
        "INSERT INTO answer (at, day, verb, pronominal, alternate, slot, tense, verdict, typed) "
        "VALUES (?,?,?,?,?,?,?,?,?)"));
    Bind(q, {qlonglong(now), qlonglong(today), key.verbIndex, int(key.pronominal), int(key.alternate),
             key.slot, tense, int(verdict), QString::fromStdString(typed)});
    if (!q.exec()) return fail(q);
    if (!q.exec(QStringLiteral("COMMIT"))) return fail(q);
    if (out) *out = r;
    return true;
}

QString PracticeStore::Setting(const QString& name, const QString& fallback) {
    if (!open_) return fallback;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.prepare(QStringLiteral("SELECT value FROM setting WHERE name=?"));
    q.addBindValue(name);
    return q.exec() && q.next() ? q.value(0).toString() : fallback;
}

bool PracticeStore::SetSetting(const QString& name, const QString& value) {
    if (!open_) return false;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.prepare(QStringLiteral("INSERT OR REPLACE INTO setting (name, value) VALUES (?, ?)"));
    q.addBindValue(name);
    q.addBindValue(value);
    if (!q.exec()) {
        error_ = SqlError(q);
        return false;
    }
    return true;
}

bool PracticeStore::LoadRecords(std::map<FormKey, FormRecord>& records) {
    records.clear();
    if (!open_) return false;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.setForwardOnly(true);
    if (!q.exec(
            QStringLiteral("SELECT verb, pronominal, alternate, slot, box, due_day, right, accents, wrong, "
                           "last_answered, last_verdict FROM form"))) {
        error_ = SqlError(q);
        return false;
    }
    while (q.next()) {
        const FormKey key{q.value(0).toInt(), q.value(1).toInt() != 0, q.value(2).toInt() != 0,
                          q.value(3).toInt()};
        records[key] = RecordAt(q, 4);
    }
    return true;
}

bool PracticeStore::LoadHistory(std::vector<DayHistory>& days) {
    days.clear();
    if (!open_) return false;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT day, sum(verdict=0), sum(verdict=1), sum(verdict=2) FROM answer "
                               "GROUP BY day ORDER BY day"))) {
        error_ = SqlError(q);
        return false;
    }
    while (q.next())
        days.push_back({q.value(0).toLongLong(), q.value(1).toInt(), q.value(2).toInt(), q.value(3).toInt()});
    return true;
}

bool PracticeStore::ExportStatisticsCsv(const QString& path, const FormSource* source) {
    error_.clear();
    if (!open_) return false;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral(
            "SELECT infinitive, verb, pronominal, alternate, slot, box, due_day, right, accents, "
            "wrong, last_answered FROM form ORDER BY infinitive, pronominal, alternate, slot"))) {
        error_ = SqlError(q);
        return false;
    }
    QByteArray out =
        "infinitive,pronominal,alternate,tense,person,form,box,due,right,accents,wrong,last answered\n";
    while (q.next()) {
        const FormKey key{q.value(1).toInt(), q.value(2).toInt() != 0, q.value(3).toInt() != 0,
                          q.value(4).toInt()};
        int tense = 0, person = 0;
        TenseAndPerson(key.slot, tense, person);
        Question question;
        const bool known = source && MakeQuestion(*source, key, question);
        const QStringList fields = {
            CsvField(q.value(0).toString()),
            QString::number(int(key.pronominal)),
            QString::number(int(key.alternate)),
            CsvField(known ? QString::fromStdString(question.tenseName) : QString::number(tense)),
            QString::number(person + 1),
            CsvField(known ? QString::fromStdString(question.answer) : QString()),
            q.value(5).toString(),
            DayText(q.value(6).toLongLong()),
            q.value(7).toString(),
            q.value(8).toString(),
            q.value(9).toString(),
            QDateTime::fromSecsSinceEpoch(q.value(10).toLongLong()).toString(Qt::ISODate),
        };
        out += fields.join(QLatin1Char(',')).toUtf8() + '\n';
    }
    return WriteWhole(path, out, error_);
}

bool PracticeStore::ExportMistakesTsv(const QString& path, const FormSource& source) {
    error_.clear();
    std::map<FormKey, FormRecord> records;
    if (!LoadRecords(records)) return false;
    QByteArray out;
    for (const auto& [key, record] : records) {
        Question question;
        if (!IsMistake(record) || !MakeQuestion(source, key, question)) continue;
        QString front = QString::fromStdString(question.Prompt());
        QString back = QString::fromStdString(question.answer);
        front.replace(QLatin1Char('\t'), QLatin1Char(' '));
        back.replace(QLatin1Char('\t'), QLatin1Char(' '));
        out += (front + QLatin1Char('\t') + back).toUtf8() + '\n';
    }
    return WriteWhole(path, out, error_);
}

}  // namespace practice
