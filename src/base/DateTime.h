#pragma once

// The date-time value: days since 1899-12-30 in local time, the fraction being the time of day.
// The minute-mode time axis adds whole hours to such a value and reads back day and hour.

#include <QDateTime>

double DateTimeValue(const QDateTime& moment);
QDateTime DateTimeFromValue(double value);
// The same moment to the millisecond, for times that show tenths of a second.
QDateTime MomentFromValue(double value);

int DayOfMonth(double value);   // 1..31
int HourOfDay(double value);    // 0..23

inline constexpr double kOneHour = 1.0 / 24.0;
