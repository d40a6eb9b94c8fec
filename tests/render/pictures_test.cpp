// Four typical pictures of the whole surface. Run with PORUKA_PICTURES=<folder> to save
// them (docs/render-*.png are made this way) and look at them.

#include "base/DateTime.h"
#include "render/Barometer.h"
#include "render/GraphCurves.h"
#include "render/GraphFrame.h"
#include "render/Surface.h"
#include "render/Thermometer.h"
#include "support/RenderState.h"
#include "support/TestPaths.h"

#include <QDateTime>
#include <gtest/gtest.h>

#include <cmath>

namespace {

void DrawInstruments(ProgramState& state, Surface& surface, float temperature, float pressure)
{
    DrawThermometer(state, surface);
    DrawBarometer(state, surface);
    state.GraphThermometerMax = state.ThermometerMax;
    state.GraphThermometerMin = float(state.ThermometerMin);
    state.GraphBarometerMax = state.BarometerMax;
    state.GraphBarometerMin = float(state.BarometerMin);
    DrawPageFrame(state, surface);
    ShowTemperature(state, surface, temperature);
    ShowPressure(state, surface, pressure);
}

// A beaker of water heated from room temperature and left to cool; air pressure drifting.
// Readings come from calibration tables, so they are whole degrees and whole hectopascals.
float Water(int minute)
{
    return std::round(18 + 60 * (1 - std::exp(-minute / 40.0f)) * std::exp(-minute / 900.0f));
}
float Air(int minute) { return std::round(1008 + 6 * std::sin(minute / 700.0f)); }

int CurvePixels(Surface& surface, const ProgramState& state)
{
    return CountPixels(surface, 71, 0, 400, 357, state.ThermometerLiquidColor) +
           CountPixels(surface, 71, 0, 400, 357, state.BarometerLiquidColor);
}

} // namespace

TEST(Pictures, Defaults)
{
    auto state = DefaultRenderState();
    state->ThermometerAuto = 0;
    state->BarometerAuto = 0;
    state->StartTime = DateTimeValue(QDateTime(QDate(2026, 12, 7), QTime(9, 0)));
    Surface surface;
    DrawInstruments(*state, surface, 20, 1013);
    EXPECT_EQ(surface.pixel(15, 261), state->ThermometerLiquidColor | 0xff000000u);
    SavePictureIfAsked(surface, QStringLiteral("render-defaults.png"));
}

TEST(Pictures, NarrowScales)
{
    auto state = DefaultRenderState();
    state->ThermometerAuto = 0;
    state->BarometerAuto = 0;
    state->ThermometerMin = 10;
    state->ThermometerMax = 25;
    state->BarometerMin = 1000;
    state->BarometerMax = 1015;
    Surface surface;
    DrawInstruments(*state, surface, 21.5f, 1008);
    SavePictureIfAsked(surface, QStringLiteral("render-narrow-scales.png"));
    // The picture in the docs was made by this test; the marks of a 15-degree and a 15-hPa
    // scale must still be drawn as they show.
    const QImage reference(SourcePath("/docs/render-narrow-scales.png"));
    ASSERT_FALSE(reference.isNull());
    EXPECT_EQ(surface.image().convertToFormat(QImage::Format_RGB32), reference.convertToFormat(QImage::Format_RGB32));
}

TEST(Pictures, PageViewOf600MinuteSamples)
{
    auto state = DefaultRenderState();
    state->ThermometerAuto = 0;
    state->BarometerAuto = 0;
    state->ThermometerMin = 10;
    state->ThermometerMax = 90;
    state->BarometerMin = 950;
    state->BarometerMax = 1050;
    state->StartTime = DateTimeValue(QDateTime(QDate(2026, 3, 3), QTime(9, 20)));
    Surface surface;
    DrawInstruments(*state, surface, Water(599), Air(599));
    for (int minute = 0; minute < 600; ++minute) {
        float pressure = Air(minute);
        float temperature = Water(minute);
        RecordPressureSample(*state, surface, pressure);
        RecordTemperatureSample(*state, surface, temperature);
    }
    EXPECT_EQ(state->LastAxisSample, 300.0f);
    EXPECT_GT(CurvePixels(surface, *state), 600);
    SavePictureIfAsked(surface, QStringLiteral("render-page-600-minutes.png"));
}

TEST(Pictures, WholeRunOf12000Samples)
{
    auto state = DefaultRenderState();
    state->StartTime = DateTimeValue(QDateTime(QDate(2026, 3, 3), QTime(9, 20)));
    Surface surface;
    for (int i = 0; i <= 12000; ++i) {
        state->TemperatureHistory[i] = Water(i / 4) * 100;
        state->PressureHistory[i] = Air(i) * 10;
    }
    state->SampleCount = 12000;
    state->ThermometerMin = 10;
    state->ThermometerMax = 90;
    state->BarometerMin = 990;
    state->BarometerMax = 1030;
    DrawInstruments(*state, surface, Water(2999), Air(11999));
    DrawRunGraph(*state, surface);
    EXPECT_GT(CurvePixels(surface, *state), 600);
    SavePictureIfAsked(surface, QStringLiteral("render-whole-run-12000.png"));
}
