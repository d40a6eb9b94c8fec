#include "render/GraphCurves.h"

#include "base/Numbers.h"
#include "base/ProgramState.h"
#include "render/GraphFrame.h"
#include "render/PictureGeometry.h"
#include "render/PlotArea.h"
#include "render/Surface.h"

#include <algorithm>
#include <optional>

namespace {

constexpr double kSampleCap = kLastHistorySlot;

// The history slot a sample index selects: rounded half to even, held inside the arrays.
int SlotOf(float i)
{
    return std::clamp<int32_t>(RoundToLong(i), 0, kLastHistorySlot);
}

struct CurvePoint {
    float x;
    float yT;
    float yP;
};

// The heights of sample i on the two instruments' scales, so a curve point stands where the
// instrument's column would stand for that value.
CurvePoint PointOf(const ProgramState& state, float i, float x)
{
    const int slot = SlotOf(i);
    const float t = state.TemperatureHistory[slot] / 100.0f;
    const float p = state.PressureHistory[slot] / 10.0f;
    return {x, ThermometerRow(state, t), BarometerRow(state, p)};
}

// Draws one curve's line of a plotting step and its twin `offset` lower, which makes the curve
// two pixels thick. The part beyond the scale is cut off first, so the twin follows the same cut.
void DrawCurveLine(Surface& surface, PlotSegment line, float offset, bool offsetFirst, QRgb colour)
{
    const std::optional<PlotSegment> inside = ClipToPlotArea(line);
    if (!inside)
        return;
    const PlotSegment& l = *inside;
    if (offsetFirst)
        surface.Line(l.x1, l.y1 + offset, l.x2, l.y2 + offset, colour);
    surface.Line(l.x1, l.y1, l.x2, l.y2, colour);
    if (!offsetFirst)
        surface.Line(l.x1, l.y1 + offset, l.x2, l.y2 + offset, colour);
}

// Draws the plotting step from the previous point of the same view: the temperature curve is
// doubled a little below itself, the pressure curve a little above itself.
void DrawStep(const ProgramState& state, Surface& surface, const CurvePoint& from,
              const CurvePoint& to, float temperatureOffset, float pressureOffset, bool offsetFirst)
{
    DrawCurveLine(surface, {from.x, from.yT, to.x, to.yT}, temperatureOffset, offsetFirst,
                  state.ThermometerLiquidColor);
    DrawCurveLine(surface, {from.x, from.yP, to.x, to.yP}, -pressureOffset, false,
                  state.BarometerLiquidColor);
}

void DrawStart(const ProgramState& state, Surface& surface, const CurvePoint& at)
{
    if (InPlotArea(at.x, at.yT))
        surface.Point(at.x, at.yT, state.ThermometerLiquidColor);
    if (InPlotArea(at.x, at.yP))
        surface.Point(at.x, at.yP, state.BarometerLiquidColor);
}

// Redraws the page frame and plots the page's samples up to and including the slot `last`,
// but never past the page's right edge.
void RedrawPageThrough(ProgramState& state, Surface& surface, float last)
{
    DrawPageFrame(state, surface);
    const float pageEnd = state.LastAxisSample + kPageSamples;
    for (float i = state.LastAxisSample; i <= last && i <= pageEnd; i += 1)
        PlotPagePoint(state, surface, i);
}

struct PlotStep {
    double upTo;   // applies while SampleCount is at most this
    int step;
};

// Keeps the whole run near the 330-unit width for short runs and bounds the points of long ones.
constexpr PlotStep kPlotSteps[] = {
    {330, 1}, {660, 2}, {1000, 3}, {1330, 4}, {1660, 4}, {2000, 5}, {5000, 7},
};
constexpr int kLongRunPlotStep = 10;

int PlotStepFor(double sampleCount)
{
    for (const PlotStep& row : kPlotSteps) {
        if (sampleCount <= row.upTo)
            return row.step;
    }
    return kLongRunPlotStep;
}

} // namespace

// Which slots a redraw plots: every caller outside the recording step has first stepped
// SampleCount back by one (stop, continue, settings, help, exit), so the slot SampleCount holds
// the last sample recorded, and the page and the whole run are plotted through it. The one
// exception is the redraw that a pressure scale change starts inside RecordPressureSample: the
// slot's temperature is not stored yet, so that redraw stops one slot short and the new sample
// is drawn a moment later by RecordTemperatureSample. No curve dives to an unmeasured value.
void RedrawPage(ProgramState& state, Surface& surface)
{
    RedrawPageThrough(state, surface, static_cast<float>(state.SampleCount));
}

void RecordPressureSample(ProgramState& state, Surface& surface, float& value)
{
    const int slot = SlotOf(static_cast<float>(state.SampleCount));
    state.PressureHistory[slot] = value * 10;

    // The limits are compared as singles: a bottom such as 1000.3 would otherwise never equal
    // its single copy and redraw the page on every sample.
    bool rescaled = false;
    if (state.GraphBarometerMax != state.BarometerMax) {
        state.GraphBarometerMax = state.BarometerMax;
        rescaled = true;
    }
    if (state.GraphBarometerMin != static_cast<float>(state.BarometerMin)) {
        state.GraphBarometerMin = static_cast<float>(state.BarometerMin);
        rescaled = true;
    }
    if (rescaled)
        RedrawPageThrough(state, surface, static_cast<float>(state.SampleCount) - 1);
}

void RecordTemperatureSample(ProgramState& state, Surface& surface, float& value)
{
    const int slot = SlotOf(static_cast<float>(state.SampleCount));
    state.TemperatureHistory[slot] = value * 100;

    bool rescaled = false;
    if (state.GraphThermometerMax != state.ThermometerMax) {
        state.GraphThermometerMax = state.ThermometerMax;
        rescaled = true;
    }
    if (state.GraphThermometerMin != static_cast<float>(state.ThermometerMin)) {
        state.GraphThermometerMin = static_cast<float>(state.ThermometerMin);
        rescaled = true;
    }
    if (rescaled)
        RedrawPage(state, surface);

    if (state.SampleCount - state.LastAxisSample >= kPageSamples && state.SampleCount > 1) {
        state.LastAxisSample = static_cast<float>(state.SampleCount);
        DrawPageFrame(state, surface);
    }
    float i = static_cast<float>(state.SampleCount);
    PlotPagePoint(state, surface, i);

    state.SampleCount = std::min(state.SampleCount + 1, kSampleCap);
}

void PlotPagePoint(ProgramState& state, Surface& surface, float& i)
{
    const CurvePoint point = PointOf(state, i, PageColumn(i - state.LastAxisSample));
    if (i == state.LastAxisSample) {
        DrawStart(state, surface, point);
    } else {
        const CurvePoint previous{state.PreviousPoints[0], state.PreviousPoints[1],
                                  state.PreviousPoints[2]};
        DrawStep(state, surface, previous, point, 0.9f, 0.8f, true);
    }
    state.PreviousPoints[0] = point.x;
    state.PreviousPoints[1] = point.yT;
    state.PreviousPoints[2] = point.yP;
}

void PlotRunPoint(ProgramState& state, Surface& surface, float& i)
{
    const CurvePoint point = PointOf(state, i, RunColumn(i, RunSpan(state)));
    if (i == 0) {
        DrawStart(state, surface, point);
    } else {
        const CurvePoint previous{state.PreviousPoints[3], state.PreviousPoints[4],
                                  state.PreviousPoints[5]};
        DrawStep(state, surface, previous, point, 0.8f, 0.9f, false);
    }
    state.PreviousPoints[3] = point.x;
    state.PreviousPoints[4] = point.yT;
    state.PreviousPoints[5] = point.yP;
}

void DrawRunGraph(ProgramState& state, Surface& surface)
{
    DrawRunFrame(state, surface);
    if (state.SampleCount == 0)
        return;
    const float step = static_cast<float>(PlotStepFor(state.SampleCount));
    const float last = static_cast<float>(std::min(state.SampleCount, kSampleCap));
    for (float i = 0; i <= last; i += step)
        PlotRunPoint(state, surface, i);
}
