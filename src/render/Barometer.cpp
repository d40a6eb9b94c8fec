#include "render/Barometer.h"

#include "base/ProgramState.h"
#include "render/Instrument.h"

#include <limits>

namespace {

constexpr double kAlways = std::numeric_limits<double>::infinity();

// The strip x 401..500, numbers left of the tube, no bulb. The graph's last time label
// reaches into it below y 358 (x 401 to 440); that corner is left to the graph, so a redraw
// after a widening does not cut the label off.
constexpr Instrument kBarometer{
    .backdrop = {401, 0, 500, 357},
    .backdropBeside = {441, 358, 500, 399},
    .bulb = std::nullopt,
    .passes = {{{50, 453, 492, kAlways, kAlways}, {10, 455, 489, kAlways, 200}, {1, 460, 485, 50, 20}}},
    .numberLeft = 402,
    .glassOutline = {465, 7, 480, 365},
    .glass = {466, 8, 479, 364},
    .liquidBelowScale = false,
    .columnLeft = 466,
    .columnRight = 479,
    .glassBottom = 365,
    .smallestSpan = 100,
    .max = &ProgramState::BarometerMax,
    .min = &ProgramState::BarometerMin,
    .scale = &ProgramState::BarometerScale,
    .level = &ProgramState::BarometerLevel,
    .value = &ProgramState::BarometerValue,
    .tickColour = &ProgramState::BarometerTickColor,
    .textColour = &ProgramState::BarometerTextColor,
    .frameColour = &ProgramState::BarometerFrameColor,
    .glassColour = &ProgramState::BarometerGlassColor,
    .liquidColour = &ProgramState::BarometerLiquidColor,
};

} // namespace

// Needs ColumnHeight, which every path sets by drawing the thermometer first.
void DrawBarometer(ProgramState& state, Surface& surface)
{
    DrawInstrument(state, surface, kBarometer);
}

void ShowPressure(ProgramState& state, Surface& surface, float& value)
{
    ShowInstrumentReading(state, surface, kBarometer, state.BarometerAuto == -1.0f, DrawBarometer, value);
}
