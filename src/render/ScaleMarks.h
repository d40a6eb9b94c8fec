#pragma once

// What the thermometer, the barometer and the graph's temperature grid share: the walk over
// the scale marks and the guard that keeps a scale the right way up.

#include <cstdint>

// Marks closer than this would merge into a solid block; such a pass is left out. With the
// limits the settings window and the customization file allow, every pass is far wider.
inline constexpr float kNarrowestMarkSpacing = 2.0f;
// Scale numbers are 16 units tall; closer numbers would print over each other. An
// instrument's finer passes leave such numbers out; its coarsest pass always numbers its marks.
inline constexpr float kNarrowestNumberSpacing = 16.0f;

inline bool MarksFit(int step, float unitsPerDegree)
{
    return static_cast<float>(step) * unitsPerDegree >= kNarrowestMarkSpacing;
}

inline bool NumbersFit(int step, float unitsPerDegree)
{
    return static_cast<float>(step) * unitsPerDegree >= kNarrowestNumberSpacing;
}

// Calls mark(t) for t = lo, lo + step, ... while t <= hi. The count runs in 32 bits, so a top
// at the 16-bit limit (32767) ends the walk instead of wrapping round to -32768.
template <typename Mark>
void ForEachMark(int16_t lo, int16_t hi, int step, Mark&& mark)
{
    for (int32_t t = lo; t <= hi; t += step)
        mark(static_cast<int16_t>(t));
}

// A top at or below the bottom (a customization file may set one) would divide by zero or
// turn the scale upside down: the top is then raised to the bottom plus the smallest span,
// as the settings window does for its own input. Returns true when the top was changed.
bool KeepTopAboveBottom(double& top, double bottom, double smallestSpan);
