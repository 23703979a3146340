// The practice record: answers survive reopening, two writers both count,
// a damaged file is set aside and never deleted, a newer one left alone.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <thread>

#include "PracticeStore.h"

using namespace practice;

namespace {

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList AsideFiles(const QString& dir) {
    return QDir(dir).entryList({"practice.sqlite.damaged-*"}, QDir::Files);
}

}  // namespace

TEST(PracticeStore, AnswersSurviveReopeningWithTheirBoxesAndHistory) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/sub/practice.sqlite";  // the folder is made
    const FormKey venir{100, false, false, 15}, aller{7, true, false, 84};
    {
        PracticeStore store;
        ASSERT_TRUE(store.Open(path)) << store.Error().toStdString();
        EXPECT_TRUE(store.SetAsideNotice().isEmpty());
        FormRecord r;
        ASSERT_TRUE(
            store.RecordAnswer(venir, "venir", 2, Verdict::Right, "nous vînmes", 500, 500 * 86400, &r));
        EXPECT_EQ(r.box, 1);
        ASSERT_TRUE(store.RecordAnswer(venir, "venir", 2, Verdict::Right, "vînmes", 501, 501 * 86400, &r));
        EXPECT_EQ(r.box, 2);
        ASSERT_TRUE(
            store.RecordAnswer(aller, "s'en aller", 14, Verdict::Wrong, "va-t'en", 501, 501 * 86400 + 5));
        ASSERT_TRUE(store.RecordAnswer(aller, "s'en aller", 14, Verdict::Accents, "", 501, 501 * 86400 + 9));
    }
    PracticeStore store;
    ASSERT_TRUE(store.Open(path));
    std::map<FormKey, FormRecord> records;
    ASSERT_TRUE(store.LoadRecords(records));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[venir].box, 2);
    EXPECT_EQ(records[venir].dueDay, 503);
    EXPECT_EQ(records[venir].right, 2);
    EXPECT_EQ(records[aller].box, 1);
    EXPECT_EQ(records[aller].wrong, 1);
    EXPECT_EQ(records[aller].accents, 1);
    EXPECT_EQ(records[aller].lastAnswered, 501 * 86400 + 9);
    EXPECT_TRUE(IsMistake(records[aller]));
    std::vector<DayHistory> days;
    ASSERT_TRUE(store.LoadHistory(days));
    ASSERT_EQ(days.size(), 2u);
    EXPECT_EQ(days[1].day, 501);
    EXPECT_EQ(days[1].right + days[1].wrong + days[1].accents, 3);
    // The file is a WAL database of our schema version.
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "peek");
    db.setDatabaseName(path);
    ASSERT_TRUE(db.open());
    {
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec("PRAGMA journal_mode") && q.next());
        EXPECT_EQ(q.value(0).toString(), "wal");
        ASSERT_TRUE(q.exec("PRAGMA user_version") && q.next());
        EXPECT_EQ(q.value(0).toInt(), SchemaVersion);
    }
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase("peek");
}

TEST(PracticeStore, TwoWritersAtOnceLoseNoAnswer) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/practice.sqlite";
    {
        PracticeStore first;
        ASSERT_TRUE(first.Open(path));
    }
    const FormKey key{1, false, false, 0};
    constexpr int Writers = 3, Answers = 40;
    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    for (int w = 0; w < Writers; ++w) {
        threads.emplace_back([&, w] {
            PracticeStore store;  // its own connection, as another Plimo has
            if (!store.Open(path)) {
                ++failures;
                return;
            }
            for (int i = 0; i < Answers; ++i) {
                if (!store.RecordAnswer(key, "v", 0, (i + w) % 3 ? Verdict::Right : Verdict::Wrong, "x", 10,
                                        i))
                    ++failures;
                if (!store.RecordAnswer({2 + w, false, false, i % 84}, "w", 0, Verdict::Right, "y", 10, i))
                    ++failures;
            }
        });
    }
    for (auto& t : threads) t.join();
    EXPECT_EQ(failures, 0);
    PracticeStore store;
    ASSERT_TRUE(store.Open(path));
    std::map<FormKey, FormRecord> records;
    ASSERT_TRUE(store.LoadRecords(records));
    const FormRecord& shared = records[key];
    EXPECT_EQ(shared.right + shared.wrong, Writers * Answers);
    std::vector<DayHistory> days;
    ASSERT_TRUE(store.LoadHistory(days));
    ASSERT_EQ(days.size(), 1u);
    EXPECT_EQ(days[0].right + days[0].wrong, 2 * Writers * Answers);
}

TEST(PracticeStore, AnUnreadableFileIsSetAsideNeverDeletedAndANewerOneLeftAlone) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/practice.sqlite";
    const QByteArray garbage = "These are my notes, not a database.\n" + QByteArray(5000, 'x');
    const struct {
        const char* what;
        QByteArray bytes;
    } damaged[] = {
        {"text", garbage},
        {"a truncated database header", QByteArray("SQLite format 3\0", 16) + QByteArray(90, '\xff')},
    };
    for (const auto& d : damaged) {
        for (const QString& f : AsideFiles(dir.path())) QFile::remove(dir.path() + "/" + f);
        QFile::remove(path);
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(d.bytes);
        f.close();
        PracticeStore store;
        ASSERT_TRUE(store.Open(path)) << d.what << ": " << store.Error().toStdString();
        EXPECT_FALSE(store.SetAsideNotice().isEmpty()) << d.what;
        const QStringList aside = AsideFiles(dir.path());
        ASSERT_EQ(aside.size(), 1) << d.what;
        EXPECT_EQ(ReadAll(dir.path() + "/" + aside[0]), d.bytes) << d.what;
        EXPECT_TRUE(store.SetAsideNotice().contains(aside[0]));
        EXPECT_TRUE(store.RecordAnswer({1, false, false, 0}, "v", 0, Verdict::Right, "", 1, 1));
    }
    // A record of a later schema is not ours to change.
    QFile::remove(path);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "newer");
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        QSqlQuery(db).exec("PRAGMA user_version=99");
        QSqlQuery(db).exec("CREATE TABLE future (x)");
        db.close();
    }
    QSqlDatabase::removeDatabase("newer");
    const QByteArray before = ReadAll(path);
    const int asideBefore = AsideFiles(dir.path()).size();
    PracticeStore store;
    EXPECT_FALSE(store.Open(path));
    EXPECT_TRUE(store.Error().contains("newer"));
    EXPECT_EQ(ReadAll(path), before);
    EXPECT_EQ(AsideFiles(dir.path()).size(), asideBefore);
}

TEST(PracticeStore, ExportsWriteStatisticsAndMistakes) {
    QTemporaryDir dir;
    PracticeStore store;
    ASSERT_TRUE(store.Open(dir.path() + "/practice.sqlite"));
    ASSERT_TRUE(
        store.RecordAnswer({3, false, false, 2}, "croire, penser", 0, Verdict::Wrong, "", 5, 5 * 86400));
    ASSERT_TRUE(store.ExportStatisticsCsv(dir.path() + "/stats.csv", nullptr));
    const QList<QByteArray> lines = ReadAll(dir.path() + "/stats.csv").split('\n');
    ASSERT_GE(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith("infinitive,"));
    EXPECT_TRUE(lines[1].startsWith("\"croire, penser\",0,0,0,3,,1,1970-01-07,0,0,1,"))
        << lines[1].toStdString();
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
