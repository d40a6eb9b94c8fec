#include "render/Thermometer.h"

#include "base/ProgramState.h"
#include "render/Instrument.h"
#include "render/PictureGeometry.h"

#include <limits>

namespace {

constexpr double kAlways = std::numeric_limits<double>::infinity();

// The strip x 0..69. The graph's first time label reaches into it below y 358 (x 49 to 69);
// that corner is left to the graph, so a redraw after a widening does not cut the label's
// digits off. The 1 °C marks are as long as the 5 °C ones.
constexpr Instrument kThermometer{
    .backdrop = {0, 0, 69, 357},
    .backdropBeside = {0, 358, 48, 399},
    .bulb = InstrumentBulb{15, 370, 8},
    .passes = {{{10, 3, 27, kAlways, kAlways}, {5, 5, 25, kAlways, 60}, {1, 5, 25, 50, 20}}},
    .numberLeft = 27,
    .glassOutline = {10, 7, 20, 365},
    .glass = {11, 8, 19, 365},
    .liquidBelowScale = true,
    .columnLeft = 11,
    .columnRight = 19,
    .glassBottom = 365,
    .smallestSpan = 10,
    .max = &ProgramState::ThermometerMax,
    .min = &ProgramState::ThermometerMin,
    .scale = &ProgramState::ThermometerScale,
    .level = &ProgramState::ThermometerLevel,
    .value = &ProgramState::ThermometerValue,
    .tickColour = &ProgramState::ThermometerTickColor,
    .textColour = &ProgramState::ThermometerTextColor,
    .frameColour = &ProgramState::ThermometerFrameColor,
    .glassColour = &ProgramState::ThermometerGlassColor,
    .liquidColour = &ProgramState::ThermometerLiquidColor,
};

} // namespace

void DrawThermometer(ProgramState& state, Surface& surface)
{
    state.ColumnHeight = kColumnHeight;   // the barometer's scale is as tall
    DrawInstrument(state, surface, kThermometer);
}

void ShowTemperature(ProgramState& state, Surface& surface, float& value)
{
    ShowInstrumentReading(state, surface, kThermometer, state.ThermometerAuto == -1, DrawThermometer,
                          value);
}
