#include "run/RunSeries.h"

#include "base/ProgramState.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace {

constexpr quint8 kClockKinds = RunFileSample::FullTime | RunFileSample::TimeOfDay | RunFileSample::Elapsed;
constexpr qint64 kMsPerDay = 86400000;
constexpr float kNone = std::numeric_limits<float>::quiet_NaN();

// A step longer than this means recording was paused (stopped and started again, or the
// program closed): the curve is not drawn across it. Five usual steps, two seconds at least.
qint64 LongestStep(std::vector<qint64> steps)
{
    if (steps.empty())
        return std::numeric_limits<qint64>::max();
    std::nth_element(steps.begin(), steps.begin() + qsizetype(steps.size() / 2), steps.end());
    return std::max<qint64>(2000, 5 * steps[steps.size() / 2]);
}

float Lower(float a, float b) { return std::isnan(a) || b < a ? b : a; }
float Higher(float a, float b) { return std::isnan(a) || b > a ? b : a; }

RunFileSample SampleOf(const RecordedSample& recorded)
{
    RunFileSample sample;
    const QDateTime& time = recorded.moment.time;
    // Local wall-clock milliseconds, as the reader gives a written time.
    sample.clock = time.date().toJulianDay() * kMsPerDay - qint64(2440588) * kMsPerDay + time.time().msecsSinceStartOfDay();
    sample.flags = RunFileSample::FullTime;
    sample.slot = recorded.slot;
    if (std::isfinite(recorded.temperature)) {
        sample.temperatureValue = recorded.temperature / 100;
        sample.flags |= RunFileSample::HasTemperature;
    }
    if (std::isfinite(recorded.pressure)) {
        sample.pressureValue = recorded.pressure / 10;
        sample.flags |= RunFileSample::HasPressure;
    }
    if (!recorded.moment.answering)
        sample.flags |= RunFileSample::Gap;
    if (!recorded.moment.alerts.isEmpty())
        sample.flags |= RunFileSample::HasAlerts;
    return sample;
}

}   // namespace

RunSeries::RunSeries(RunFileResult&& read)
    : m_samples(std::move(read.samples))
    , m_start(read.start)
    , m_interval(read.interval)
{
    // Rows without a time cannot be placed; they are left out, in place, and the alerts follow
    // their samples to the new indices.
    std::vector<std::pair<qsizetype, QStringList>> alerts = std::move(read.alerts);
    auto alert = alerts.begin();
    size_t kept = 0;
    for (size_t i = 0; i < m_samples.size(); ++i) {
        const bool timed = (m_samples[i].flags & kClockKinds) != 0;
        for (; alert != alerts.end() && alert->first == static_cast<qsizetype>(i); ++alert)
            if (timed)
                m_alerts.emplace_back(static_cast<qsizetype>(kept), std::move(alert->second));
        if (timed)
            m_samples[kept++] = m_samples[i];
    }
    m_samples.resize(kept);
    m_samples.shrink_to_fit();

    // A clock set back during the run leaves the rows out of order; they are drawn by time.
    const auto earlier = [](const RunFileSample& a, const RunFileSample& b) { return a.clock < b.clock; };
    if (!std::is_sorted(m_samples.begin(), m_samples.end(), earlier)) {
        std::vector<qint32> order(m_samples.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(),
                         [this](qint32 a, qint32 b) { return m_samples[size_t(a)].clock < m_samples[size_t(b)].clock; });
        std::vector<qint32> placeOf(order.size());
        for (size_t i = 0; i < order.size(); ++i)
            placeOf[size_t(order[i])] = static_cast<qint32>(i);
        std::vector<RunFileSample> sorted;
        sorted.reserve(m_samples.size());
        for (qint32 from : order)
            sorted.push_back(m_samples[size_t(from)]);
        m_samples = std::move(sorted);
        for (auto& [index, messages] : m_alerts)
            index = placeOf[size_t(index)];
        std::sort(m_alerts.begin(), m_alerts.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    }
    finish();
}

RunSeries RunSeries::FromHistories(const ProgramState& state, const std::vector<SampleMoment>& moments, int count)
{
    RunSeries series;
    count = std::clamp(count, 0, std::min(kHistorySlots, static_cast<int>(moments.size())));
    for (int slot = 0; slot < count; ++slot) {
        const SampleMoment& moment = moments[size_t(slot)];
        if (moment.time.isValid())
            series.append({slot, state.TemperatureHistory[size_t(slot)], state.PressureHistory[size_t(slot)], moment});
    }
    return series;
}

void RunSeries::append(const RecordedSample& recorded)
{
    if (!recorded.moment.time.isValid())
        return;
    RunFileSample sample = SampleOf(recorded);
    if (m_samples.empty()) {
        m_origin = sample.clock;
        m_startOfDay = recorded.moment.time.time().msecsSinceStartOfDay();
        m_start = recorded.moment.time;
        m_interval = recorded.moment.tenths ? RunInterval::Tenth : RunInterval::Minute;
        m_longestStep = recorded.moment.tenths ? 2000 : 300000;
    }
    // A clock set back during the run: the sample stays at the end of the curve.
    if (!m_samples.empty())
        sample.clock = std::max(sample.clock, m_samples.back().clock);
    if (!recorded.moment.alerts.isEmpty())
        m_alerts.emplace_back(size(), recorded.moment.alerts);
    m_samples.push_back(sample);
    noteBreak(size() - 1);
    summarize((size() - 1) / kBlock);
}

void RunSeries::finish()
{
    if (m_samples.empty())
        return;
    const RunFileSample& first = m_samples.front();
    m_origin = first.clock;
    if (first.has(RunFileSample::FullTime) || first.has(RunFileSample::TimeOfDay))
        m_startOfDay = ((first.clock % kMsPerDay) + kMsPerDay) % kMsPerDay;
    // The usual step, from up to a thousand steps spread over the run.
    std::vector<qint64> steps;
    const qsizetype stride = std::max<qsizetype>(1, size() / 1000);
    for (qsizetype i = 1; i < size(); i += stride)
        steps.push_back(sample(i).clock - sample(i - 1).clock);
    m_longestStep = LongestStep(std::move(steps));
    for (qsizetype i = 0; i < size(); ++i)
        noteBreak(i);
    for (qsizetype block = 0; block * kBlock < size(); ++block)
        summarize(block);
}

void RunSeries::noteBreak(qsizetype i)
{
    if (i == 0)
        return;
    const RunFileSample& previous = sample(i - 1);
    const RunFileSample& current = sample(i);
    if (previous.gap() || current.gap() || current.clock - previous.clock > m_longestStep)
        m_breaks.push_back(static_cast<qint32>(i));
}

void RunSeries::summarize(qsizetype blockIndex)
{
    if (static_cast<qsizetype>(m_blocks.size()) <= blockIndex)
        m_blocks.resize(size_t(blockIndex) + 1, {kNone, kNone, kNone, kNone});
    std::array<float, 4>& block = m_blocks[size_t(blockIndex)];
    block = {kNone, kNone, kNone, kNone};
    const qsizetype end = std::min(size(), (blockIndex + 1) * kBlock);
    for (qsizetype i = blockIndex * kBlock; i < end; ++i) {
        for (int c = 0; c < 2; ++c) {
            if (const auto v = value(i, RunChannel(c))) {
                block[size_t(2 * c)] = Lower(block[size_t(2 * c)], *v);
                block[size_t(2 * c + 1)] = Higher(block[size_t(2 * c + 1)], *v);
            }
        }
    }
    // The group of blocks it belongs to, summarized again from its blocks.
    const qsizetype groupIndex = blockIndex / kBlock;
    if (static_cast<qsizetype>(m_groups.size()) <= groupIndex)
        m_groups.resize(size_t(groupIndex) + 1);
    std::array<float, 4>& group = m_groups[size_t(groupIndex)];
    group = {kNone, kNone, kNone, kNone};
    const qsizetype endBlock = std::min(static_cast<qsizetype>(m_blocks.size()), (groupIndex + 1) * kBlock);
    for (qsizetype b = groupIndex * kBlock; b < endBlock; ++b) {
        for (size_t c = 0; c < 4; c += 2) {
            group[c] = Lower(group[c], m_blocks[size_t(b)][c]);
            group[c + 1] = Higher(group[c + 1], m_blocks[size_t(b)][c + 1]);
        }
    }
}

std::optional<float> RunSeries::value(qsizetype i, RunChannel channel) const
{
    const RunFileSample& s = sample(i);
    if (s.gap())
        return std::nullopt;
    return channel == RunChannel::Temperature ? s.temperature() : s.pressure();
}

bool RunSeries::hasChannel(RunChannel channel) const
{
    const size_t low = channel == RunChannel::Temperature ? 0 : 2;
    return std::any_of(m_blocks.begin(), m_blocks.end(), [low](const auto& block) { return !std::isnan(block[low]); });
}

QStringList RunSeries::alertsOf(qsizetype i) const
{
    const auto found = std::lower_bound(m_alerts.begin(), m_alerts.end(), i,
                                        [](const auto& entry, qsizetype index) { return entry.first < index; });
    return found != m_alerts.end() && found->first == i ? found->second : QStringList();
}

qsizetype RunSeries::indexAtOrAfter(qint64 ms) const
{
    const qint64 clock = m_origin + ms;
    return std::lower_bound(m_samples.begin(), m_samples.end(), clock,
                            [](const RunFileSample& s, qint64 c) { return s.clock < c; })
        - m_samples.begin();
}

qsizetype RunSeries::indexAtOrAfter(qint64 ms, qsizetype hint) const
{
    const qint64 clock = m_origin + ms;
    // Steps of growing length from the hint, then halving within the last one.
    qsizetype low = std::clamp<qsizetype>(hint, 0, size());
    qsizetype step = 1;
    while (low + step < size() && m_samples[size_t(low + step)].clock < clock) {
        low += step;
        step *= 2;
    }
    const auto from = m_samples.begin() + low;
    const auto to = m_samples.begin() + std::min(size(), low + step + 1);
    return std::lower_bound(from, to, clock, [](const RunFileSample& s, qint64 c) { return s.clock < c; })
        - m_samples.begin();
}

std::optional<qsizetype> RunSeries::nearest(qint64 ms, qint64 tolerance, RunChannel channel) const
{
    const qsizetype after = indexAtOrAfter(ms);
    std::optional<qsizetype> best;
    qint64 bestDistance = tolerance + 1;
    const auto consider = [&](qsizetype i) {
        if (i < 0 || i >= size() || !value(i, channel))
            return;
        const qint64 distance = std::abs(timeMs(i) - ms);
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    };
    consider(after - 1);
    consider(after);
    return best;
}

bool RunSeries::joined(qsizetype a, qsizetype b) const
{
    const auto firstAfter = std::upper_bound(m_breaks.begin(), m_breaks.end(), a);
    return firstAfter == m_breaks.end() || *firstAfter > b;
}

std::pair<float, float> RunSeries::range(qsizetype from, qsizetype to, RunChannel channel) const
{
    float low = kNone;
    float high = kNone;
    const bool temperature = channel == RunChannel::Temperature;
    const quint8 has = temperature ? RunFileSample::HasTemperature : RunFileSample::HasPressure;
    const auto take = [&](qsizetype i) {
        const RunFileSample& s = m_samples[size_t(i)];
        if ((s.flags & (has | RunFileSample::Gap)) == has) {
            const float v = temperature ? s.temperatureValue : s.pressureValue;
            low = Lower(low, v);
            high = Higher(high, v);
        }
    };
    from = std::max<qsizetype>(from, 0);
    to = std::min(to, size());
    // The samples before the first whole block and after the last one one by one, the whole
    // blocks by their summary.
    const qsizetype firstWhole = (from + kBlock - 1) / kBlock;
    const qsizetype endWhole = to / kBlock;
    if (firstWhole >= endWhole) {
        for (qsizetype i = from; i < to; ++i)
            take(i);
        return {low, high};
    }
    for (qsizetype i = from; i < firstWhole * kBlock; ++i)
        take(i);
    const size_t c = channel == RunChannel::Temperature ? 0 : 2;
    const auto takeSummary = [&](const std::array<float, 4>& summary) {
        if (!std::isnan(summary[c])) {
            low = Lower(low, summary[c]);
            high = Higher(high, summary[c + 1]);
        }
    };
    // The blocks before the first whole group and after the last one one by one, the whole
    // groups by theirs.
    const qsizetype firstGroup = (firstWhole + kBlock - 1) / kBlock;
    const qsizetype endGroup = endWhole / kBlock;
    const qsizetype blocksBefore = firstGroup < endGroup ? firstGroup * kBlock : endWhole;
    for (qsizetype block = firstWhole; block < blocksBefore; ++block)
        takeSummary(m_blocks[size_t(block)]);
    if (firstGroup < endGroup) {
        for (qsizetype group = firstGroup; group < endGroup; ++group)
            takeSummary(m_groups[size_t(group)]);
        for (qsizetype block = endGroup * kBlock; block < endWhole; ++block)
            takeSummary(m_blocks[size_t(block)]);
    }
    for (qsizetype i = endWhole * kBlock; i < to; ++i)
        take(i);
    return {low, high};
}
