#include "render/Thermometer.h"

#include "render/Palette.h"
#include "render/Surface.h"
#include "support/RenderState.h"

#include <gtest/gtest.h>

namespace {

constexpr QRgb kText = kPalette[14];   // yellow digits, so numbers and marks can be told apart

struct ThermometerPicture : ::testing::Test {
    ThermometerPicture() { state->ThermometerTextColor = kText; }

    // Text pixels beside the mark of t, where its number is written (rows y-9 to y+6; the edge rows may touch a neighbour).
    int NumberPixelsAt(double t)
    {
        const int y = Surface::PixelOf(350 - float(t - state->ThermometerMin) * state->ThermometerScale);
        return CountPixels(surface, 28, y - 8, 69, y + 5, kText);
    }
    QRgb Tick() const { return state->ThermometerTickColor | 0xff000000u; }
    QRgb Back() const { return state->GraphBackColor | 0xff000000u; }
    QRgb Liquid() const { return state->ThermometerLiquidColor | 0xff000000u; }
    QRgb Glass() const { return state->ThermometerGlassColor | 0xff000000u; }

    std::unique_ptr<ProgramState> state = DefaultRenderState();
    Surface surface;
};

} // namespace

TEST_F(ThermometerPicture, DefaultsPutMinusTenAt350AndHundredAt20WithMarksEveryFiveDegrees)
{
    DrawThermometer(*state, surface);
    EXPECT_FLOAT_EQ(state->ThermometerScale, 3.0f);
    EXPECT_EQ(state->ColumnHeight, 330);
    EXPECT_EQ(state->ThermometerLevel, 0);
    // Long marks (x 3..27) every 10 degrees, short ones (x 5..25) at the fives between them.
    EXPECT_EQ(surface.pixel(3, 350), Tick());
    EXPECT_EQ(surface.pixel(3, 20), Tick());
    EXPECT_EQ(surface.pixel(27, 20), Tick());
    EXPECT_EQ(surface.pixel(5, 35), Tick());
    EXPECT_EQ(surface.pixel(25, 35), Tick());
    EXPECT_EQ(surface.pixel(3, 35), Back());
    EXPECT_EQ(surface.pixel(5, 38), Back());   // 94 degrees: no mark on wide scales
    // The glass covers the middle of each mark; liquid below the scale bottom, bulb ring.
    EXPECT_EQ(surface.pixel(15, 35), Glass());
    EXPECT_EQ(surface.pixel(10, 35), state->ThermometerFrameColor | 0xff000000u);
    EXPECT_EQ(surface.pixel(15, 358), Liquid());
    EXPECT_EQ(surface.pixel(15, 377), Liquid());   // ring of radius 7 below the bulb centre
}

TEST_F(ThermometerPicture, NumbersEveryTenFiveOrOneDegreeByRange)
{
    DrawThermometer(*state, surface);   // range 110: numbers every 10 only
    EXPECT_GT(NumberPixelsAt(-10), 0);
    EXPECT_GT(NumberPixelsAt(100), 0);
    EXPECT_EQ(NumberPixelsAt(95), 0);

    state->ThermometerMin = 0;   // range 40: numbers every 5, marks every degree
    state->ThermometerMax = 40;
    DrawThermometer(*state, surface);
    EXPECT_GT(NumberPixelsAt(35), 0);
    EXPECT_EQ(NumberPixelsAt(2), 0);
    EXPECT_EQ(surface.pixel(5, Surface::PixelOf(350 - 2 * 8.25f)), Tick());
    EXPECT_EQ(surface.pixel(4, Surface::PixelOf(350 - 2 * 8.25f)), Back());

    state->ThermometerMin = 10;   // range 15: a number at every degree
    state->ThermometerMax = 25;
    DrawThermometer(*state, surface);
    for (int t = 10; t <= 25; ++t)
        EXPECT_GT(NumberPixelsAt(t), 0) << t;
}

TEST_F(ThermometerPicture, MarksStartAtTheRoundedBottom)
{
    state->ThermometerMin = 2.5;   // rounds to 2 (half to even): marks at 2, 12, 22 ...
    state->ThermometerMax = 102.5;
    DrawThermometer(*state, surface);
    const auto yOf = [&](float t) { return Surface::PixelOf(350 - (t - 2.5f) * 3.3f); };
    EXPECT_EQ(surface.pixel(3, yOf(12)), Tick());
    EXPECT_EQ(surface.pixel(3, yOf(10)), Back());
}

TEST_F(ThermometerPicture, FirstReadingOf20FillsFromTheGlassBottomUpTo260)
{
    DrawThermometer(*state, surface);
    float value = 20;
    ShowTemperature(*state, surface, value);
    EXPECT_EQ(RowsInColour(surface, 15, 8, 365, Liquid()), std::make_pair(260, 365));
    EXPECT_EQ(state->ThermometerLevel, 260);
    EXPECT_EQ(state->ThermometerValue, 20.0f);
}

TEST_F(ThermometerPicture, ColumnRisesAndFallsByPaintingOnlyTheChangedBand)
{
    DrawThermometer(*state, surface);
    for (float reading : {20.0f, 30.0f, 25.0f}) {
        float value = reading;
        ShowTemperature(*state, surface, value);
    }
    // 25 degrees stand at y 245; the glass repainted from 230 down to 245 covers that row.
    EXPECT_EQ(RowsInColour(surface, 15, 8, 365, Liquid()), std::make_pair(246, 365));
    EXPECT_EQ(state->ThermometerLevel, 245);
}

// After a redraw the remembered value is 0; a first reading at or below 0 must still show a
// column from the glass bottom instead of painting glass over it.
TEST_F(ThermometerPicture, FirstReadingAtOrBelowZeroStillFillsTheColumn)
{
    for (float reading : {0.0f, -5.0f}) {
        DrawThermometer(*state, surface);
        float value = reading;
        ShowTemperature(*state, surface, value);
        const int top = Surface::PixelOf(350 - (reading + 10) * 3);
        EXPECT_EQ(RowsInColour(surface, 15, 8, 365, Liquid()), std::make_pair(top, 365)) << reading;
    }
}

TEST_F(ThermometerPicture, FallingBelowMinus30KeepsTheLiquidUnderTheNewTop)
{
    state->ThermometerAuto = 0;
    state->ThermometerMin = -50;
    state->ThermometerMax = 50;
    DrawThermometer(*state, surface);
    for (float reading : {-35.0f, -40.0f}) {
        float value = reading;
        ShowTemperature(*state, surface, value);
    }
    const int top = Surface::PixelOf(350 - 10 * 3.3f);
    EXPECT_EQ(RowsInColour(surface, 15, 8, 365, Liquid()), std::make_pair(top + 1, 365));
}

TEST_F(ThermometerPicture, ManualScaleClipsTheReadingToItsLimits)
{
    state->ThermometerAuto = 0;
    DrawThermometer(*state, surface);
    float value = 150;
    ShowTemperature(*state, surface, value);
    EXPECT_EQ(value, 100.0f);
    EXPECT_EQ(state->ThermometerMax, 100);
    EXPECT_EQ(RowsInColour(surface, 15, 8, 365, Liquid()), std::make_pair(20, 365));
    value = -40;
    ShowTemperature(*state, surface, value);
    EXPECT_EQ(value, -10.0f);
    EXPECT_EQ(state->ThermometerMin, -10);
}

TEST_F(ThermometerPicture, AutomaticScaleWidensToTheNextTenAndRedraws)
{
    struct Case {
        float reading;
        double min, max;
    };
    for (const Case& c : {Case{-12, -20, 100}, Case{100.5f, -10, 110}, Case{104, -10, 110},
                          Case{101, -10, 110}}) {
        state = DefaultRenderState();
        DrawThermometer(*state, surface);
        float value = c.reading;
        ShowTemperature(*state, surface, value);
        EXPECT_EQ(value, c.reading);
        EXPECT_EQ(state->ThermometerMin, c.min) << c.reading;
        EXPECT_EQ(state->ThermometerMax, c.max) << c.reading;
        EXPECT_FLOAT_EQ(state->ThermometerScale, float(330 / (c.max - c.min)));
    }
    // The redraw forgot the old column; the reading then fills it from the glass bottom.
    EXPECT_EQ(RowsInColour(surface, 15, 8, 365, Liquid()).second, 365);
    EXPECT_EQ(surface.pixel(3, 20), Tick());   // a mark at the new top, 110
}

// A customization file may give a top at or below the bottom; the picture must not divide by
// zero or stand on its head.
TEST_F(ThermometerPicture, TopAtOrBelowBottomIsRaisedTenAboveIt)
{
    for (double top : {-30.0, 120.0}) {
        state->ThermometerAuto = 0;
        state->ThermometerMin = 120;
        state->ThermometerMax = top;
        DrawThermometer(*state, surface);
        EXPECT_EQ(state->ThermometerMax, 130);
        EXPECT_FLOAT_EQ(state->ThermometerScale, 33.0f);
        EXPECT_EQ(surface.pixel(3, 350), Tick());
        EXPECT_EQ(surface.pixel(3, 20), Tick());
        float value = 125;
        ShowTemperature(*state, surface, value);
        EXPECT_EQ(RowsInColour(surface, 15, 8, 365, Liquid()), std::make_pair(185, 365));
    }
}

// A wrong table can read 990 °C: the automatic top goes to 1000 and the marks of every 10 °C
// stand about 3 units apart. Their numbers then touch, but a scale without any number cannot
// be read at all; the finer pass of fives stays without numbers.
TEST_F(ThermometerPicture, WideScaleStillNumbersItsTensWhereTheyTouch)
{
    state->ThermometerMin = -40;
    DrawThermometer(*state, surface);
    float value = 990;
    ShowTemperature(*state, surface, value);
    ASSERT_EQ(state->ThermometerMax, 1000);
    EXPECT_GT(NumberPixelsAt(-40), 0);
    EXPECT_GT(NumberPixelsAt(1000), 0);
    EXPECT_GT(CountPixels(surface, 28, 20, 69, 350, kText), 500);
    EXPECT_EQ(surface.pixel(3, 20), Tick());
    SavePictureIfAsked(surface, QStringLiteral("thermometer-wide-scale.png"));
}

// A broken calibration entry can deliver 32767 or -32768. Automatic widening then makes a
// scale of more than 30000 degrees: the picture stays bounded (no mark walk wraps or runs for
// thousands of marks) and shows the glass, the bulb and a full column without a smear of marks.
TEST_F(ThermometerPicture, ExtremeReadingsWidenTheScaleWithoutASmearOfMarks)
{
    DrawThermometer(*state, surface);
    float value = 32767;
    ShowTemperature(*state, surface, value);
    EXPECT_EQ(state->ThermometerMax, 32770);
    EXPECT_EQ(RowsInColour(surface, 15, 8, 365, Liquid()), std::make_pair(20, 365));
    EXPECT_EQ(CountPixels(surface, 3, 20, 8, 345, state->ThermometerTickColor), 0);
    EXPECT_EQ(CountPixels(surface, 28, 0, 69, 340, kText), 0);

    value = -32768;
    ShowTemperature(*state, surface, value);
    EXPECT_EQ(state->ThermometerMin, -32780);
    EXPECT_EQ(surface.pixel(15, 360), Liquid());
}
