#include "base/DateTime.h"

#include <cmath>

namespace {

const QDate kDayZero(1899, 12, 30);
constexpr qint64 kSecondsPerDay = 86400;

// Whole units (seconds, or milliseconds) since day zero; rounding to the second keeps
// 9:20 + 10 hours at 19:20 exactly.
qint64 UnitsSinceDayZero(double value, qint64 unitsPerDay)
{
    if (!std::isfinite(value))
        return 0;
    // Far beyond any real calendar date the value is held to about ±10,000 years.
    constexpr double kLimit = 3650000.0;
    value = std::fmax(-kLimit, std::fmin(kLimit, value));
    return std::llround(value * static_cast<double>(unitsPerDay));
}

qint64 SecondsSinceDayZero(double value)
{
    return UnitsSinceDayZero(value, kSecondsPerDay);
}

// Whole days and what is left of the last one, by floor division.
qint64 WholeDays(qint64 units, qint64 unitsPerDay)
{
    return units >= 0 ? units / unitsPerDay : -((-units + unitsPerDay - 1) / unitsPerDay);
}

struct DayAndTime {
    QDate date;
    QTime time;
};

// The calendar day and the wall-clock time of a value, by arithmetic alone: adding hours to a
// value moves the clock by those hours whatever the local time zone does that day.
DayAndTime SplitValue(double value)
{
    const qint64 seconds = SecondsSinceDayZero(value);
    const qint64 days = WholeDays(seconds, kSecondsPerDay);
    const qint64 secondOfDay = seconds - days * kSecondsPerDay;
    return {kDayZero.addDays(days), QTime(0, 0).addSecs(static_cast<int>(secondOfDay))};
}

} // namespace

double DateTimeValue(const QDateTime& moment)
{
    const QDateTime local = moment.toLocalTime();
    const qint64 days = kDayZero.daysTo(local.date());
    const double dayFraction = local.time().msecsSinceStartOfDay() / (kSecondsPerDay * 1000.0);
    return static_cast<double>(days) + dayFraction;
}

QDateTime DateTimeFromValue(double value)
{
    const DayAndTime split = SplitValue(value);
    return QDateTime(split.date, split.time);
}

QDateTime MomentFromValue(double value)
{
    constexpr qint64 kMillisecondsPerDay = kSecondsPerDay * 1000;
    const qint64 milliseconds = UnitsSinceDayZero(value, kMillisecondsPerDay);
    const qint64 days = WholeDays(milliseconds, kMillisecondsPerDay);
    const int millisecondOfDay = static_cast<int>(milliseconds - days * kMillisecondsPerDay);
    return QDateTime(kDayZero.addDays(days), QTime::fromMSecsSinceStartOfDay(millisecondOfDay));
}

int DayOfMonth(double value)
{
    return SplitValue(value).date.day();
}

int HourOfDay(double value)
{
    return SplitValue(value).time.hour();
}
