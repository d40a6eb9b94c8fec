#pragma once

#include "base/DateTime.h"

// Now as a date-time value; tests set it.
class Clock {
public:
    virtual ~Clock() = default;
    virtual double Now() const = 0;
};

class SystemClock final : public Clock {
public:
    double Now() const override { return DateTimeValue(QDateTime::currentDateTime()); }
};
