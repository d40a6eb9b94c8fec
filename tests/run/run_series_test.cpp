// A run as the review shows it: statistics of a stretch against values worked out by hand, the
// reduction to pixel columns, and a journal read back onto the run's own time base.

#include "run/ComparisonCsv.h"
#include "run/RunColumns.h"
#include "run/RunCsv.h"
#include "run/RunStatistics.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const QDateTime kMorning(QDate(2026, 12, 7), QTime(9, 30));

// Values as the histories store them: hundredths of a degree, tenths of a hPa.
RecordedSample Sample(int i, qint64 ms, float temperature, float pressure, bool answering = true)
{
    return {i, temperature, pressure, {kMorning.addMSecs(ms), ms % 60000 != 0, answering, {}}};
}

}   // namespace

// Minutes 0..3 at 20, 22, 21, 25 ℃ and 1000.0 .. 1001.5 hPa, then a gap reading 99 ℃.
// By hand: mean 22, change +5, slope sum(dt*dv)/sum(dt^2) = 7/5 = 1.4 ℃/min; 0.5 hPa/min.
TEST(StatisticsOf, MatchesValuesWorkedOutByHand)
{
    RunSeries run;
    const float temperatures[] = {2000, 2200, 2100, 2500};
    for (int i = 0; i < 4; ++i)
        run.append(Sample(i, i * 60000, temperatures[i], 10000 + 5.0f * i));
    run.append(Sample(4, 4 * 60000, 9900, 9000, false));

    const auto t = StatisticsOf(run, RunChannel::Temperature, 0, 4 * 60000);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->count, 4);
    EXPECT_DOUBLE_EQ(t->lowest, 20);
    EXPECT_DOUBLE_EQ(t->highest, 25);
    EXPECT_DOUBLE_EQ(t->mean, 22);
    EXPECT_DOUBLE_EQ(t->change, 5);
    EXPECT_NEAR(t->ratePerMinute, 1.4, 1e-9);
    EXPECT_NEAR(t->fitAt(0), 22 - 1.4 * 1.5, 1e-9);

    const auto p = StatisticsOf(run, RunChannel::Pressure, 3 * 60000, 60000);   // either order
    ASSERT_TRUE(p);
    EXPECT_EQ(p->count, 3);
    EXPECT_NEAR(p->mean, 1001.0, 1e-4);
    EXPECT_NEAR(p->change, 1.0, 1e-4);
    EXPECT_NEAR(p->ratePerMinute, 0.5, 1e-4);
    EXPECT_FALSE(StatisticsOf(run, RunChannel::Temperature, 4 * 60000, 5 * 60000));   // the gap alone
}

// 1000 samples a tenth apart at 20 ℃, one of 80 ℃ at sample 500, the box away for samples
// 700..709: ten columns of 10 s keep the peak, and the curve is not joined across the gap.
TEST(ReduceToColumns, KeepsEveryPeakAndBreaksAtGaps)
{
    RunSeries run;
    for (int i = 0; i < 1000; ++i)
        run.append(Sample(i, i * 100 + 1, i == 500 ? 8000 : 2000, 10130, i < 700 || i >= 710));
    const auto columns = ReduceToColumns(run, RunChannel::Temperature, {0, 10000, 10});
    ASSERT_EQ(columns.size(), 10u);
    EXPECT_FLOAT_EQ(columns[5].high, 80);
    EXPECT_FLOAT_EQ(columns[5].low, 20);
    EXPECT_FLOAT_EQ(columns[4].high, 20);
    EXPECT_EQ(columns[7].first, 710);
    EXPECT_TRUE(run.joined(columns[5].last, columns[6].first));
    EXPECT_FALSE(run.joined(columns[6].last, columns[7].first));
    EXPECT_FALSE(run.nearest(70500, 150, RunChannel::Temperature));   // hovering over the gap
    EXPECT_EQ(ReduceToColumns(run, RunChannel::Temperature, {-5000, 1000, 3})[0].first, -1);
}

// The summaries of blocks and of groups of blocks give what a look at every sample gives, for
// stretches that begin and end anywhere, across gaps.
TEST(RunSeries, RangeAgreesWithEverySampleLookedAt)
{
    RunSeries run;
    for (int i = 0; i < 3000; ++i)
        run.append(Sample(i, i * 100 + 1, 2000 + (i * 7919) % 3001, 10000 + (i * 31) % 257, i % 97 > 3));
    for (const auto& [from, to] : {std::pair{0, 3000}, {5, 250}, {17, 300}, {255, 257}, {256, 512}, {300, 2900}, {1000, 1001}, {2990, 3100}}) {
        for (const RunChannel channel : {RunChannel::Temperature, RunChannel::Pressure}) {
            float low = INFINITY;
            float high = -INFINITY;
            for (int i = from; i < std::min(to, 3000); ++i) {
                if (const auto v = run.value(i, channel)) {
                    low = std::min(low, *v);
                    high = std::max(high, *v);
                }
            }
            const auto [rangeLow, rangeHigh] = run.range(from, to, channel);
            EXPECT_EQ(rangeLow, low) << from << ".." << to;
            EXPECT_EQ(rangeHigh, high) << from << ".." << to;
        }
    }
}

// A journal stopped and started again is drawn on its own time base, not joined across the
// pause; its clock time and alerts come with it; the comparison CSV writes it back.
TEST(RunSeries, JournalOnItsOwnTimeBase)
{
    QByteArray journal = JournalHeader();
    const qint64 at[] = {0, 60000, 120000, 1200000};
    for (int i = 0; i < 4; ++i) {
        RecordedSample s{i % 3, 2000.0f + i, 10130, {kMorning.addMSecs(at[i]), false, true, {}}};
        if (i == 2)
            s.moment.alerts = {QStringLiteral("あつい")};
        journal += JournalRow(s);
    }
    RunSeries run(ReadRunFile(journal, JournalFileName(kMorning)));
    ASSERT_EQ(run.size(), 4);
    EXPECT_EQ(run.timeMs(3), 1200000);
    EXPECT_EQ(run.startTimeOfDayMs(), 9 * 3600000 + 30 * 60000);
    EXPECT_EQ(run.alertsOf(2), QStringList{QStringLiteral("あつい")});
    EXPECT_TRUE(run.joined(0, 2));
    EXPECT_FALSE(run.joined(2, 3));

    const QByteArray csv = ComparisonCsv({{QStringLiteral("1班"), &run}}, false);
    EXPECT_TRUE(csv.startsWith(QByteArray(kCsvByteOrderMark) + "1班 経過時間(秒),1班 温度(℃),1班 気圧(hPa)\r\n"));
    EXPECT_TRUE(csv.endsWith("\r\n1200,20.03,1013.0\r\n")) << csv.toStdString();
    EXPECT_TRUE(ComparisonCsv({{QStringLiteral("a"), &run}}, true).contains("\r\n2026-12-07 09:31:00,20.01,"));
}

// A spreadsheet may leave rows without a time (never placed) and a clock set back leaves rows
// out of order: they are drawn by time, their alerts with them.
TEST(RunSeries, RowsWithoutTimeLeftOutAndRowsPutInOrder)
{
    const QByteArray file = "経過時間(秒),温度(℃),警報\r\n"
                            "120,22.0,\r\n"
                            ",99.0,\r\n"
                            "0,20.0,はじめ\r\n"
                            "60,21.0,\r\n";
    RunSeries run(ReadRunFile(file));
    ASSERT_EQ(run.size(), 3);
    EXPECT_EQ(run.timeMs(2), 120000);
    EXPECT_FLOAT_EQ(*run.value(0, RunChannel::Temperature), 20);
    EXPECT_EQ(run.alertsOf(0), QStringList{QStringLiteral("はじめ")});
    EXPECT_FALSE(run.startTimeOfDayMs());   // elapsed seconds tell no clock time
}
