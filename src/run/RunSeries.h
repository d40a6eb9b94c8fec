#pragma once

// A run as the review shows it: every timed sample on one time base, milliseconds since the
// run's first sample, with the clock time of day when the file tells it. The samples are kept
// once, as read (24 bytes a row); beside them only a coarse summary of every block of samples,
// so that a million-row run is reduced to a graph's columns without visiting every row.

#include "run/RecordedSample.h"
#include "run/RunFile.h"

#include <QDateTime>
#include <QStringList>

#include <array>
#include <optional>
#include <utility>
#include <vector>

struct ProgramState;

enum class RunChannel : quint8 { Temperature,
                                 Pressure };

class RunSeries {
public:
    RunSeries() = default;
    // Takes the samples of a file that was read; rows without a time are left out.
    explicit RunSeries(RunFileResult&& read);
    // The run the main window holds now: its first `count` history slots (hundredths of a
    // degree, tenths of a hPa) and their moments.
    static RunSeries FromHistories(const ProgramState& state, const std::vector<SampleMoment>& moments,
                                   int count);

    // A sample as the main window records it (values as stored in the histories).
    void append(const RecordedSample& sample);

    qsizetype size() const { return static_cast<qsizetype>(m_samples.size()); }
    bool empty() const { return m_samples.empty(); }
    const RunFileSample& sample(qsizetype i) const { return m_samples[static_cast<size_t>(i)]; }
    qint64 timeMs(qsizetype i) const { return sample(i).clock - m_origin; }
    qint64 durationMs() const { return empty() ? 0 : timeMs(size() - 1); }
    // The channel's measured value: none for a gap or an empty field.
    std::optional<float> value(qsizetype i, RunChannel channel) const;
    bool hasChannel(RunChannel channel) const;

    // Time of day of the first sample in milliseconds, when the file tells it.
    std::optional<qint64> startTimeOfDayMs() const { return m_startOfDay; }
    QDateTime start() const { return m_start; }
    RunInterval interval() const { return m_interval; }
    QStringList alertsOf(qsizetype i) const;
    const std::vector<std::pair<qsizetype, QStringList>>& alerts() const { return m_alerts; }

    // First sample at or after `ms` (size() when none); searching onward from `hint`, which
    // must be at or before it, is quicker when the answer is near.
    qsizetype indexAtOrAfter(qint64 ms) const;
    qsizetype indexAtOrAfter(qint64 ms, qsizetype hint) const;
    // The measured sample of the channel nearest to `ms`, at most `tolerance` away.
    std::optional<qsizetype> nearest(qint64 ms, qint64 tolerance, RunChannel channel) const;
    // Whether the curve runs unbroken from sample a to sample b (a < b): no gap and no pause
    // in recording between them.
    bool joined(qsizetype a, qsizetype b) const;

    // Lowest and highest measured value of the channel over samples [from, to); NaN when none.
    std::pair<float, float> range(qsizetype from, qsizetype to, RunChannel channel) const;

    static constexpr qsizetype kBlock = 16;

private:
    void finish();
    void summarize(qsizetype blockIndex);
    void noteBreak(qsizetype i);

    std::vector<RunFileSample> m_samples;
    std::vector<std::pair<qsizetype, QStringList>> m_alerts;
    // Lowest and highest of both channels over each block of kBlock samples (a sixteenth of the
    // samples' own size).
    std::vector<std::array<float, 4>> m_blocks;
    // The same over each group of kBlock blocks.
    std::vector<std::array<float, 4>> m_groups;
    // Samples the line does not reach from the one before them, rising.
    std::vector<qint32> m_breaks;
    qint64 m_origin = 0;
    std::optional<qint64> m_startOfDay;
    QDateTime m_start;
    RunInterval m_interval = RunInterval::Unknown;
    qint64 m_longestStep = 0;   // longer steps are pauses in recording
};
