// The journal against poruka-box: a run whose program is killed keeps every sample on disk,
// and a box pulled out and plugged back in shows in the journal and the export as exactly
// the samples taken while the caption said so.

#include "features/ConnectionStatus.h"
#include "features/Journal.h"
#include "run/RunCsv.h"
#include "support/AcceptanceRun.h"

#include <QProcess>

#include <algorithm>
#include <csignal>

namespace {

const QByteArray kJournalHeader = "\xEF\xBB\xBF"
                                  "番号,時刻,温度(℃),気圧(hPa),状態,警報\r\n";

// The fields of each complete row of a journal; a row without its line end would be a torn
// write and fails the header check by leaving the text without "\r\n" at its end.
std::vector<QStringList> JournalRows(const QString& path, bool* whole = nullptr)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    if (whole)
        *whole = bytes.startsWith(kJournalHeader) && bytes.endsWith("\r\n");
    std::vector<QStringList> rows;
    const QString text = QString::fromUtf8(bytes.mid(kJournalHeader.size()));
    for (const QString& line : text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts))
        rows.push_back(line.split(QLatin1Char(',')));
    return rows;
}

QString OnlyJournal(const QString& folder)
{
    const QDir journals(folder + QStringLiteral("/記録"));
    const QStringList files = journals.entryList({QStringLiteral("poruka-*.csv")}, QDir::Files);
    return files.size() == 1 ? journals.filePath(files.first()) : QString();
}

}   // namespace

// The program records from the moment its window is shown (the recording harness builds the
// program's window and presses Start), a temperature alert fires, and a few seconds in the
// process is killed.
TEST_F(AcceptanceRun, JournalOfAKilledProgramHoldsEverySampleAtItsRealTimeWithTheAlert)
{
    WriteCustomization("Zikan=0\r\n"
                       "U30T1C255\r\n"
                       "30℃をこえました\r\n");
    // Water warming from 20 °C by about 1.9 °C a second: 30 °C some six seconds after the box
    // starts, well after the program has begun to record.
    ASSERT_TRUE(StartBox({"--scenario", "heating", "--speed", "15"}));
    QProcess program;
    program.setWorkingDirectory(folder.path());
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(RecordHarnessPath(),
                  {QStringLiteral("--record"), QStringLiteral("--port"), box.link(), QStringLiteral("--seconds"), QStringLiteral("600")});
    ASSERT_TRUE(program.waitForStarted(10000));

    std::vector<QStringList> seen;
    const auto alerted = [](const std::vector<QStringList>& rows) {
        return std::count_if(rows.begin(), rows.end(), [](const QStringList& row) {
            return row.size() == 6 && row[5] == QStringLiteral("30℃をこえました");
        });
    };
    ASSERT_TRUE(QTest::qWaitFor([&] {
        seen = JournalRows(OnlyJournal(folder.path()));
        return seen.size() >= 30 && alerted(seen) > 0;
    },
                                60000))
        << seen.size() << " rows";
    ::kill(static_cast<pid_t>(program.processId()), SIGKILL);
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_EQ(program.exitStatus(), QProcess::CrashExit);

    bool whole = false;
    const std::vector<QStringList> rows = JournalRows(OnlyJournal(folder.path()), &whole);
    EXPECT_TRUE(whole) << "the journal ends in the middle of a row";
    ASSERT_GE(rows.size(), seen.size());
    EXPECT_TRUE(std::equal(seen.begin(), seen.end(), rows.begin())) << "rows were rewritten";

    // One row per sample, slot after slot, each at its own time, a tenth of a second apart as
    // the recording timer took them.
    const Table liquid = ReadTable(SampleDataFolder() + "/EKION.CSV");
    const Table pressure1 = ReadTable(SampleDataFolder() + "/VORUM1.CSV");
    QList<int> temperatures;
    QList<int> pressures;
    std::vector<qint64> gaps;
    QDateTime previous;
    for (size_t i = 0; i < rows.size(); ++i) {
        const QStringList& row = rows[i];
        ASSERT_EQ(row.size(), 6) << i;
        EXPECT_EQ(row[0].toInt(), static_cast<int>(i));
        const QDateTime time = QDateTime::fromString(row[1], QStringLiteral("yyyy-MM-dd HH:mm:ss.z"));
        ASSERT_TRUE(time.isValid() && row[1].size() == 21) << row[1].toStdString();
        if (previous.isValid())
            gaps.push_back(previous.msecsTo(time));
        previous = time;
        EXPECT_EQ(row[4], QString()) << "the box answered throughout";
        // Before the first reading the fields hold no number, which records 0.
        if (row[2] != QStringLiteral("0.00") || !temperatures.isEmpty())
            temperatures << static_cast<int>(row[2].toDouble());
        if (row[3] != QStringLiteral("0.0") || !pressures.isEmpty())
            pressures << static_cast<int>(row[3].toDouble());
    }
    std::sort(gaps.begin(), gaps.end());
    EXPECT_GE(gaps.front(), 0) << "times go back";
    // Real times, a tenth of a second apart or more: a loaded machine (the sanitizer build) can
    // only delay the recording timer, so there is no upper bound to hold it to.
    const qint64 median = gaps[gaps.size() / 2];
    EXPECT_GE(median, 100) << "median step between samples: " << median << " ms";

    // The values are the box's, through the tables, in the order it sent them.
    const QList<int> boxTemperatures = BoxValues("F2", liquid);
    const QList<int> boxPressures = BoxValues("F3", pressure1);
    ASSERT_FALSE(temperatures.isEmpty());
    EXPECT_TRUE(IsInOrderWithin(Distinct(temperatures), Distinct(boxTemperatures)));
    EXPECT_TRUE(IsInOrderWithin(Distinct(pressures), Distinct(boxPressures)));

    // The alert's row is the one that reached 30 °C, after one below it.
    ASSERT_EQ(alerted(rows), 1);
    const auto alert = std::find_if(rows.begin(), rows.end(), [](const QStringList& row) {
        return row[5] == QStringLiteral("30℃をこえました");
    });
    ASSERT_NE(alert, rows.begin());
    EXPECT_GE((*alert)[2].toDouble(), 30);
    EXPECT_LT((*(alert - 1))[2].toDouble(), 30);
}

TEST_F(AcceptanceRun, BoxPulledOutAndPluggedBackInMarksTheSamplesInBetweenAndOnlyThose)
{
    WriteCustomization("Zikan=0\r\n");
    ASSERT_TRUE(StartBox({"--scenario", "steady"}));
    OpenWindow();
    ASSERT_TRUE(WaitForReadings());
    const QString steady = window->Text1->text();
    // What the caption said as each sample was recorded.
    QList<bool> saidNotConnected;
    QObject::connect(&window->runLog(), &RunLog::sampleRecorded, window, [&](const RecordedSample&) {
        saidNotConnected << window->windowTitle().contains(QString::fromUtf8(kNotConnectedStatus));
    });
    window->Start->click();
    ASSERT_TRUE(WaitForSamples(10));
    const int beforePull = saidNotConnected.size();

    ASSERT_TRUE(box.Stop());
    ASSERT_TRUE(QTest::qWaitFor([&] { return saidNotConnected.size() >= beforePull + 10 && saidNotConnected.last(); }, 10000));
    const int beforeReturn = saidNotConnected.size();
    // Back with a beaker of hot water: once the new reading shows, the box is answering.
    ASSERT_TRUE(StartBox({"--scenario", "cooling"}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->Text1->text() != steady; }, 10000));
    const int afterReturn = saidNotConnected.size();
    ASSERT_TRUE(QTest::qWaitFor([&] { return saidNotConnected.size() >= afterReturn + 10; }, 10000));
    window->Start->click();

    // The journal marks exactly the samples the caption marked: one unbroken stretch, none
    // before the box was pulled out, none once its new readings arrived.
    const std::vector<QStringList> rows = JournalRows(OnlyJournal(folder.path()));
    ASSERT_EQ(rows.size(), static_cast<size_t>(saidNotConnected.size()));
    QList<int> marked;
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i][4] == QStringLiteral("未接続"), saidNotConnected[static_cast<qsizetype>(i)]) << i;
        if (rows[i][4] == QStringLiteral("未接続"))
            marked << static_cast<int>(i);
    }
    ASSERT_GE(marked.size(), 10);
    EXPECT_EQ(marked.last() - marked.first() + 1, marked.size());
    EXPECT_GE(marked.first(), beforePull);
    EXPECT_LE(marked.last(), afterReturn);
    EXPECT_GE(marked.last(), beforeReturn - 1);

    // The export says the same of every slot it holds (no slot was recorded twice).
    const QStringList lines = QString::fromUtf8(BuildSamplesCsv(window->state(), window->runLog().moments(), false))
                                  .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), static_cast<qsizetype>(rows.size()) + 1);
    for (size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(lines[static_cast<qsizetype>(i) + 1].split(QLatin1Char(','))[5], rows[i][4]) << i;
}
