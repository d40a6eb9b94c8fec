#include "render/GraphFrame.h"

#include "base/DateTime.h"
#include "render/Barometer.h"
#include "render/Glyphs.h"
#include "render/GraphCurves.h"
#include "render/Palette.h"
#include "render/Surface.h"
#include "render/Thermometer.h"
#include "support/RenderState.h"

#include <QDateTime>
#include <gtest/gtest.h>

#include <vector>

namespace {

struct GraphFrame : ::testing::Test {
    GraphFrame() { DrawThermometer(*state, surface); }

    QRgb Tick() const { return state->GraphTickColor | 0xff000000u; }
    QRgb Text() const { return state->GraphAxisTextColor | 0xff000000u; }

    // x of every vertical grid line, read along a row between the temperature grid lines.
    std::vector<int> VerticalLines(int row = 202)
    {
        std::vector<int> xs;
        for (int x = 60; x <= 410; ++x)
            if (surface.pixel(x, row) == Tick())
                xs.push_back(x);
        return xs;
    }

    // True when the label band at pen (x, y) shows exactly what the glyphs draw for the
    // number followed by the unit symbol (empty unit: the number alone), and shows something.
    bool LabelShows(float x, float y, int16_t number, QStringView unit)
    {
        Surface expected;
        expected.FilledBox(0, 0, Surface::kWidth, Surface::kHeight, state->GraphBackColor);
        expected.Point(x, y, state->GraphBackColor);
        DrawSegmentNumber(*state, expected, number, state->GraphAxisTextColor);
        DrawUnitSymbols(*state, expected, unit, state->GraphAxisTextColor);
        const int left = Surface::PixelOf(x);
        const int top = Surface::PixelOf(y) - 8;   // symbols reach 8 above the pen, 10 below
        int textPixels = 0;
        for (int py = top; py <= top + 18; ++py) {
            for (int px = left; px <= left + 42; ++px) {
                const bool want = expected.pixel(px, py) == Text();
                const bool have = surface.pixel(px, py) == Text();
                if (want != have)
                    return false;
                textPixels += have;
            }
        }
        return textPixels > 0;
    }

    std::unique_ptr<ProgramState> state = DefaultRenderState();
    Surface surface;
};

double At(int day, int hour, int minute)
{
    return DateTimeValue(QDateTime(QDate(2026, 3, day), QTime(hour, minute)));
}

} // namespace

TEST_F(GraphFrame, TemperatureGridContinuesTheThermometerMarks)
{
    DrawPageFrame(*state, surface);
    // Defaults: a line every 5 degrees, at the heights of the thermometer's marks.
    for (int t = -10; t <= 100; t += 5) {
        const int y = 350 - (t + 10) * 3;
        EXPECT_EQ(surface.pixel(80, y), Tick()) << t;
        EXPECT_EQ(surface.pixel(5, y), state->ThermometerTickColor | 0xff000000u) << t;
    }
    EXPECT_NE(surface.pixel(80, 350 - 13 * 3), Tick());   // 3 degrees: no line on wide scales

    state->ThermometerMin = 0;
    state->ThermometerMax = 40;
    DrawThermometer(*state, surface);
    DrawPageFrame(*state, surface);
    EXPECT_EQ(surface.pixel(80, Surface::PixelOf(350 - 3 * 8.25f)), Tick());
}

TEST_F(GraphFrame, PageFrameHasSixteenTimeLines22UnitsApart)
{
    DrawPageFrame(*state, surface);
    std::vector<int> expected;
    for (int k = 0; k <= 15; ++k)
        expected.push_back(70 + 22 * k);
    EXPECT_EQ(VerticalLines(), expected);
    EXPECT_EQ(surface.pixel(92, 20), Tick());
    EXPECT_EQ(surface.pixel(92, 350), Tick());
    EXPECT_NE(surface.pixel(92, 19), Tick());
}

TEST_F(GraphFrame, PageLabelsInMinuteModeCountFiveHoursAPageFromTheStart)
{
    state->StartTime = At(3, 9, 20);
    state->LastAxisSample = 600;   // third page: base 19:20 on the 3rd
    DrawPageFrame(*state, surface);
    const int hours[] = {19, 20, 21, 22, 23, 0};
    const int days[] = {3, 3, 3, 3, 3, 4};
    for (int k = 0; k < 6; ++k) {
        const float x = 50 + 1.1f * float(60 * k);
        EXPECT_TRUE(LabelShows(x, 366, int16_t(days[k]), u"D")) << k;
        EXPECT_TRUE(LabelShows(x, 386, int16_t(hours[k]), u"H")) << k;
    }
}

TEST_F(GraphFrame, PageLabelsInSecondsModeReadElapsedSeconds)
{
    state->MinuteMode = 0;
    state->LastAxisSample = 300;
    DrawPageFrame(*state, surface);
    const int16_t seconds[] = {30, 40, 50, 60};
    for (int k = 0; k < 4; ++k)
        EXPECT_TRUE(LabelShows(55 + 1.1f * float(100 * k), 365, seconds[k], u"")) << k;
    EXPECT_GT(CountPixels(surface, 370, 378, 392, 396, Text()), 0);   // one 秒 for the axis
}

TEST_F(GraphFrame, WholeRunOf12SamplesHasALineEverySampleAndLabelsAt0_5_10)
{
    state->SampleCount = 12;
    state->MinuteMode = 0;
    DrawRunGraph(*state, surface);
    std::vector<int> expected;
    for (int s = 0; s <= 12; ++s)
        expected.push_back(Surface::PixelOf(70 + 330.0f * float(s) / 12));
    EXPECT_EQ(VerticalLines(100), expected);
    // Seconds rounded half to even: samples 0, 5 and 10 read 0, 0 and 1.
    const int16_t seconds[] = {0, 0, 1};
    for (int k = 0; k < 3; ++k)
        EXPECT_TRUE(LabelShows(70 + 27.5f * float(5 * k) - 12, 365, seconds[k], u"")) << k;
    // Nothing between the labels.
    EXPECT_EQ(CountPixels(surface, 110, 358, 180, 380, Text()), 0);
}

TEST_F(GraphFrame, WholeRunOf5SamplesSpansTen)
{
    state->SampleCount = 5;
    state->StartTime = At(3, 9, 20);
    DrawRunGraph(*state, surface);
    std::vector<int> expected;
    for (int s = 0; s <= 10; ++s)
        expected.push_back(70 + 33 * s);
    EXPECT_EQ(VerticalLines(100), expected);
    for (int s : {0, 5, 10}) {
        EXPECT_TRUE(LabelShows(70 + 33.0f * float(s) - 20, 366, 3, u"D")) << s;
        EXPECT_TRUE(LabelShows(70 + 33.0f * float(s) - 20, 386, 9, u"H")) << s;
    }
}

TEST_F(GraphFrame, WholeRunOf300SecondSamplesLabelsEveryTenSeconds)
{
    state->SampleCount = 300;
    state->MinuteMode = 0;
    DrawRunGraph(*state, surface);
    std::vector<int> expected;
    for (int s = 0; s <= 300; s += 30)
        expected.push_back(Surface::PixelOf(70 + 330.0f * float(s) / 300));
    EXPECT_EQ(VerticalLines(100), expected);
    for (int k = 0; k < 4; ++k)
        EXPECT_TRUE(LabelShows(70 + 110.0f * float(k) - 12, 365, int16_t(10 * k), u"")) << k;
}

TEST_F(GraphFrame, WholeRunInMinuteModeCountsWholeHoursFromTheStart)
{
    state->SampleCount = 1000;   // grid every 200, labels every 500 samples
    state->StartTime = At(3, 22, 30);
    DrawRunGraph(*state, surface);
    EXPECT_EQ(VerticalLines(100).size(), 6u);
    EXPECT_TRUE(LabelShows(70 - 20, 366, 3, u"D"));
    EXPECT_TRUE(LabelShows(70 - 20, 386, 22, u"H"));
    EXPECT_TRUE(LabelShows(70 + 165 - 20, 366, 4, u"D"));   // 500 min = 8 whole hours: 6:30 on the 4th
    EXPECT_TRUE(LabelShows(70 + 165 - 20, 386, 6, u"H"));
    EXPECT_TRUE(LabelShows(400 - 20, 386, 14, u"H"));   // 1000 min = 16 hours: 14:30
}

TEST_F(GraphFrame, EmptyRunDrawsAFrameOfSpanTenWithoutCurves)
{
    state->SampleCount = 0;
    state->TemperatureHistory[0] = 5000;
    DrawRunGraph(*state, surface);
    EXPECT_EQ(VerticalLines(100).size(), 11u);
    EXPECT_EQ(CountPixels(surface, 70, 0, 400, 360, state->ThermometerLiquidColor), 0);
}

// A widening redraws one instrument alone while the graph stays; the first and the last time
// label reach into the instruments' strips and must keep their digits.
TEST_F(GraphFrame, InstrumentRedrawsLeaveTheTimeLabelsWhole)
{
    state->StartTime = At(3, 9, 20);
    DrawPageFrame(*state, surface);
    const int before = CountPixels(surface, 49, 358, 69, 399, state->GraphAxisTextColor);
    const int beforeRight = CountPixels(surface, 401, 358, 440, 399, state->GraphAxisTextColor);
    EXPECT_GT(before, 0);
    EXPECT_GT(beforeRight, 0);
    DrawThermometer(*state, surface);
    DrawBarometer(*state, surface);
    EXPECT_TRUE(LabelShows(50, 366, 3, u"D"));
    EXPECT_TRUE(LabelShows(50, 386, 9, u"H"));
    EXPECT_EQ(CountPixels(surface, 401, 358, 440, 399, state->GraphAxisTextColor), beforeRight);
    EXPECT_EQ(surface.pixel(30, 390), state->GraphBackColor | 0xff000000u);
    EXPECT_EQ(surface.pixel(470, 390), state->GraphBackColor | 0xff000000u);
}
