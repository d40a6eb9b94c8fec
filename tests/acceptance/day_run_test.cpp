// A minute run over a whole simulated day: the recording ticks are run directly (two per
// minute) while the live readout keeps polling the box, and the clock is settable.

#include "render/Glyphs.h"
#include "support/AcceptanceRun.h"

#include <QLabel>

namespace {

struct TimeLabel {
    float x;   // pen position of the first row
    int day;
    int hour;
};

// The time axis as it should read: on a copy of the band below the graph, each label's day and
// 日 on the first row, its hour and 時 on the second.
QImage ExpectedTimeAxis(const ProgramState& state, const std::vector<TimeLabel>& labels)
{
    Surface expected;
    expected.FilledBox(49, 358, 440, 399, state.GraphBackColor);
    for (const TimeLabel& label : labels) {
        expected.setPen({label.x, 366});
        DrawSegmentNumber(state, expected, static_cast<int16_t>(label.day), state.GraphAxisTextColor);
        DrawUnitSymbols(state, expected, u"D", state.GraphAxisTextColor);
        expected.setPen({label.x, 386});
        DrawSegmentNumber(state, expected, static_cast<int16_t>(label.hour), state.GraphAxisTextColor);
        DrawUnitSymbols(state, expected, u"H", state.GraphAxisTextColor);
    }
    return expected.image().copy(QRect(QPoint(49, 358), QPoint(399, 399)));
}

QImage TimeAxis(Poruka& window)
{
    return window.surface().image().copy(QRect(QPoint(49, 358), QPoint(399, 399)));
}

// Labels of one page in the page view: every hour from the page's base time.
std::vector<TimeLabel> PageLabels(int day, int hour)
{
    std::vector<TimeLabel> labels;
    for (int s = 0; s <= 300; s += 60) {
        labels.push_back({50 + 1.1f * s, day, hour});
        if (++hour == 24) {
            hour = 0;
            ++day;
        }
    }
    return labels;
}

} // namespace

TEST_F(AcceptanceRun, MinuteRunOverADayTurnsPagesLabelsDaysAndHoursAndShowsTheWholeRun)
{
    WriteCustomization("Zikan=1\r\n");
    ASSERT_TRUE(StartBox({"--scenario", "steady"}));
    OpenWindow(/*settableClock=*/true);
    clock->now = 46000.5;   // 9 December 2025, 12:00
    ASSERT_TRUE(WaitForReadings());
    ASSERT_EQ(window->Text1->text(), " 20");
    ASSERT_EQ(window->Text3->text(), " 1013");

    ledger.Start(*window);
    EXPECT_EQ(window->state().StartTime, 46000.5);
    EXPECT_EQ(window->Timer2->interval(), 30000);
    EXPECT_EQ(TimeAxis(*window), ExpectedTimeAxis(window->state(), PageLabels(9, 12)));

    // One day: 1440 minutes of two ticks each. Every page of 300 samples starts five hours
    // after the one before; every four hours the readout gets a tick of its own.
    std::vector<float> pageStarts;
    for (int minute = 1; minute <= 1440; ++minute) {
        clock->now = 46000.5 + minute / 1440.0;
        const float pageBefore = window->state().LastAxisSample;
        ledger.Tick(*window);
        ledger.Tick(*window);
        const ProgramState& state = window->state();
        if (state.LastAxisSample != pageBefore) {
            pageStarts.push_back(state.LastAxisSample);
            const int hours = 12 + 5 * static_cast<int>(pageStarts.size());
            EXPECT_EQ(TimeAxis(*window), ExpectedTimeAxis(state, PageLabels(9 + hours / 24, hours % 24)))
                << "page from sample " << state.LastAxisSample;
        }
        if (minute % 240 == 0) {
            ASSERT_TRUE(WaitForTicks(window->Timer1, 1));
        }
    }
    EXPECT_EQ(pageStarts, (std::vector<float>{300, 600, 900, 1200}));
    EXPECT_EQ(window->state().SampleCount, 1441);
    EXPECT_EQ(window->Label3->text(), "1日0時間0分");   // written before the 1441st sample
    ledger.ExpectAllKept(*window);

    // Stopped, the graph shows the whole run: 1440 samples, labels every 1000 samples, that is
    // at the start and 16 hours later.
    window->Start->click();
    const ProgramState& state = window->state();
    ASSERT_EQ(state.SampleCount, 1440);
    const float x1000 = 70 + 330 * 1000 / 1440.0f;
    EXPECT_EQ(TimeAxis(*window),
              ExpectedTimeAxis(state, {{50, 9, 12}, {x1000 - 20, 10, 4}}));
    // Both curves run across the whole graph at the heights of 20 °C and 1013 hPa.
    const float yTemperature = 350 - (20 - state.ThermometerMin) * state.ThermometerScale;
    const float yPressure = 350 - (1013 - state.BarometerMin) * state.BarometerScale;
    for (int x : {71, 150, 235, 320, 399}) {
        EXPECT_EQ(window->surface().pixel(x, Surface::PixelOf(yTemperature)), state.ThermometerLiquidColor) << x;
        EXPECT_EQ(window->surface().pixel(x, Surface::PixelOf(yPressure)), state.BarometerLiquidColor) << x;
    }
    ledger.ExpectAllKept(*window);
    for (int i = 0; i < 1440; ++i) {
        ASSERT_EQ(state.TemperatureHistory[i], 2000) << i;
        ASSERT_EQ(state.PressureHistory[i], 10130) << i;
    }
}
