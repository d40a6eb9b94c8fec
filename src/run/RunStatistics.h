#pragma once

// What a class reads off a stretch of a run: lowest, highest, mean, the change from its first
// to its last measured value, and the rate of change as the least-squares line through it.

#include "run/RunSeries.h"

#include <optional>

struct StretchStatistics {
    qsizetype count = 0;   // measured samples in the stretch
    double lowest = 0;
    double highest = 0;
    double mean = 0;
    double change = 0;          // last measured value minus the first
    double ratePerMinute = 0;   // slope of the least-squares line; 0 for a single sample
    double meanTimeMs = 0;      // the line passes through (meanTimeMs, mean)

    double fitAt(double ms) const { return mean + ratePerMinute * (ms - meanTimeMs) / 60000.0; }
};

// Over the measured samples of the channel whose time since the run's start is in
// [fromMs, toMs]; none when there are none.
std::optional<StretchStatistics> StatisticsOf(const RunSeries& series, RunChannel channel, qint64 fromMs, qint64 toMs);
