#pragma once

// The marks along the graph's axes: round steps for values (1, 2 or 5 times a power of ten)
// and for times (seconds, minutes, hours as a clock face divides them), and their texts.

#include <QString>

#include <vector>

// Values from `low` to `high` in round steps, at most about `most` of them.
std::vector<double> ValueTicks(double low, double high, int most);
// Digits after the point the ticks of this step need: 0 for 5, 1 for 0.5.
int TickDecimals(double step);

// Milliseconds from `fromMs` to `toMs` at a round time step, at most about `most` of them.
std::vector<double> TimeTicks(double fromMs, double toMs, int most);
// "0:05", "1:30:00" since the start; with `clockTime` the time of day "9:30" (wrapping at
// midnight); seconds and tenths shown when the step needs them.
QString TimeText(double ms, double stepMs, bool clockTime);
