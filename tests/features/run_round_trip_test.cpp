// A run recorded through the real writers (the journal as it is recorded, the export as it is
// saved) reads back exactly: every time, value, gap, alert and the interval, across a stop and a
// later start and past the 12000-slot cap, in both modes.

#include "base/ProgramState.h"
#include "features/ExportFiles.h"
#include "features/Journal.h"
#include "run/RunCsv.h"
#include "run/RunFile.h"
#include "run/RunLog.h"
#include "run/StatusBoard.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

// The sample as the reader should give it back: the time at the precision it is written with,
// alert line breaks as spaces.
void ExpectReadAs(const RunFileResult& read, size_t index, const RecordedSample& written)
{
    const RunFileSample& sample = read.samples[index];
    const qint64 unit = written.moment.tenths ? 100 : 1000;
    const qint64 ms = written.moment.time.toMSecsSinceEpoch();
    ASSERT_EQ(sample.time(), QDateTime::fromMSecsSinceEpoch(ms - ms % unit)) << "sample " << index;
    ASSERT_EQ(std::lround(sample.temperature().value_or(NAN) * 100), std::lround(written.temperature)) << "sample " << index;
    ASSERT_EQ(std::lround(sample.pressure().value_or(NAN) * 10), std::lround(written.pressure)) << "sample " << index;
    ASSERT_EQ(sample.gap(), !written.moment.answering) << "sample " << index;
    QStringList alerts = written.moment.alerts;
    alerts.replaceInStrings(QStringLiteral("\r\n"), QStringLiteral(" "));
    ASSERT_EQ(read.alertsOf(static_cast<qsizetype>(index)), alerts) << "sample " << index;
}

}   // namespace

TEST(RunRoundTrip, JournalAndExportReadBackWhatWasRecorded)
{
    const struct {
        const char* mode;
        bool tenths;
        qint64 stepMs;
        QDateTime start;
    } cases[] = {
        {"a sample a minute, across midnight", false, 60000, QDateTime(QDate(2026, 12, 7), QTime(23, 30, 0, 250))},
        {"ten samples a second", true, 100, QDateTime(QDate(2026, 12, 7), QTime(6, 23, 4, 620))},
    };
    constexpr int kSamples = kLastHistorySlot + 40;   // past the cap: the last slot is reused
    constexpr int kStopAfter = 5000;                  // then a start ten minutes later
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        QTemporaryDir folder;
        ProgramState state;
        RunLog log;
        StatusBoard status;
        auto journal = std::make_unique<Journal>(QDir(folder.path()), log, status);

        // As the window records: slot SampleCount, which stops at the cap; a stop steps it back.
        std::vector<RecordedSample> recorded;
        for (int i = 0; i < kSamples; ++i) {
            if (i == kStopAfter)
                state.SampleCount = state.SampleCount - 1;
            const int slot = static_cast<int>(state.SampleCount);
            const qint64 offset = i * c.stepMs + (i % 7) * 13 + (i >= kStopAfter ? 600000 : 0);
            RecordedSample sample{slot, float(i % 6000 - 1000), float(9000 + i % 1500), {c.start.addMSecs(offset), c.tenths, i % 50 != 7, {}}};
            if (i % 997 == 3)
                sample.moment.alerts = {QStringLiteral("25℃をこえました, \"注意\""), QStringLiteral("気圧が\r\n下がりました")};
            state.TemperatureHistory[slot] = sample.temperature;
            state.PressureHistory[slot] = sample.pressure;
            state.SampleCount = std::min(state.SampleCount + 1, double(kLastHistorySlot));
            log.record(sample);
            recorded.push_back(sample);
        }
        state.SampleCount = state.SampleCount - 1;   // stopped
        const QString journalPath = journal->path();
        journal.reset();
        const QString exportPath = QDir(folder.path()).filePath(QStringLiteral("export.csv"));
        ASSERT_TRUE(WriteWholeFile(exportPath, BuildSamplesCsv(state, log.moments(), false)).ok);

        const RunFileResult fromJournal = ReadRunFileAt(journalPath);
        ASSERT_TRUE(fromJournal.ok()) << fromJournal.error->text().toStdString();
        ASSERT_EQ(fromJournal.samples.size(), recorded.size());
        for (size_t i = 0; i < recorded.size(); ++i) {
            ASSERT_NO_FATAL_FAILURE(ExpectReadAs(fromJournal, i, recorded[i]));
            ASSERT_EQ(fromJournal.samples[i].slot, recorded[i].slot);
        }
        EXPECT_EQ(fromJournal.interval, c.tenths ? RunInterval::Tenth : RunInterval::Minute);

        // The export holds each slot's last sample, the reused cap slot left out.
        std::vector<RecordedSample> lastOfSlot(kLastHistorySlot);
        for (const RecordedSample& sample : recorded)
            if (sample.slot < kLastHistorySlot)
                lastOfSlot[static_cast<size_t>(sample.slot)] = sample;
        const RunFileResult fromExport = ReadRunFileAt(exportPath);
        ASSERT_TRUE(fromExport.ok()) << fromExport.error->text().toStdString();
        ASSERT_EQ(fromExport.samples.size(), lastOfSlot.size());
        for (size_t i = 0; i < lastOfSlot.size(); ++i)
            ASSERT_NO_FATAL_FAILURE(ExpectReadAs(fromExport, i, lastOfSlot[i]));
        EXPECT_EQ(fromExport.interval, c.tenths ? RunInterval::Tenth : RunInterval::Minute);
        EXPECT_EQ(fromJournal.start, fromExport.start);
    }
}
