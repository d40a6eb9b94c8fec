#include "render/GraphFrame.h"

#include "base/DateTime.h"
#include "base/Numbers.h"
#include "base/ProgramState.h"
#include "render/Glyphs.h"
#include "render/PictureGeometry.h"
#include "render/ScaleMarks.h"
#include "render/Surface.h"

namespace {

// One line every 5 °C (every 1 °C on narrow scales) at the heights of the thermometer's marks.
void DrawTemperatureGrid(const ProgramState& state, Surface& surface)
{
    const int16_t lo = RoundToInteger(state.ThermometerMin);
    const int16_t hi = RoundToInteger(state.ThermometerMax);
    const double range = state.ThermometerMax - state.ThermometerMin;
    const float scale = state.ThermometerScale;
    const auto line = [&](int16_t t) {
        const float y = ThermometerRow(state, static_cast<float>(t));
        surface.Line(kGraphLeft, y, kGraphRight, y, state.GraphTickColor);
    };
    if (MarksFit(10, scale))
        ForEachMark(lo, hi, 10, line);
    if (MarksFit(5, scale))
        ForEachMark(lo, hi, 5, line);
    if (range < 50 && MarksFit(1, scale))
        ForEachMark(lo, hi, 1, line);
}

void PlacePen(const ProgramState& state, Surface& surface, float x, float y)
{
    surface.Point(x, y, state.GraphBackColor);
}

// Day of month with 日 above, hour of day with 時 below, for a label of the minute-mode axis.
void DrawDayAndHour(const ProgramState& state, Surface& surface, float x, double labelTime)
{
    const QRgb colour = state.GraphAxisTextColor;
    PlacePen(state, surface, x, 366);
    DrawSegmentNumber(state, surface, static_cast<int16_t>(DayOfMonth(labelTime)), colour);
    DrawUnitSymbols(state, surface, u"D", colour);
    PlacePen(state, surface, x, 386);
    DrawSegmentNumber(state, surface, static_cast<int16_t>(HourOfDay(labelTime)), colour);
    DrawUnitSymbols(state, surface, u"H", colour);
}

void DrawSecondsMark(const ProgramState& state, Surface& surface)
{
    PlacePen(state, surface, 370, 386);
    DrawUnitSymbols(state, surface, u"S", state.GraphAxisTextColor);
}

struct RunSteps {
    double below;   // applies while SampleCount is below this
    int grid;       // samples between vertical grid lines
    int label;      // samples between time labels
};

constexpr RunSteps kRunSteps[] = {
    {15, 1, 5},      {31, 5, 10},     {61, 5, 20},      {121, 10, 30},    {180, 20, 60},
    {310, 30, 100},  {610, 60, 200},  {1210, 200, 500}, {5000, 500, 1000},
};
constexpr RunSteps kLongRunSteps{0, 1000, 2000};

RunSteps RunStepsFor(double sampleCount)
{
    for (const RunSteps& row : kRunSteps) {
        if (sampleCount < row.below)
            return row;
    }
    return kLongRunSteps;
}

} // namespace

void DrawPageFrame(ProgramState& state, Surface& surface)
{
    surface.FilledBox(kGraphLeft, 0, kGraphRight, 399, state.GraphBackColor);
    surface.FilledBox(49, 358, 440, 399, state.GraphBackColor);
    DrawTemperatureGrid(state, surface);
    for (int s = 0; s <= kPageSamples; s += 20) {
        const float x = PageColumn(static_cast<float>(s));
        surface.Line(x, kScaleTop, x, kScaleBottom, state.GraphTickColor);
    }

    if (state.MinuteMode == 1) {
        // Each page of 300 one-minute samples covers 5 hours from the run's start time.
        const double base = state.StartTime + Int(state.LastAxisSample / kPageSamples) * 5 * kOneHour;
        for (int s = 0; s <= kPageSamples; s += 60) {
            const double labelTime = base + Int(s / 60.0) * kOneHour;
            DrawDayAndHour(state, surface, 50 + kPageUnitsPerSample * static_cast<float>(s), labelTime);
        }
    } else {
        for (int s = 0; s <= kPageSamples; s += 100) {
            PlacePen(state, surface, 55 + kPageUnitsPerSample * static_cast<float>(s), 365);
            const int16_t seconds = RoundToInteger((state.LastAxisSample + static_cast<float>(s)) / 10.0);
            DrawSegmentNumber(state, surface, seconds, state.GraphAxisTextColor);
        }
        DrawSecondsMark(state, surface);
    }
}

void DrawRunFrame(ProgramState& state, Surface& surface)
{
    surface.FilledBox(kGraphLeft, 0, kGraphRight, 360, state.GraphBackColor);
    surface.FilledBox(49, 358, 440, 399, state.GraphBackColor);
    DrawTemperatureGrid(state, surface);

    const float span = RunSpan(state);
    const auto X = [span](float s) { return RunColumn(s, span); };
    const RunSteps steps = RunStepsFor(state.SampleCount);

    for (float s = 0; s <= span; s += static_cast<float>(steps.grid))
        surface.Line(X(s), kScaleTop, X(s), kScaleBottom, state.GraphTickColor);

    if (state.MinuteMode == 1) {
        for (float s = 0; s <= span; s += static_cast<float>(steps.label))
            DrawDayAndHour(state, surface, X(s) - 20, state.StartTime + Int(s / 60.0) * kOneHour);
    } else {
        for (float s = 0; s <= span; s += static_cast<float>(steps.label)) {
            PlacePen(state, surface, X(s) - 12, 365);
            const int16_t seconds = RoundToInteger(RoundToInteger(s) / 10.0);
            DrawSegmentNumber(state, surface, seconds, state.GraphAxisTextColor);
        }
        DrawSecondsMark(state, surface);
    }
}
