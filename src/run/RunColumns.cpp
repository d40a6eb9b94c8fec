#include "run/RunColumns.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace {

// The first (or, going back, the last) measured sample in [from, to); -1 when none. Whole
// blocks without a measured value are skipped by their summary.
qsizetype FirstMeasured(const RunSeries& series, RunChannel channel, qsizetype from, qsizetype to)
{
    for (qsizetype i = from; i < to;) {
        if (i % RunSeries::kBlock == 0 && i + RunSeries::kBlock <= to
            && std::isnan(series.range(i, i + RunSeries::kBlock, channel).first)) {
            i += RunSeries::kBlock;
            continue;
        }
        if (series.value(i, channel))
            return i;
        ++i;
    }
    return -1;
}

qsizetype LastMeasured(const RunSeries& series, RunChannel channel, qsizetype from, qsizetype to)
{
    for (qsizetype i = to - 1; i >= from;) {
        if ((i + 1) % RunSeries::kBlock == 0 && i + 1 - RunSeries::kBlock >= from
            && std::isnan(series.range(i + 1 - RunSeries::kBlock, i + 1, channel).first)) {
            i -= RunSeries::kBlock;
            continue;
        }
        if (series.value(i, channel))
            return i;
        --i;
    }
    return -1;
}

}   // namespace

std::vector<ColumnSpan> ReduceToColumns(const RunSeries& series, RunChannel channel, const ColumnWindow& window)
{
    std::vector<ColumnSpan> columns(static_cast<size_t>(std::max(window.columns, 0)));
    if (series.empty() || !(window.msPerColumn > 0))
        return columns;
    // The first millisecond of a column, within what the run's clock can hold.
    const auto startOf = [&](int column) {
        return static_cast<qint64>(std::clamp(std::ceil(window.startMs + column * window.msPerColumn), -9e15, 9e15));
    };
    qsizetype from = series.indexAtOrAfter(startOf(0));
    qsizetype previousCount = 0;
    for (int c = 0; c < window.columns; ++c) {
        // Samples come at a steady pace, so the search starts where as many samples as the
        // column before held would end: a probe or two instead of a search over the column.
        const qint64 end = startOf(c + 1);
        qsizetype guess = from + std::max<qsizetype>(previousCount - 1, 0);
        if (guess >= series.size() || series.timeMs(guess) >= end)
            guess = from;
        const qsizetype to = series.indexAtOrAfter(end, guess);
        previousCount = to - from;
        if (to > from) {
            ColumnSpan& span = columns[size_t(c)];
            span.first = FirstMeasured(series, channel, from, to);
            if (span.first >= 0) {
                span.last = LastMeasured(series, channel, span.first, to);
                std::tie(span.low, span.high) = series.range(span.first, span.last + 1, channel);
            }
        }
        from = to;
    }
    return columns;
}
