#include "render/Thermometer.h"

#include "base/Numbers.h"
#include "base/ProgramState.h"
#include "render/Glyphs.h"
#include "render/ScaleMarks.h"
#include "render/Surface.h"

namespace {

constexpr float kScaleBottom = 350;   // y of ThermometerMin
constexpr float kGlassBottom = 365;
constexpr double kColumnHeight = 330;
constexpr double kSmallestSpan = 10;   // degrees, as the settings window keeps it

float Y(const ProgramState& state, float t)
{
    return kScaleBottom - (t - static_cast<float>(state.ThermometerMin)) * state.ThermometerScale;
}

void DrawNumber(ProgramState& state, Surface& surface, int16_t t)
{
    surface.Point(27, Y(state, t) - 3, state.GraphBackColor);
    DrawSegmentNumber(state, surface, t, state.ThermometerTextColor);
}

void DrawMarks(ProgramState& state, Surface& surface)
{
    const int16_t lo = RoundToInteger(state.ThermometerMin);
    const int16_t hi = RoundToInteger(state.ThermometerMax);
    const double range = state.ThermometerMax - state.ThermometerMin;
    const float scale = state.ThermometerScale;
    const QRgb tick = state.ThermometerTickColor;

    if (MarksFit(10, scale)) {
        const bool numbers = NumbersFit(10, scale);
        ForEachMark(lo, hi, 10, [&](int16_t t) {
            surface.Line(3, Y(state, t), 27, Y(state, t), tick);
            if (numbers)
                DrawNumber(state, surface, t);
        });
    }
    if (MarksFit(5, scale)) {
        const bool numbers = range < 60 && NumbersFit(5, scale);
        ForEachMark(lo, hi, 5, [&](int16_t t) {
            surface.Line(5, Y(state, t), 25, Y(state, t), tick);
            if (numbers)
                DrawNumber(state, surface, t);
        });
    }
    if (range < 50 && MarksFit(1, scale)) {
        const bool numbers = range < 20 && NumbersFit(1, scale);
        ForEachMark(lo, hi, 1, [&](int16_t t) {
            surface.Line(5, Y(state, t), 25, Y(state, t), tick);
            if (numbers)
                DrawNumber(state, surface, t);
        });
    }
}

} // namespace

void DrawThermometer(ProgramState& state, Surface& surface)
{
    state.ThermometerLevel = 0;
    state.ThermometerValue = 0;
    // The graph's first time label reaches into the strip below y 358 (x 49 to 69); that corner
    // is left to the graph, so a redraw after a widening does not cut the label's digits off.
    surface.FilledBox(0, 0, 69, 357, state.GraphBackColor);
    surface.FilledBox(0, 358, 48, 399, state.GraphBackColor);
    surface.Circle(15, 370, 8, state.ThermometerFrameColor);
    surface.Circle(15, 370, 7, state.ThermometerLiquidColor);

    KeepTopAboveBottom(state.ThermometerMax, state.ThermometerMin, kSmallestSpan);
    state.ColumnHeight = kColumnHeight;
    state.ThermometerScale =
        static_cast<float>(state.ColumnHeight / (state.ThermometerMax - state.ThermometerMin));
    DrawMarks(state, surface);

    surface.Box(10, 7, 20, 365, state.ThermometerFrameColor);
    surface.FilledBox(11, 8, 19, 365, state.ThermometerGlassColor);
    surface.FilledBox(11, 350, 19, 365, state.ThermometerLiquidColor);
}

void ShowTemperature(ProgramState& state, Surface& surface, float& value)
{
    const bool automatic = state.ThermometerAuto == -1;
    if (value < state.ThermometerMin) {
        if (automatic) {
            state.ThermometerMin = static_cast<float>(Int((value - 5.0f) / 10.0f) * 10);
            DrawThermometer(state, surface);
        } else {
            value = static_cast<float>(state.ThermometerMin);
        }
    }
    if (value > state.ThermometerMax) {
        if (automatic) {
            state.ThermometerMax = static_cast<float>(Int((value + 10.0f) / 10.0f) * 10);
            DrawThermometer(state, surface);
        } else {
            value = static_cast<float>(state.ThermometerMax);
        }
    }

    // The column is painted incrementally: only the band between its last top and the new one.
    // The first reading after a full redraw (level 0) fills the column from the glass bottom
    // whatever its sign, so a reading at or below 0 shows a column too. A falling column is
    // repainted in glass colour only down to its last top, never down to the glass bottom,
    // so a low reading never wipes the liquid below it.
    const float y = Y(state, value);
    const bool fresh = state.ThermometerLevel == 0;
    const float level = fresh ? kGlassBottom : static_cast<float>(state.ThermometerLevel);
    if (fresh || value > state.ThermometerValue)
        surface.FilledBox(11, y, 19, level, state.ThermometerLiquidColor);
    else if (value < state.ThermometerValue)
        surface.FilledBox(11, y, 19, level, state.ThermometerGlassColor);

    state.ThermometerLevel = RoundToInteger(y);
    state.ThermometerValue = value;
}
