#pragma once

// Where the pictures stand on the surface and how a value becomes a row. The graph shares its
// rows with the instruments: a curve point stands at the height of the instrument's column
// for the same value, and the temperature grid meets the thermometer's marks.

#include "base/ProgramState.h"

// The graph's plotting area; both instrument scales run over the same rows.
inline constexpr float kGraphLeft = 70;
inline constexpr float kGraphRight = 400;
inline constexpr float kScaleTop = 20;      // row of an instrument's top limit
inline constexpr float kScaleBottom = 350;  // row of an instrument's bottom limit
inline constexpr double kColumnHeight = kScaleBottom - kScaleTop;

// The page view: 300 samples a page, 1.1 units apart, so a full page spans the graph's width.
inline constexpr int kPageSamples = 300;
inline constexpr float kPageUnitsPerSample = 1.1f;

// Row of a value on a scale whose bottom limit `min` sits at kScaleBottom, `scale` units per
// unit of value upward. The arithmetic is in singles, as the stored scales are.
inline float ScaleRow(float value, double min, float scale)
{
    return kScaleBottom - (value - static_cast<float>(min)) * scale;
}

// Row of a temperature (°C) on the thermometer's scale and the graph.
inline float ThermometerRow(const ProgramState& state, float t)
{
    return ScaleRow(t, state.ThermometerMin, state.ThermometerScale);
}

// Row of a pressure (hPa) on the barometer's scale and the graph.
inline float BarometerRow(const ProgramState& state, float p)
{
    return ScaleRow(p, state.BarometerMin, state.BarometerScale);
}

// Column of the sample `samplesIntoPage` after the page's first one, in the page view.
inline float PageColumn(float samplesIntoPage)
{
    return kGraphLeft + kPageUnitsPerSample * samplesIntoPage;
}

// The whole-run view spreads the run over the graph's width; a short run spans 10 samples.
inline float RunSpan(const ProgramState& state)
{
    return state.SampleCount < 10 ? 10.0f : static_cast<float>(state.SampleCount);
}

// Column of sample s in the whole-run view of `span` samples.
inline float RunColumn(float s, float span)
{
    return kGraphLeft + (kGraphRight - kGraphLeft) * s / span;
}
