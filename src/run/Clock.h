#pragma once

#include "base/DateTime.h"

// Now as a date-time value, and as a local moment to the millisecond; tests set it.
class Clock {
public:
    virtual ~Clock() = default;
    virtual double Now() const = 0;
    // The moment a sample is taken: the 0.1-s mode writes its times with tenths of a second.
    virtual QDateTime Moment() const { return MomentFromValue(Now()); }
};

class SystemClock final : public Clock {
public:
    double Now() const override { return DateTimeValue(QDateTime::currentDateTime()); }
    QDateTime Moment() const override;

private:
    // The local time's distance from UTC, asked of the time zone once a minute: asking costs
    // more than the rest of a recording tick, and zones change (summer time) on whole minutes.
    mutable qint64 m_offsetMinute = -1;
    mutable int m_offsetSeconds = 0;
};
