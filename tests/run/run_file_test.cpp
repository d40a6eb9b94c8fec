// Reading a saved run back: the journal and the export as written, as a spreadsheet saves them
// again, and files that are no run at all.

#include "base/ProgramState.h"
#include "run/RunCsv.h"
#include "run/RunFile.h"
#include "support/TestPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>

namespace {

const QDateTime kMorning(QDate(2026, 12, 7), QTime(6, 23, 4));

// Five samples; the run was stopped after slot 2 and went on ten minutes later, so slots 1 and 2
// come again. The second sample is a gap; the third set off two alerts.
std::vector<RecordedSample> StoppedAndContinuedRun(bool tenths)
{
    const qint64 step = tenths ? 100 : 60000;
    const qint64 offsets[] = {0, step, 2 * step, 600000 + 3 * step, 600000 + 4 * step};
    const int slotOf[] = {0, 1, 2, 1, 2};
    const float temperatures[] = {2000, -325, 2345, 10000, 0};
    const float pressures[] = {10132, 10132, 9999, 10140, 10001};
    std::vector<RecordedSample> run;
    for (int i = 0; i < 5; ++i)
        run.push_back({slotOf[i], temperatures[i], pressures[i], {kMorning.addMSecs(offsets[i]), tenths, i != 1, {}}});
    run[2].moment.alerts = {QStringLiteral("25℃をこえました, 注意"), QStringLiteral("気圧が\r\n下がりました")};
    return run;
}

void ExpectReadAs(const RunFileResult& read, qsizetype index, const RecordedSample& written)
{
    SCOPED_TRACE(index);
    const RunFileSample& sample = read.samples[static_cast<size_t>(index)];
    EXPECT_EQ(sample.time(), written.moment.time);
    ASSERT_TRUE(sample.temperature() && sample.pressure());
    EXPECT_EQ(std::lround(*sample.temperature() * 100), std::lround(written.temperature));
    EXPECT_EQ(std::lround(*sample.pressure() * 10), std::lround(written.pressure));
    EXPECT_EQ(sample.gap(), !written.moment.answering);
    QStringList alerts = written.moment.alerts;   // line breaks are written as spaces
    alerts.replaceInStrings(QStringLiteral("\r\n"), QStringLiteral(" "));
    EXPECT_EQ(read.alertsOf(index), alerts);
}

// "time temperature pressure [未接続]", "-" for what the row does not have; a time of day on an
// unknown date as "day+N HH:mm:ss", an elapsed time alone as "+S s".
QString Described(const RunFileSample& sample)
{
    QString time = QStringLiteral("-");
    if (sample.has(RunFileSample::FullTime))
        time = sample.time().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.z"));
    else if (sample.has(RunFileSample::TimeOfDay))
        time = QStringLiteral("day+%1 %2").arg(sample.clock / 86400000).arg(QTime::fromMSecsSinceStartOfDay(sample.clock % 86400000).toString(QStringLiteral("HH:mm:ss")));
    else if (sample.has(RunFileSample::Elapsed))
        time = QStringLiteral("+%1 s").arg(sample.clock / 1000.0);
    const auto value = [](std::optional<float> v) { return v ? QString::number(*v) : QStringLiteral("-"); };
    return QStringList{time, value(sample.temperature()), value(sample.pressure()), sample.gap() ? QStringLiteral("未接続") : QString()}.join(' ').trimmed();
}

} // namespace

TEST(RunFile, AJournalReadsBackAsWrittenInBothModes)
{
    for (const bool tenths : {false, true}) {
        SCOPED_TRACE(tenths);
        const std::vector<RecordedSample> run = StoppedAndContinuedRun(tenths);
        QByteArray bytes = JournalHeader();
        for (const RecordedSample& sample : run)
            bytes += JournalRow(sample);
        const RunFileResult read = ReadRunFile(bytes);
        ASSERT_TRUE(read.ok()) << read.error->text().toStdString();
        ASSERT_EQ(read.samples.size(), run.size());
        for (qsizetype i = 0; i < 5; ++i) {
            EXPECT_EQ(read.samples[static_cast<size_t>(i)].slot, run[static_cast<size_t>(i)].slot);
            ExpectReadAs(read, i, run[static_cast<size_t>(i)]);
        }
        EXPECT_EQ(read.start, kMorning);
        EXPECT_EQ(read.interval, tenths ? RunInterval::Tenth : RunInterval::Minute);
    }
}

TEST(RunFile, AnExportReadsBackAsWrittenInBothModes)
{
    for (const bool tenths : {false, true}) {
        SCOPED_TRACE(tenths);
        ProgramState state;
        std::vector<SampleMoment> moments;
        const std::vector<RecordedSample> run = StoppedAndContinuedRun(tenths);
        for (int slot = 0; slot < 4; ++slot) {   // the export holds one row per slot
            const RecordedSample& sample = run[static_cast<size_t>(std::min(slot + 2, 4))];
            state.TemperatureHistory[slot] = sample.temperature;
            state.PressureHistory[slot] = sample.pressure;
            moments.push_back(sample.moment);
        }
        moments[3] = SampleMoment{};   // a slot whose moment is not known
        state.SampleCount = 4;
        const RunFileResult read = ReadRunFile(BuildSamplesCsv(state, moments, true));
        ASSERT_TRUE(read.ok()) << read.error->text().toStdString();
        ASSERT_EQ(read.samples.size(), 4u);
        for (int slot = 0; slot < 3; ++slot)
            ExpectReadAs(read, slot, run[static_cast<size_t>(slot + 2)]);
        EXPECT_EQ(read.samples[3].slot, 3);
        EXPECT_EQ(read.samples[3].flags, RunFileSample::HasTemperature | RunFileSample::HasPressure);
        EXPECT_EQ(read.start, run[2].moment.time);
        EXPECT_EQ(read.interval, tenths ? RunInterval::Tenth : RunInterval::Minute);
    }
}

TEST(RunFile, ReadsTheFormsSpreadsheetsSaveAgain)
{
    QFile excel(SourcePath("/tests/data/run-excel-shift-jis.csv"));
    ASSERT_TRUE(excel.open(QIODevice::ReadOnly));
    QStringEncoder shiftJis("Shift_JIS");
    const QByteArray bom("\xEF\xBB\xBF");
    const struct {
        const char* form;
        QByteArray bytes;
        QString fileName;
        QStringList samples;
        RunInterval interval;
    } cases[] = {
        {"Excel, Shift_JIS, times to the minute, rows deleted", excel.readAll(), {}, {"2026-12-07 06:23:00.0 20 1013.2", "2026-12-07 06:24:00.0 20.5 1013.2 未接続", "2026-12-07 06:26:00.0 25.25 1012", "2026-12-07 06:36:00.0 -3.5 1012"}, RunInterval::Minute},
        {"Excel, Shift_JIS, 0.1-s samples in the same minute",
         shiftJis.encode(QStringLiteral("番号,時刻,温度(℃),気圧(hPa),状態,警報\r\n0,2026/12/7 6:23,20,1013,,\r\n1,2026/12/7 6:23,21,1013,,\r\n2,2026/12/7 6:23,22,1013,,\r\n3,2026/12/7 6:24,23,1013,,\r\n")),
         {},
         {"2026-12-07 06:23:00.0 20 1013", "2026-12-07 06:23:00.0 21 1013", "2026-12-07 06:23:00.0 22 1013", "2026-12-07 06:24:00.0 23 1013"},
         RunInterval::Tenth},
        {"times of day alone, the date from the journal's name, past midnight",
         bom + "番号,時刻,温度(℃),気圧(hPa),状態,警報\r\n0,23:59:00,20,1013,,\r\n1,0:00:00,21,1013,,\r\n",
         QStringLiteral("/x/poruka-2026-12-31-235900.csv"),
         {"2026-12-31 23:59:00.0 20 1013", "2027-01-01 00:00:00.0 21 1013"},
         RunInterval::Minute},
        {"times of day alone, no date, lone CR line ends",
         "番号,時刻,温度(℃),気圧(hPa)\r0,23:59,20,1013\r1,0:00,,\r",
         {},
         {"day+0 23:59:00 20 1013", "day+1 00:00:00 - -"},
         RunInterval::Minute},
        {"LibreOffice, every field quoted, LF line ends",
         "\"番号\",\"経過時間(秒)\",\"時刻\",\"温度(℃)\",\"気圧(hPa)\",\"状態\",\"警報\"\n\"0\",\"0.0\",\"2026-12-07 06:23:04.7\",\"20.00\",\"1013.2\",\"\",\"\"\n",
         {},
         {"2026-12-07 06:23:04.7 20 1013.2"},
         RunInterval::Tenth},
        {"Excel, 0.1-s times as minutes:seconds, the hour from the journal's name, past the hour",
         shiftJis.encode(QStringLiteral("番号,時刻,温度(℃),気圧(hPa),状態,警報\r\n0,59:59.8,20,1013,,\r\n1,59:59.9,21,1013,,\r\n2,00:00.0,22,1013,,\r\n")),
         QStringLiteral("poruka-2026-12-07-065959.csv"),
         {"2026-12-07 06:59:59.8 20 1013", "2026-12-07 06:59:59.9 21 1013", "2026-12-07 07:00:00.0 22 1013"},
         RunInterval::Tenth},
        {"minutes:seconds, the journal begun just before the hour turned",
         "番号,時刻,温度(℃)\r\n0,0:00.1,20\r\n",
         QStringLiteral("poruka-2026-12-31-235959.csv"),
         {"2027-01-01 00:00:00.1 20 -"},
         RunInterval::Tenth},
        {"minutes:seconds with no name to tell the hour: time since the first row",
         "番号,時刻,温度(℃)\r\n0,59:59.9,20\r\n1,0:00.0,21\r\n",
         {},
         {"+0 s 20 -", "+0.1 s 21 -"},
         RunInterval::Tenth},
        {"an export with minutes:seconds: its elapsed seconds are the time",
         "番号,経過時間(秒),時刻,温度(℃)\r\n0,0,23:04.7,20\r\n1,3600.1,23:04.8,21\r\n",
         QStringLiteral("poruka-2026-12-07-0930.csv"),
         {"+0 s 20 -", "+3600.1 s 21 -"},
         RunInterval::Tenth},
        {"Excel's Unicode text: UTF-16 with its byte-order mark, tab separated",
         QByteArray("\xFF\xFE") + QStringEncoder(QStringEncoder::Utf16LE).encode(QStringLiteral("番号\t時刻\t温度(℃)\t気圧(hPa)\t状態\t警報\r\n0\t2026/12/7 6:23\t20\t1013\t未接続\t\"a, b\"\r\n")),
         {},
         {"2026-12-07 06:23:00.0 20 1013 未接続"},
         RunInterval::Unknown},
        {"the same, big-endian, below a blank line",
         QByteArray("\xFE\xFF") + QStringEncoder(QStringEncoder::Utf16BE).encode(QStringLiteral("\r\n時刻\t温度(℃)\r\n6:23\t20\r\n")),
         {},
         {"day+0 06:23:00 20 -"},
         RunInterval::Unknown},
        {"columns deleted and moved, elapsed seconds the only time",
         "気圧(hPa),経過時間(秒)\r\n1013,0\r\n1012.5,60\r\n",
         {},
         {"+0 s - 1013", "+60 s - 1012.5"},
         RunInterval::Minute},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.form);
        const RunFileResult read = ReadRunFile(c.bytes, c.fileName);
        ASSERT_TRUE(read.ok()) << read.error->text().toStdString();
        QStringList described;
        for (const RunFileSample& sample : read.samples)
            described << Described(sample);
        EXPECT_EQ(described, c.samples);
        EXPECT_EQ(read.interval, c.interval);
    }
    const RunFileResult excelRun = ReadRunFile(cases[0].bytes);
    EXPECT_EQ(excelRun.alertsOf(2), QStringList({QStringLiteral("25℃をこえました"), QStringLiteral("気圧が 下がりました, 注意")}));
    EXPECT_EQ(excelRun.samples[3].slot, 1);
}

TEST(RunFile, WhatIsNoRunOrABadLineGivesTheLineAndWhy)
{
    const QByteArray header = "番号,時刻,温度(℃),気圧(hPa),状態,警報\r\n";
    const struct {
        QByteArray bytes;
        const char* error;
        size_t samplesBefore;
    } cases[] = {
        {"", "1 行目を読めません: 何も書かれていません", 0},
        {"\xEF\xBB\xBF", "1 行目を読めません: 何も書かれていません", 0},
        {"hello, world\nthis is no run\n", "1 行目を読めません: 記録の見出しがありません", 0},
        {QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\xFF\xFE", 18), "1 行目を読めません: 記録の見出しがありません", 0},
        {"番号,時刻,状態\r\n", "1 行目を読めません: 温度と気圧の列がありません", 0},
        {header + "0,2026-12-07 09:30:00,20.00,1013.0,,\r\n1,,20.00,1013.0,,\r\n", "3 行目を読めません: 時刻がありません", 1},
        {header + "0,2026-12-07 09:30:00,20.00,1013.0,,\"a\r\nb\"\r\n1,2026-12-07 09:31:00,abc,1013.0,,\r\n", "4 行目を読めません: 温度を読めません", 1},
        {header + "0,2026-12-07 25:30:00,20.00,1013.0,,\r\n", "2 行目を読めません: 時刻を読めません", 0},
        {header + "0,2026-12-07 09:30:00,20.00,1e99,,\r\n", "2 行目を読めません: 気圧を読めません", 0},
        {header + "0,2026-12-07 09:30:00,20.00,1013.0,,\"open\r\n", "2 行目を読めません: 引用符が閉じていません", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        const RunFileResult read = ReadRunFile(c.bytes);
        ASSERT_FALSE(read.ok());
        EXPECT_EQ(read.error->text(), QString::fromUtf8(c.error));
        EXPECT_EQ(read.samples.size(), c.samplesBefore);
    }
}

TEST(RunFile, OpensOnlyRegularFilesOfSensibleSizeAndLeavesThemAsTheyWere)
{
    QTemporaryDir folder;
    const QDir dir(folder.path());
    EXPECT_EQ(ReadRunFileAt(dir.filePath(QStringLiteral("none.csv"))).error->text(), QStringLiteral("ファイルがありません"));
    EXPECT_EQ(ReadRunFileAt(folder.path()).error->text(), QStringLiteral("記録のファイルではありません"));

    QFile huge(dir.filePath(QStringLiteral("huge.csv")));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(kMostRunFileBytes + 1));   // sparse
    huge.close();
    EXPECT_EQ(ReadRunFileAt(huge.fileName()).error->text(), QStringLiteral("ファイルが大きすぎます (256 MB まで)"));

    const QString path = dir.filePath(QStringLiteral("poruka-2026-12-07-062300.csv"));
    QFile file(path);
    const QByteArray bytes = "番号,時刻,温度(℃)\n0,6:23:00,20\n";
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();
    QFile(path).setPermissions(QFile::ReadOwner);
    const QDateTime modified = QFileInfo(path).lastModified();
    const RunFileResult read = ReadRunFileAt(path);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.start, QDateTime(QDate(2026, 12, 7), QTime(6, 23)));   // the date from the name
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), bytes);
    EXPECT_EQ(QFileInfo(path).lastModified(), modified);
}

TEST(RunFile, BinaryEmptyAndGarbageFilesGiveTheirMessageAndStayAsTheyWere)
{
    QByteArray binary(50 << 20, Qt::Uninitialized);
    QRandomGenerator generator(20261207);
    generator.fillRange(reinterpret_cast<quint32*>(binary.data()), binary.size() / 4);
    const struct {
        const char* form;
        QByteArray bytes;
        const char* error;
    } cases[] = {
        {"50 MB of random bytes", binary, "1 行目を読めません: 記録の見出しがありません"},
        {"empty", {}, "1 行目を読めません: 何も書かれていません"},
        {"garbage text", QByteArray("lorem ipsum, dolor\n\"sit amet\n").repeated(1000), "1 行目を読めません: 記録の見出しがありません"},
    };
    QTemporaryDir folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.form);
        const QString path = QDir(folder.path()).filePath(QStringLiteral("%1.csv").arg(c.form));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(c.bytes) == c.bytes.size());
        file.close();
        const QDateTime modified = QFileInfo(path).lastModified();
        const RunFileResult read = ReadRunFileAt(path);
        ASSERT_FALSE(read.ok());
        EXPECT_EQ(read.error->text(), QString::fromUtf8(c.error));
        EXPECT_TRUE(read.samples.empty());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(file.readAll() == c.bytes);
        EXPECT_EQ(QFileInfo(path).lastModified(), modified);
    }
}
