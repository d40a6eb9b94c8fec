#pragma once

// Turning the two typed limits of one instrument into a usable fixed scale: each entry is held
// to its bounds, crossed entries are put in order and a too narrow span is widened upwards.

#include <QStringView>

struct LimitBounds {
    double upperFieldLow;    // the upper field's entry becomes the provisional minimum
    double upperFieldHigh;
    double lowerFieldLow;    // the lower field's entry becomes the provisional maximum
    double lowerFieldHigh;
    double smallestSpan;
};

inline constexpr LimitBounds kThermometerBounds{-40, 100, -30, 120, 10};
inline constexpr LimitBounds kBarometerBounds{700, 1100, 700, 1200, 100};

struct FixedLimits {
    double max;
    double min;
};

// The number a field's text begins with (letters give 0, overlong digit runs the largest
// double), held to [low, high].
double HeldToBounds(QStringView text, double low, double high);

// Both fields of one instrument, already read (an empty field was given the stored limit's
// decimal text). When the entries cross, the former maximum becomes the minimum rounded to a
// whole number, halves to even (22.5 -> 22).
FixedLimits CorrectLimits(QStringView upperField, QStringView lowerField, const LimitBounds& bounds);
