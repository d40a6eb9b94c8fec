#pragma once

// The elapsed-time texts of a recording run, built from the number of samples recorded so far.

#include <QString>

// One sample a minute: "1日2時間3分", "0時間45分" (the days only once there is a whole day).
QString MinuteElapsedText(double sampleCount);

// One sample a minute, as the label reads after the settings are applied: three spaces, the
// sample count as decimal text, "分" ("    42分").
QString MinuteCountText(double sampleCount);

// One sample every 0.1 s: three spaces, the seconds as decimal text, "秒" ("    12.3秒").
QString SecondsElapsedText(double sampleCount);
