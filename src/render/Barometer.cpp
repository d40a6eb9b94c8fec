#include "render/Barometer.h"

#include "base/Numbers.h"
#include "base/ProgramState.h"
#include "render/Glyphs.h"
#include "render/ScaleMarks.h"
#include "render/Surface.h"

namespace {

constexpr float kScaleBottom = 350;   // y of BarometerMin
constexpr float kGlassBottom = 365;
constexpr double kSmallestSpan = 100;   // hPa, as the settings window keeps it

float Y(const ProgramState& state, float p)
{
    return kScaleBottom - (p - static_cast<float>(state.BarometerMin)) * state.BarometerScale;
}

void DrawNumber(ProgramState& state, Surface& surface, int16_t p)
{
    surface.Point(402, Y(state, p) - 3, state.GraphBackColor);
    DrawSegmentNumber(state, surface, p, state.BarometerTextColor);
}

void DrawMarks(ProgramState& state, Surface& surface)
{
    const int16_t lo = RoundToInteger(state.BarometerMin);
    const int16_t hi = RoundToInteger(state.BarometerMax);
    const double range = state.BarometerMax - state.BarometerMin;
    const float scale = state.BarometerScale;
    const QRgb tick = state.BarometerTickColor;

    if (MarksFit(50, scale)) {
        const bool numbers = NumbersFit(50, scale);
        ForEachMark(lo, hi, 50, [&](int16_t p) {
            surface.Line(453, Y(state, p), 492, Y(state, p), tick);
            if (numbers)
                DrawNumber(state, surface, p);
        });
    }
    if (MarksFit(10, scale)) {
        const bool numbers = range < 200 && NumbersFit(10, scale);
        ForEachMark(lo, hi, 10, [&](int16_t p) {
            surface.Line(455, Y(state, p), 489, Y(state, p), tick);
            if (numbers)
                DrawNumber(state, surface, p);
        });
    }
    if (range < 50 && MarksFit(1, scale)) {
        const bool numbers = range < 20 && NumbersFit(1, scale);
        ForEachMark(lo, hi, 1, [&](int16_t p) {
            surface.Line(460, Y(state, p), 485, Y(state, p), tick);
            if (numbers)
                DrawNumber(state, surface, p);
        });
    }
}

} // namespace

void DrawBarometer(ProgramState& state, Surface& surface)
{
    state.BarometerLevel = 0;
    state.BarometerValue = 0;
    // The graph's last time label reaches into the strip below y 358 (x 401 to 440); that
    // corner is left to the graph, so a redraw after a widening does not cut the label off.
    surface.FilledBox(401, 0, 500, 357, state.GraphBackColor);
    surface.FilledBox(441, 358, 500, 399, state.GraphBackColor);

    KeepTopAboveBottom(state.BarometerMax, state.BarometerMin, kSmallestSpan);
    state.BarometerScale =
        static_cast<float>(state.ColumnHeight / (state.BarometerMax - state.BarometerMin));
    DrawMarks(state, surface);

    surface.Box(465, 7, 480, 365, state.BarometerFrameColor);
    surface.FilledBox(466, 8, 479, 364, state.BarometerGlassColor);
}

void ShowPressure(ProgramState& state, Surface& surface, float& value)
{
    const bool automatic = state.BarometerAuto == -1.0f;
    if (value < state.BarometerMin) {
        if (automatic) {
            state.BarometerMin = static_cast<float>(Int((value - 5.0f) / 10.0f) * 10);
            DrawBarometer(state, surface);
        } else {
            value = static_cast<float>(state.BarometerMin);
        }
    }
    if (value > state.BarometerMax) {
        if (automatic) {
            state.BarometerMax = static_cast<float>(Int((value + 10.0f) / 10.0f) * 10);
            DrawBarometer(state, surface);
        } else {
            value = static_cast<float>(state.BarometerMax);
        }
    }

    // Incremental like the thermometer's column: a fresh column (level 0 after a full redraw)
    // fills from the glass bottom, a falling one is repainted in glass colour only down to its
    // last top, so a reading below 700 hPa never wipes the liquid under it.
    const float y = Y(state, value);
    const bool fresh = state.BarometerLevel == 0;
    const float level = fresh ? kGlassBottom : static_cast<float>(state.BarometerLevel);
    if (fresh || value > state.BarometerValue)
        surface.FilledBox(466, y, 479, level, state.BarometerLiquidColor);
    else if (value < state.BarometerValue)
        surface.FilledBox(466, y, 479, level, state.BarometerGlassColor);

    state.BarometerLevel = RoundToInteger(y);
    state.BarometerValue = value;
}
