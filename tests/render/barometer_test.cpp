#include "render/Barometer.h"

#include "render/Palette.h"
#include "render/Surface.h"
#include "render/Thermometer.h"
#include "support/RenderState.h"

#include <gtest/gtest.h>

namespace {

constexpr QRgb kText = kPalette[14];

struct BarometerPicture : ::testing::Test {
    BarometerPicture()
    {
        state->BarometerTextColor = kText;
        DrawThermometer(*state, surface);   // every path draws the thermometer first
    }
    void Draw(double min, double max)
    {
        state->BarometerMin = min;
        state->BarometerMax = max;
        DrawBarometer(*state, surface);
    }
    int YOf(double p) const
    {
        return Surface::PixelOf(350 - float(p - state->BarometerMin) * state->BarometerScale);
    }
    // Text pixels left of the tube beside the mark of p (rows y-9 to y+6).
    int NumberPixelsAt(double p) { return CountPixels(surface, 403, YOf(p) - 8, 452, YOf(p) + 5, kText); }
    QRgb Tick() const { return state->BarometerTickColor | 0xff000000u; }
    QRgb Back() const { return state->GraphBackColor | 0xff000000u; }
    QRgb Liquid() const { return state->BarometerLiquidColor | 0xff000000u; }

    std::unique_ptr<ProgramState> state = DefaultRenderState();
    Surface surface;
};

} // namespace

TEST_F(BarometerPicture, DefaultsPut800At350And1200At20WithNumbersEvery50)
{
    Draw(800, 1200);
    EXPECT_FLOAT_EQ(state->BarometerScale, 0.825f);
    EXPECT_EQ(state->BarometerLevel, 0);
    EXPECT_EQ(surface.pixel(453, 350), Tick());
    EXPECT_EQ(surface.pixel(492, 20), Tick());
    EXPECT_EQ(surface.pixel(455, YOf(810)), Tick());   // 10 hPa marks are shorter
    EXPECT_EQ(surface.pixel(453, YOf(810)), Back());
    EXPECT_EQ(surface.pixel(470, 100), state->BarometerGlassColor | 0xff000000u);
    EXPECT_EQ(surface.pixel(465, 100), state->BarometerFrameColor | 0xff000000u);
    for (int p = 800; p <= 1200; p += 50)
        EXPECT_GT(NumberPixelsAt(p), 0) << p;
    EXPECT_EQ(NumberPixelsAt(1020), 0);
}

TEST_F(BarometerPicture, NarrowScalesShowFinerMarksAndNumbers)
{
    Draw(950, 1050);   // range 100: numbers every 10 hPa
    EXPECT_GT(NumberPixelsAt(1020), 0);
    EXPECT_EQ(surface.pixel(460, YOf(1013)), Back());

    Draw(1000, 1040);   // range 40: marks every hPa, numbers every 10
    EXPECT_EQ(surface.pixel(460, YOf(1013)), Tick());
    EXPECT_EQ(surface.pixel(459, YOf(1013)), Back());
    EXPECT_GT(NumberPixelsAt(1030), 0);
    EXPECT_EQ(NumberPixelsAt(1013), 0);

    Draw(1000, 1015);   // range 15: a number at every hPa
    for (int p = 1000; p <= 1015; ++p)
        EXPECT_GT(NumberPixelsAt(p), 0) << p;
}

TEST_F(BarometerPicture, FirstReadingOf1013FillsFromTheGlassBottomTo174)
{
    Draw(800, 1200);
    float value = 1013;
    ShowPressure(*state, surface, value);
    // 350 - 213 x 0.825 = 174.275, which the surface paints on row 174.
    EXPECT_EQ(RowsInColour(surface, 470, 8, 365, Liquid()), std::make_pair(174, 365));
    EXPECT_EQ(state->BarometerLevel, 174);
}

TEST_F(BarometerPicture, ColumnFollowsRisingAndFallingReadings)
{
    Draw(800, 1200);
    for (float reading : {1013.0f, 1100.0f, 1000.0f}) {
        float value = reading;
        ShowPressure(*state, surface, value);
    }
    EXPECT_EQ(RowsInColour(surface, 470, 8, 365, Liquid()), std::make_pair(YOf(1000) + 1, 365));
}

TEST_F(BarometerPicture, FallingBelow700KeepsTheLiquidUnderTheNewTop)
{
    state->BarometerAuto = 0;
    Draw(600, 1100);
    for (float reading : {650.0f, 640.0f}) {
        float value = reading;
        ShowPressure(*state, surface, value);
    }
    EXPECT_EQ(RowsInColour(surface, 470, 8, 365, Liquid()), std::make_pair(YOf(640) + 1, 365));
}

TEST_F(BarometerPicture, AutomaticScaleWidensAndManualScaleClips)
{
    Draw(800, 1200);
    float value = 795;
    ShowPressure(*state, surface, value);
    EXPECT_EQ(state->BarometerMin, 790);
    value = 1201;
    ShowPressure(*state, surface, value);
    EXPECT_EQ(state->BarometerMax, 1210);
    EXPECT_EQ(RowsInColour(surface, 470, 8, 365, Liquid()), std::make_pair(YOf(1201), 365));

    state->BarometerAuto = 0;
    Draw(800, 1200);
    value = 1300;
    ShowPressure(*state, surface, value);
    EXPECT_EQ(value, 1200.0f);
    EXPECT_EQ(state->BarometerMax, 1200);
    value = 500;
    ShowPressure(*state, surface, value);
    EXPECT_EQ(value, 800.0f);
}

TEST_F(BarometerPicture, TopAtOrBelowBottomIsRaisedAHundredAboveIt)
{
    state->BarometerAuto = 0;
    Draw(1100, 800);
    EXPECT_EQ(state->BarometerMax, 1200);
    EXPECT_FLOAT_EQ(state->BarometerScale, 3.3f);
    EXPECT_EQ(surface.pixel(453, 350), Tick());
    EXPECT_EQ(surface.pixel(453, 20), Tick());
    Draw(1000, 1000);
    EXPECT_EQ(state->BarometerMax, 1100);
}

// With no pressure table the first reading is 0 hPa: the automatic scale widens to -10..1200
// and the marks of every 50 hPa stand 13.6 units apart, closer than the numbers are tall.
// Every one of them is still numbered.
TEST_F(BarometerPicture, WideScaleStillNumbersEveryFiftyHectopascals)
{
    Draw(800, 1200);
    float value = 0;
    ShowPressure(*state, surface, value);
    ASSERT_EQ(state->BarometerMin, -10);
    for (int p = -10; p <= 1190; p += 50)
        EXPECT_GT(NumberPixelsAt(p), 0) << p;
    SavePictureIfAsked(surface, QStringLiteral("barometer-wide-scale.png"));
}

TEST_F(BarometerPicture, ExtremeReadingWidensTheScaleWithoutASmearOfMarks)
{
    Draw(800, 1200);
    float value = 32767;
    ShowPressure(*state, surface, value);
    EXPECT_EQ(state->BarometerMax, 32770);
    EXPECT_EQ(RowsInColour(surface, 470, 8, 365, Liquid()), std::make_pair(20, 365));
    EXPECT_EQ(CountPixels(surface, 453, 20, 464, 345, state->BarometerTickColor), 0);
    EXPECT_EQ(CountPixels(surface, 403, 0, 452, 399, kText), 0);
}
