// The list of a folder's runs and the names given to them, over real files in a temporary folder.

#include "run/RunCatalog.h"
#include "run/RunCsv.h"
#include "run/RunNames.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>

namespace {

// A journal of `temperatures` (°C) a minute apart from `start`; NaN marks a gap.
QByteArray Journal(const QDateTime& start, std::initializer_list<float> temperatures, bool tenths = false)
{
    QByteArray bytes = JournalHeader();
    int slot = 0;
    for (const float t : temperatures) {
        const QDateTime time = start.addMSecs(slot * (tenths ? 100 : 60000));
        bytes += JournalRow({slot++, std::isnan(t) ? 5000.f : t * 100, 10130, {time, tenths, !std::isnan(t), {}}});
    }
    return bytes;
}

void Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

void SetModified(const QString& path, const QDateTime& time)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite) && file.setFileTime(time, QFileDevice::FileModificationTime));
}

QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QDateTime kMonday(QDate(2026, 12, 7), QTime(9, 30));

}   // namespace

TEST(RunCatalog, ListsTheFolderNewestFirstWithEachRunsSummary)
{
    QTemporaryDir folder;
    const QDir dir(folder.path());
    const QString older = dir.filePath(QStringLiteral("poruka-2026-12-07-093000.csv"));
    const QString newer = dir.filePath(QStringLiteral("poruka-2026-12-08-093000.csv"));
    const QString garbage = dir.filePath(QStringLiteral("notes.CSV"));
    Write(older, Journal(kMonday, {20.5f, NAN, 31.25f, -2.0f}));
    Write(newer, Journal(kMonday.addDays(1), {18.0f, 19.0f, 20.0f}, true));
    Write(garbage, "買い物メモ\nりんご\n");
    Write(dir.filePath(QStringLiteral("picture.png")), "not listed");
    SetModified(garbage, kMonday.addDays(-1));

    const std::vector<RunSummary> runs = ListRuns(folder.path());
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].path, newer);
    EXPECT_EQ(runs[0].start, kMonday.addDays(1));
    EXPECT_EQ(runs[0].durationMs, 200);
    EXPECT_EQ(runs[0].interval, RunInterval::Tenth);

    EXPECT_EQ(runs[1].path, older);
    EXPECT_EQ(runs[1].durationMs, 3 * 60000);
    EXPECT_EQ(runs[1].interval, RunInterval::Minute);
    EXPECT_EQ(runs[1].sampleCount, 4);
    EXPECT_EQ(runs[1].lowestTemperature, -2.0f);
    EXPECT_EQ(runs[1].highestTemperature, 31.25f);   // the gap's 50 ℃ is no measurement
    EXPECT_FALSE(runs[1].error);

    EXPECT_EQ(runs[2].path, garbage);
    ASSERT_TRUE(runs[2].error);
    EXPECT_EQ(runs[2].error->text(), QStringLiteral("1 行目を読めません: 記録の見出しがありません"));
    EXPECT_TRUE(ListRuns(dir.filePath(QStringLiteral("missing"))).empty());
}

TEST(RunCatalog, KeepsSummariesBesideTheJournalsUntilAFileChanges)
{
    QTemporaryDir folder;
    const QDir dir(folder.path());
    const QString path = dir.filePath(QStringLiteral("poruka-2026-12-07-093000.csv"));
    const QString cache = dir.filePath(QString::fromLatin1(kRunCatalogFileName));
    const QByteArray journal = Journal(kMonday, {20, 21});
    Write(path, journal);
    const QDateTime modified = QFileInfo(path).lastModified();
    ASSERT_EQ(ListRuns(folder.path())[0].highestTemperature, 21.0f);
    ASSERT_TRUE(QFile::exists(cache));

    // Same name, size and time: the kept summary is the file's.
    QByteArray sameSize = journal;
    sameSize.replace("21.00", "99.00");
    Write(path, sameSize);
    SetModified(path, modified);
    EXPECT_EQ(ListRuns(folder.path())[0].highestTemperature, 21.0f);

    // A row more (the run still recording) is read again.
    Write(path, journal + JournalRow({2, 2500, 10130, {kMonday.addSecs(120), false, true, {}}}));
    EXPECT_EQ(ListRuns(folder.path())[0].highestTemperature, 25.0f);

    // A damaged cache is only a cache: the listing reads the files again.
    for (const QByteArray& damaged : {QByteArray("{\"version\":1,\"runs\":{\"poruka-2026-12-07-093000.csv\":[1]}}"),
                                      QByteArray("\xFF\xFE garbage", 10), QByteArray(2000, '{')}) {
        Write(cache, damaged);
        const std::vector<RunSummary> runs = ListRuns(folder.path());
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_EQ(runs[0].sampleCount, 3);
    }
    EXPECT_EQ(Read(path), journal + JournalRow({2, 2500, 10130, {kMonday.addSecs(120), false, true, {}}}));
}

TEST(RunNames, KeptBesideTheRunAndFoundAgainLater)
{
    QTemporaryDir folder;
    const QDir dir(folder.path());
    const QString first = dir.filePath(QStringLiteral("poruka-2026-12-07-093000.csv"));
    const QString second = dir.filePath(QStringLiteral("poruka-2026-12-08-093000.csv"));
    const QByteArray journal = Journal(kMonday, {20});
    Write(first, journal);

    EXPECT_EQ(RunName(first), QString());
    ASSERT_TRUE(SetRunName(first, QStringLiteral("  1班\r\n  アルミはく ")));
    ASSERT_TRUE(SetRunName(second, QStringLiteral("\"2班\" / {}")));
    EXPECT_EQ(RunName(first), QStringLiteral("1班 アルミはく"));
    EXPECT_EQ(RunName(second), QStringLiteral("\"2班\" / {}"));
    EXPECT_EQ(RunName(QStringLiteral("poruka-2026-12-07-093000.csv")), QString());   // another folder
    ASSERT_TRUE(SetRunName(first, QString(200, QChar(u'長'))));
    EXPECT_EQ(RunName(first).size(), kLongestRunName);
    ASSERT_TRUE(SetRunName(first, QStringLiteral(" ")));   // forgotten, the other kept
    EXPECT_EQ(RunName(first), QString());
    EXPECT_EQ(RunName(second), QStringLiteral("\"2班\" / {}"));
    EXPECT_EQ(Read(first), journal);
    EXPECT_EQ(dir.entryList(QDir::Files), QStringList({QStringLiteral("poruka-2026-12-07-093000.csv"), QString::fromUtf8(kRunNamesFileName)}));
}

TEST(RunNames, AHostileNamesFileNeverCrashesAndIsNeverOverwrittenUnread)
{
    const struct {
        const char* form;
        QByteArray content;
        bool replaced;   // a name can be saved, replacing what held none
    } cases[] = {
        {"garbage text", "1班 = アルミはく\n", true},
        {"binary", QByteArray("\x00\xFF\xFE{\"a", 6), true},
        {"JSON that is no object", "[\"poruka.csv\", \"1班\"]", true},
        {"a name that is no text", "{\"poruka.csv\": {\"x\": 5}}", true},
        {"far too large", QByteArray(2 << 20, ' ') + "{}", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.form);
        QTemporaryDir folder;
        const QString run = QDir(folder.path()).filePath(QStringLiteral("poruka.csv"));
        const QString names = QDir(folder.path()).filePath(QString::fromUtf8(kRunNamesFileName));
        Write(names, c.content);
        EXPECT_EQ(RunName(run), QString());
        EXPECT_EQ(SetRunName(run, QStringLiteral("3班")), c.replaced);
        EXPECT_EQ(RunName(run), c.replaced ? QStringLiteral("3班") : QString());
        if (!c.replaced) {
            EXPECT_EQ(Read(names), c.content);
        }
    }
    QTemporaryDir folder;   // a folder where the file should be
    ASSERT_TRUE(QDir(folder.path()).mkdir(QString::fromUtf8(kRunNamesFileName)));
    EXPECT_FALSE(SetRunName(QDir(folder.path()).filePath(QStringLiteral("poruka.csv")), QStringLiteral("1班")));
    EXPECT_FALSE(SetRunName(QDir(folder.path()).filePath(QStringLiteral("none/poruka.csv")), QStringLiteral("1班")));
}
