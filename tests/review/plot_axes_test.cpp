// The marks along the review graph's axes: round steps and their texts.

#include "review/PlotAxes.h"

#include <gtest/gtest.h>

namespace {

void ExpectTicks(const std::vector<double>& ticks, const std::vector<double>& expected)
{
    ASSERT_EQ(ticks.size(), expected.size());
    for (size_t i = 0; i < ticks.size(); ++i)
        EXPECT_NEAR(ticks[i], expected[i], 1e-9) << i;
}

}   // namespace

TEST(PlotAxes, ValueTicksAreRoundSteps)
{
    ExpectTicks(ValueTicks(18.3, 31.9, 5), {20, 25, 30});
    ExpectTicks(ValueTicks(1011.62, 1012.41, 4), {1011.8, 1012.0, 1012.2, 1012.4});
    ExpectTicks(ValueTicks(-0.5, 0.5, 2), {-0.5, 0, 0.5});
    EXPECT_TRUE(ValueTicks(3, 3, 5).empty());   // no span
    EXPECT_EQ(TickDecimals(5), 0);
    EXPECT_EQ(TickDecimals(0.2), 1);
    EXPECT_EQ(TickDecimals(0.05), 2);
}

TEST(PlotAxes, TimeTicksAndTexts)
{
    EXPECT_EQ(TimeTicks(0, 25 * 60000.0, 6), (std::vector<double>{0, 300000, 600000, 900000, 1200000, 1500000}));
    EXPECT_EQ(TimeTicks(0, 28 * 3600000.0, 8).size(), 5u);   // every 6 hours
    const struct {
        double ms;
        double step;
        bool clock;
        const char* text;
    } cases[] = {
        {0, 300000, false, "0:00"},
        {754000, 60000, false, "12:34"},
        {5400000, 1800000, false, "1:30"},
        {12300, 100, false, "0:12.3"},
        {34200000, 1800000, true, "9:30"},
        {90000000 + 15000, 5000, true, "1:00:15"},   // the next day's 1 a.m.
        {-60000, 60000, false, "-1:00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TimeText(c.ms, c.step, c.clock), QString::fromUtf8(c.text)) << c.ms;
}
