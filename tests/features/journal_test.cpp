// The journal of a run: each recorded sample on disk as it is recorded, one file per run, a log
// that only grows, and a run that records on when the journal cannot be written.

#include "support/RecordingWindow.h"

#include "features/ExportCommands.h"
#include "features/Journal.h"
#include "run/RunCsv.h"
#include "run/RunLog.h"
#include "run/StatusBoard.h"

#include <QFile>
#include <QThread>
#include <gtest/gtest.h>

#include <unistd.h>

namespace {

const QByteArray kHeader = "\xEF\xBB\xBF"
                           "番号,時刻,温度(℃),気圧(hPa),状態,警報\r\n";
const QString kCannotSave = QStringLiteral("温度と気圧（記録を保存できません）");

Journal& JournalOf(RecordingWindow& r)
{
    return r.program->journal();
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The rows after the header, without their line ends.
QStringList Rows(const QString& path)
{
    const QByteArray bytes = ReadAll(path);
    if (!bytes.startsWith(kHeader))
        return {QStringLiteral("no header")};
    QStringList rows = QString::fromUtf8(bytes.mid(kHeader.size())).split(QStringLiteral("\r\n"));
    if (rows.last().isEmpty())
        rows.removeLast();
    return rows;
}

void AdvanceSeconds(RecordingWindow& r, double seconds)
{
    r.clock->now += seconds / 86400;
}

}   // namespace

TEST(Journal, EveryTenthSecondSampleIsInTheFileOnceItIsRecordedAndSyncedWithinFiveSeconds)
{
    RecordingWindow r(kTenthSecondMode);
    r.clock->now = DateTimeValue(QDateTime(QDate(2026, 12, 7), QTime(6, 23, 4, 620)));
    r.w().Start_Click();
    const QString path = QDir(r.folder.path()).filePath(QStringLiteral("記録/poruka-2026-12-07-062304.csv"));
    const double temperatures[] = {20, 20.5, 21, -3.25};
    const QStringList expected = {
        QStringLiteral("0,2026-12-07 06:23:04.7,20.00,1013.2,,"),
        QStringLiteral("1,2026-12-07 06:23:04.8,20.50,1013.2,,"),
        QStringLiteral("2,2026-12-07 06:23:04.9,21.00,1013.2,,"),
        QStringLiteral("3,2026-12-07 06:23:05.0,-3.25,1013.2,,"),
    };
    for (int i = 0; i < 4; ++i) {
        AdvanceSeconds(r, 0.1);
        r.Feed(temperatures[i], 1013.2);
        r.Sample();
        // Read through another handle at once: nothing waits inside the program.
        EXPECT_EQ(Rows(path), expected.mid(0, i + 1));
    }
    EXPECT_EQ(JournalOf(r).path(), path);
    EXPECT_TRUE(JournalOf(r).syncTimer().isActive());
    EXPECT_LE(JournalOf(r).syncTimer().interval(), 5000);
    JournalOf(r).Sync();
    EXPECT_FALSE(JournalOf(r).syncTimer().isActive());
    EXPECT_EQ(JournalOf(r).syncs(), 1);
}

TEST(Journal, StopAndLaterStartAppendAndEachRunAfterAResetHasANewFile)
{
    RecordingWindow r(kMinuteMode);
    r.clock->now = DateTimeValue(QDateTime(QDate(2026, 12, 7), QTime(9, 30)));
    r.Feed(20, 1013);
    r.w().Start_Click();   // slot 0 at 9:30
    for (double t : {21, 22}) {
        AdvanceSeconds(r, 60);
        r.Feed(t, 1013);
        r.Sample();
    }
    // Minute mode: the sample goes to the disk as soon as the tick has ended.
    EXPECT_TRUE(JournalOf(r).syncTimer().isActive());
    EXPECT_EQ(JournalOf(r).syncTimer().interval(), 0);
    r.w().Start_Click();   // stop
    AdvanceSeconds(r, 600);
    r.Feed(30, 1012);
    r.w().Start_Click();   // go on: the sample taken at once replaces slot 1
    r.w().Start_Click();   // stop

    const QString first = JournalOf(r).path();
    EXPECT_TRUE(first.endsWith(QStringLiteral("/記録/poruka-2026-12-07-093000.csv")));
    EXPECT_EQ(Rows(first), QStringList({QStringLiteral("0,2026-12-07 09:30:00,20.00,1013.0,,"), QStringLiteral("1,2026-12-07 09:31:00,21.00,1013.0,,"), QStringLiteral("2,2026-12-07 09:32:00,22.00,1013.0,,"), QStringLiteral("1,2026-12-07 09:42:00,30.00,1012.0,,")}));
    // The export shows what the graph shows, each slot at the time it was last recorded.
    const QString csv = QString::fromUtf8(BuildSamplesCsv(r.state(), r.w().runLog().moments(), false));
    EXPECT_TRUE(csv.endsWith(QStringLiteral("0,0,2026-12-07 09:30:00,20.00,1013.0,,\r\n"
                                            "1,720,2026-12-07 09:42:00,30.00,1012.0,,\r\n")));

    // Two runs after resets, begun within the same second: each has a file of its own, and the
    // earlier journals stay as they were.
    const QByteArray firstBytes = ReadAll(first);
    QStringList paths;
    for (int run = 0; run < 2; ++run) {
        r.questions->answers = {true};
        r.w().DataReset_Click();
        r.w().Start_Click();
        r.w().Start_Click();
        paths << JournalOf(r).path();
        EXPECT_EQ(Rows(paths.last()), QStringList({QStringLiteral("0,2026-12-07 09:42:00,30.00,1012.0,,")}));
    }
    EXPECT_TRUE(paths[0].endsWith(QStringLiteral("/poruka-2026-12-07-094200.csv")));
    EXPECT_TRUE(paths[1].endsWith(QStringLiteral("/poruka-2026-12-07-094200-2.csv")));
    EXPECT_EQ(ReadAll(first), firstBytes);
}

TEST(Journal, AnAlertsRowCarriesEveryMessageThatFired)
{
    RecordingWindow r(kTenthSecondMode);
    r.TemperatureAlert(-1, 2500, 10, 255, QStringLiteral("25度をこえました"));
    r.TemperatureAlert(-1, 2400, 10, 255, QStringLiteral("24度を\r\nこえました"));
    r.PressureAlert(-1, 10140, 10, 255, QStringLiteral("気圧が上がりました"));
    r.RecordTemperatures({23, 23});
    r.Feed(26, 1015);
    r.Sample();
    r.RecordTemperatures({27});

    const QString fired = QStringLiteral("25度をこえました / 24度を こえました / 気圧が上がりました");
    const QStringList rows = Rows(JournalOf(r).path());
    ASSERT_EQ(rows.size(), 4);
    EXPECT_TRUE(rows[1].endsWith(QStringLiteral("1013.0,,")));
    EXPECT_TRUE(rows[2].endsWith(QStringLiteral("1015.0,,") + fired)) << rows[2].toStdString();
    EXPECT_TRUE(rows[3].endsWith(QStringLiteral(",,")));
    const QStringList exported = QString::fromUtf8(BuildSamplesCsv(r.state(), r.w().runLog().moments(), true))
                                     .split(QStringLiteral("\r\n"));
    EXPECT_TRUE(exported[3].endsWith(QStringLiteral(",,") + fired));
    EXPECT_EQ(r.w().Text2->toPlainText(), QStringLiteral("気圧が上がりました"));   // the last one shows
}

TEST(Journal, AJournalThatCannotBeWrittenLeavesTheRunRecordingAndCatchesUpLater)
{
    RecordingWindow r(kTenthSecondMode);
    // Where the folder should be lies a file; unlike a read-only folder this stops the
    // superuser too.
    r.WriteFile(QStringLiteral("記録"), "not a folder");
    r.RecordTemperatures({20, 21, 22});
    // The journal's part of the caption (the folder has no tables, which the caption names too).
    EXPECT_EQ(QString::fromUtf8(kProgramTitle) + QStringLiteral("（") + r.w().statusBoard().text(StatusSource::Journal)
                  + QStringLiteral("）"),
              kCannotSave);
    EXPECT_TRUE(r.w().windowTitle().contains(r.w().statusBoard().text(StatusSource::Journal)));
    EXPECT_EQ(r.state().SampleCount, 3);
    EXPECT_TRUE(r.w().Timer2->isActive());
    EXPECT_FALSE(JournalOf(r).writable());

    // The samples are in memory and can be saved.
    const QString saved = r.folder.filePath(QStringLiteral("saved.csv"));
    r.questions->saveNames.push_back(saved);
    r.program->exportCommands().SaveDataAsCsv();
    EXPECT_TRUE(r.questions->shown.empty());
    EXPECT_EQ(ReadAll(saved).count("\r\n"), 4);

    // Once the folder can be made, the next sample brings every row along.
    ASSERT_TRUE(QFile::remove(r.folder.filePath(QStringLiteral("記録"))));
    r.RecordTemperatures({23});
    EXPECT_TRUE(r.w().statusBoard().text(StatusSource::Journal).isEmpty());
    const QStringList rows = Rows(JournalOf(r).path());
    ASSERT_EQ(rows.size(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(rows[i].startsWith(QStringLiteral("%1,").arg(i)) && rows[i].contains(QStringLiteral(",%1.00,").arg(20 + i)))
            << rows[i].toStdString();
}

TEST(Journal, FollowsARunLogAndTellsTheStatusBoardWithoutAnyWindow)
{
    QTemporaryDir folder;
    RunLog run;
    StatusBoard status;
    Journal journal(QDir(folder.path()), run, status);
    RecordedSample sample{0, 2000, 10132, {QDateTime(QDate(2026, 12, 7), QTime(6, 23)), true, true, {}}};
    run.record(sample);
    sample.slot = 1;
    sample.moment.answering = false;
    run.record(sample);
    const QString first = journal.path();
    EXPECT_EQ(Rows(first), QStringList({QStringLiteral("0,2026-12-07 06:23:00.0,20.00,1013.2,,"),
                                        QStringLiteral("1,2026-12-07 06:23:00.0,20.00,1013.2,未接続,")}));

    // A cleared run ends the file; where the folder should be lies a file, so the next run's
    // file cannot be made and the status board says so until it can.
    run.clear();
    const QString records = QDir(folder.path()).filePath(QStringLiteral("記録"));
    ASSERT_TRUE(QDir(records).removeRecursively());
    QFile blocker(records);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    run.record(sample);
    EXPECT_EQ(status.text(StatusSource::Journal), QString::fromUtf8(Journal::kNotWritableStatus));
    ASSERT_TRUE(QFile::remove(records));
    run.record(sample);
    EXPECT_TRUE(status.text(StatusSource::Journal).isEmpty());
    EXPECT_EQ(Rows(journal.path()).size(), 2);
}

TEST(Journal, LaterRowsNeverPushBackTheTenthSecondSyncDeadline)
{
    QTemporaryDir folder;
    RunLog run;
    StatusBoard status;
    Journal journal(QDir(folder.path()), run, status);
    RecordedSample sample{0, 2000, 10132, {QDateTime::currentDateTime(), true, true, {}}};
    run.record(sample);
    const int first = journal.syncTimer().remainingTime();
    ASSERT_GT(first, 0);
    // Rows keep coming ten times a second; the deadline set by the first unsynced row holds.
    QThread::msleep(30);
    sample.slot = 1;
    run.record(sample);
    EXPECT_LE(journal.syncTimer().remainingTime(), first - 20);
}

// A disk that fails the sync (here the journal's descriptor is swapped for a pipe, which cannot
// be synced) must show in the caption, not pass for a journal on disk.
TEST(Journal, AFailingSyncSaysTheJournalCannotBeSaved)
{
    QTemporaryDir folder;
    RunLog run;
    StatusBoard status;
    Journal journal(QDir(folder.path()), run, status);
    run.record({0, 2000, 10132, {QDateTime::currentDateTime(), true, true, {}}});
    ASSERT_TRUE(journal.writable());

    int journalFile = -1;
    const QDir descriptors(QStringLiteral("/proc/self/fd"));
    for (const QString& name : descriptors.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        if (QFileInfo(QFile::symLinkTarget(descriptors.filePath(name))).canonicalFilePath()
            == QFileInfo(journal.path()).canonicalFilePath())
            journalFile = name.toInt();
    }
    ASSERT_GE(journalFile, 0);
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    ASSERT_GE(::dup2(pipeEnds[1], journalFile), 0);
    journal.Sync();
    EXPECT_FALSE(journal.writable());
    EXPECT_EQ(status.text(StatusSource::Journal), QString::fromUtf8(Journal::kNotWritableStatus));
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
}
