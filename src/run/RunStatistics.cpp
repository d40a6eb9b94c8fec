#include "run/RunStatistics.h"

#include <algorithm>

std::optional<StretchStatistics> StatisticsOf(const RunSeries& series, RunChannel channel, qint64 fromMs, qint64 toMs)
{
    if (toMs < fromMs)
        std::swap(fromMs, toMs);
    const qsizetype from = series.indexAtOrAfter(fromMs);
    const qsizetype to = series.indexAtOrAfter(toMs + 1);
    // Two passes: the means first, then the sums about them, which keep their precision over a
    // day of milliseconds.
    StretchStatistics s;
    double sumTime = 0;
    double sumValue = 0;
    std::optional<double> first;
    double last = 0;
    for (qsizetype i = from; i < to; ++i) {
        if (const auto v = series.value(i, channel)) {
            if (!first) {
                first = *v;
                s.lowest = s.highest = *v;
            }
            last = *v;
            s.lowest = std::min<double>(s.lowest, *v);
            s.highest = std::max<double>(s.highest, *v);
            sumTime += static_cast<double>(series.timeMs(i));
            sumValue += *v;
            ++s.count;
        }
    }
    if (s.count == 0)
        return std::nullopt;
    s.mean = sumValue / static_cast<double>(s.count);
    s.meanTimeMs = sumTime / static_cast<double>(s.count);
    s.change = last - *first;
    double timeSquares = 0;
    double products = 0;
    for (qsizetype i = from; i < to; ++i) {
        if (const auto v = series.value(i, channel)) {
            const double dt = static_cast<double>(series.timeMs(i)) - s.meanTimeMs;
            timeSquares += dt * dt;
            products += dt * (*v - s.mean);
        }
    }
    if (timeSquares > 0)
        s.ratePerMinute = products / timeSquares * 60000.0;
    return s;
}
