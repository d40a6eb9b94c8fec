#include "render/GraphCurves.h"

#include "render/Barometer.h"
#include "render/GraphFrame.h"
#include "render/Surface.h"
#include "render/Thermometer.h"
#include "support/RenderState.h"

#include <gtest/gtest.h>

namespace {

struct GraphCurves : ::testing::Test {
    GraphCurves() { DrawPictures(); }   // scales: 3 units per degree, 0.825 per hPa

    // Both instruments at the state's scales, and an empty graph page with the same scales.
    void DrawPictures()
    {
        DrawThermometer(*state, surface);
        DrawBarometer(*state, surface);
        state->GraphThermometerMax = state->ThermometerMax;
        state->GraphThermometerMin = float(state->ThermometerMin);
        state->GraphBarometerMax = state->BarometerMax;
        state->GraphBarometerMin = float(state->BarometerMin);
        DrawPageFrame(*state, surface);
    }

    void Record(float pressure, float temperature)
    {
        RecordPressureSample(*state, surface, pressure);
        RecordTemperatureSample(*state, surface, temperature);
    }
    void Store(int slot, float temperature, float pressure)
    {
        state->TemperatureHistory[slot] = temperature * 100;
        state->PressureHistory[slot] = pressure * 10;
    }
    static int YT(float t) { return Surface::PixelOf(350 - (t + 10) * 3); }
    static int YP(float p) { return Surface::PixelOf(350 - (p - 800) * 0.825f); }
    int Red(int x1, int y1, int x2, int y2) { return CountPixels(surface, x1, y1, x2, y2, Temperature()); }
    QRgb Temperature() const { return state->ThermometerLiquidColor | 0xff000000u; }
    QRgb Pressure() const { return state->BarometerLiquidColor | 0xff000000u; }

    std::unique_ptr<ProgramState> state = DefaultRenderState();
    Surface surface;
};

} // namespace

TEST_F(GraphCurves, FirstSampleOfAPageIsTwoPointsThenTheCurvesAreTwoPixelsThick)
{
    Record(1013, 20);
    EXPECT_EQ(state->SampleCount, 1);
    EXPECT_EQ(state->TemperatureHistory[0], 2000.0f);
    EXPECT_EQ(state->PressureHistory[0], 10130.0f);
    EXPECT_EQ(surface.pixel(70, 260), Temperature());
    EXPECT_EQ(surface.pixel(70, YP(1013)), Pressure());
    EXPECT_EQ(Red(70, 0, 400, 399), 1);

    Record(1013, 20);
    // Temperature doubled below itself (+0.9), pressure above itself (-0.8).
    EXPECT_EQ(surface.pixel(71, 260), Temperature());
    EXPECT_EQ(surface.pixel(71, 261), Temperature());
    EXPECT_EQ(surface.pixel(71, 174), Pressure());
    EXPECT_EQ(surface.pixel(71, 173), Pressure());
    EXPECT_EQ(state->PreviousPoints[0], 70 + 1.1f);
}

TEST_F(GraphCurves, SampleRecordedAtCount300TurnsThePage)
{
    for (int i = 0; i < 300; ++i)
        Record(1000, 20 + float(i % 20));
    EXPECT_EQ(state->LastAxisSample, 0.0f);
    EXPECT_GT(Red(300, 0, 400, 357), 0);

    Record(1000, 30);
    EXPECT_EQ(state->LastAxisSample, 300.0f);
    EXPECT_EQ(state->SampleCount, 301);
    EXPECT_EQ(Red(71, 0, 400, 357), 0);   // the old page is gone
    EXPECT_EQ(surface.pixel(70, YT(30)), Temperature());
}

TEST_F(GraphCurves, WideningScaleRedrawsThePageAtTheNewScaleBeforeTheNewSample)
{
    for (int i = 0; i < 10; ++i)
        Record(1000, 20);
    EXPECT_EQ(surface.pixel(75, 260), Temperature());

    float reading = 101;   // the live readout widens the thermometer to 110
    ShowTemperature(*state, surface, reading);
    Record(1000, 101);
    const int y20 = Surface::PixelOf(350 - 30 * 2.75f);
    EXPECT_EQ(surface.pixel(75, y20), Temperature());
    EXPECT_NE(surface.pixel(75, 260), Temperature());
    EXPECT_EQ(state->GraphThermometerMax, 110);
}

// A pressure scale change redraws the page before the sample's temperature is stored; the
// redraw must not plot that slot, whose temperature was never measured.
TEST_F(GraphCurves, PressureRescaleDoesNotDiveToAnUnmeasuredTemperature)
{
    for (int i = 0; i < 10; ++i)
        Record(1000, 20);
    state->BarometerMin = 900;   // as an automatic widening would leave it
    DrawBarometer(*state, surface);
    Record(1000, 20);
    EXPECT_EQ(state->GraphBarometerMin, 900.0f);
    EXPECT_EQ(Red(70, 262, 400, 357), 0);   // nothing below the 20-degree line
    EXPECT_GT(Red(80, 260, 82, 261), 0);
    const int yP = Surface::PixelOf(350 - 100 * state->BarometerScale);
    EXPECT_EQ(surface.pixel(80, yP), Pressure());
}

TEST_F(GraphCurves, RedrawPageAfterAStepBackPlotsThroughSampleCount)
{
    for (int i = 0; i < 5; ++i)
        Record(1000, float(10 * i));
    state->SampleCount -= 1;   // a pause: slot 4 holds the last sample
    RedrawPage(*state, surface);
    EXPECT_EQ(surface.pixel(Surface::PixelOf(70 + 4 * 1.1f), YT(40)), Temperature());
    EXPECT_EQ(state->PreviousPoints[1], 350 - 50 * 3.0f);
}

TEST_F(GraphCurves, WholeRunOf12SamplesPlotsEverySampleAt27AndAHalfUnits)
{
    for (int i = 0; i <= 12; ++i)
        Store(i, float(i), 1000);
    state->SampleCount = 12;
    DrawRunGraph(*state, surface);
    for (int i = 0; i <= 12; ++i)
        EXPECT_EQ(surface.pixel(Surface::PixelOf(70 + 27.5f * float(i)), YT(float(i))), Temperature()) << i;
    EXPECT_EQ(state->PreviousPoints[3], 400.0f);
}

TEST_F(GraphCurves, WholeRunOf1000SamplesPlotsEveryThirdSample)
{
    // Only the slots the step table picks (0, 3, ..., 999: 334 points) hold 20 degrees; a
    // plotted slot in between would pull the curve down to 0 degrees.
    for (int i = 0; i <= 1000; ++i)
        Store(i, i % 3 == 0 ? 20.0f : 0.0f, 1000);
    state->SampleCount = 1000;
    DrawRunGraph(*state, surface);
    EXPECT_EQ(Red(70, 262, 400, 357), 0);
    EXPECT_GT(Red(70, 260, 400, 261), 600);
    EXPECT_FLOAT_EQ(state->PreviousPoints[3], 70 + 330 * 999 / 1000.0f);
}

TEST_F(GraphCurves, StepTableKeepsLongRunsToAFewHundredPoints)
{
    struct Case {
        int count;
        int step;
    };
    for (const Case& c : {Case{330, 1}, Case{331, 2}, Case{1330, 4}, Case{1660, 4}, Case{1661, 5},
                          Case{5000, 7}, Case{5001, 10}, Case{12000, 10}}) {
        for (int i = 0; i <= c.count; ++i)
            Store(i, i % c.step == 0 ? 20.0f : 0.0f, 1000);
        state->SampleCount = c.count;
        DrawRunGraph(*state, surface);
        EXPECT_EQ(Red(70, 262, 400, 357), 0) << c.count;
        const float last = float(c.count / c.step * c.step);
        EXPECT_FLOAT_EQ(state->PreviousPoints[3], 70 + 330 * last / float(c.count)) << c.count;
    }
}

TEST_F(GraphCurves, AtTheCapEveryNewSampleReplacesSlot12000)
{
    state->SampleCount = 11999;
    state->LastAxisSample = 11700;
    Record(1000, 20);
    EXPECT_EQ(state->SampleCount, 12000);
    Record(1000, 25);   // turns the page to 12000
    EXPECT_EQ(state->LastAxisSample, 12000.0f);
    Record(1000, 30);
    EXPECT_EQ(state->SampleCount, 12000);
    EXPECT_EQ(state->TemperatureHistory[12000], 3000.0f);
    EXPECT_EQ(surface.pixel(70, YT(30)), Temperature());
    EXPECT_EQ(Red(71, 0, 400, 357), 0);
}

namespace {

// Pixels that differ between the two pictures outside the plotting area: the graph's columns
// and the rows of the scales, with the one row above and below that the doubled curves cover.
int ChangedOutsidePlotArea(const QImage& frame, Surface& surface)
{
    const QImage& now = surface.image();
    int changed = 0;
    for (int y = 0; y < now.height(); ++y)
        for (int x = 0; x < now.width(); ++x)
            changed += !(x >= 70 && x <= 400 && y >= 19 && y <= 351) && now.pixel(x, y) != frame.pixel(x, y);
    return changed;
}

// Readings beyond a fixed scale rise above the graph, dive through the time labels below it.
constexpr float kWildTemperatures[] = {20, 70, 45, -30, 10, 200, 25, -200, 49};
constexpr float kWildPressures[] = {1010, 1100, 995, 990, 1050, 1015, 700, 1010, 1019};

} // namespace

TEST_F(GraphCurves, CurvesBeyondAFixedScaleAreCutOffAtItsLimitsInBothViews)
{
    state->ThermometerMin = 0;   // fixed 0..50 °C and 1000..1020 hPa
    state->ThermometerMax = 50;
    state->BarometerMin = 1000;
    state->BarometerMax = 1020;
    DrawPictures();
    const QImage page = surface.image().copy();
    for (int k = 0; k < 9; ++k)
        Record(kWildPressures[k], kWildTemperatures[k]);
    EXPECT_EQ(ChangedOutsidePlotArea(page, surface), 0);
    EXPECT_GT(Red(70, 20, 90, 21), 0);     // the rise to 70 °C runs up to the top limit
    EXPECT_GT(Red(70, 349, 90, 351), 0);   // the fall to -30 °C down to the bottom one
    EXPECT_EQ(surface.pixel(74, 284), Temperature());   // 10 °C, inside the scale, in place
    SavePictureIfAsked(surface, QStringLiteral("curves-cut-page.png"));

    state->SampleCount -= 1;   // stopped: the whole run, over its own frame
    DrawRunFrame(*state, surface);
    const QImage run = surface.image().copy();
    DrawRunGraph(*state, surface);
    EXPECT_EQ(ChangedOutsidePlotArea(run, surface), 0);
    EXPECT_GT(Red(70, 20, 400, 21), 0);
    EXPECT_GT(CountPixels(surface, 70, 19, 400, 351, Pressure()), 0);
    SavePictureIfAsked(surface, QStringLiteral("curves-cut-run.png"));
}
