// Long runs: the full 12000-sample history and beyond, with stops and continues in between.

#include "support/RecordingWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

constexpr int kSamples = 12500;

// Varying values that are exact after scaling: quarter degrees and tenths of a hectopascal
// made of halves.
double TemperatureAt(int i) { return -5 + (i * 37 % 420) * 0.25; }
double PressureAt(int i) { return 950 + (i * 53 % 240) * 0.5; }

struct Expected {
    std::vector<float> temperature = std::vector<float>(kHistorySlots, 0.0f);
    std::vector<float> pressure = std::vector<float>(kHistorySlots, 0.0f);
};

// Records kSamples samples through the handlers, stopping and continuing now and then (each
// stop draws the whole run, each continue redraws the page), and keeps what each slot should
// hold.
void Soak(RecordingWindow& r, Expected& expected)
{
    int fed = 0;
    // stepBack: the sample goes in after Start steps SampleCount back once more.
    auto feedNext = [&](int stepBack = 0) {
        const double t = TemperatureAt(fed);
        const double p = PressureAt(fed);
        const int slot = std::max(0, static_cast<int>(r.state().SampleCount) - stepBack);
        expected.temperature[slot] = static_cast<float>(t * 100);
        expected.pressure[slot] = static_cast<float>(p * 10);
        r.Feed(t, p);
        ++fed;
    };
    const bool minuteMode = r.state().MinuteMode == kMinuteMode;
    if (minuteMode)
        feedNext();
    r.w().Start_Click();
    while (fed < kSamples) {
        if (fed % 2999 == 1000) {
            r.w().Start_Click();   // stop
            if (minuteMode)
                feedNext(1);       // continuing in minute mode takes a sample at once
            r.w().Start_Click();   // continue
        }
        feedNext();
        r.Sample();
    }
}

void ExpectHistoriesHoldWhatWasFed(RecordingWindow& r, const Expected& expected)
{
    EXPECT_EQ(r.state().SampleCount, kLastHistorySlot);
    int wrong = 0;
    for (int slot = 0; slot < kHistorySlots; ++slot) {
        if (r.state().TemperatureHistory[slot] != expected.temperature[slot]
            || r.state().PressureHistory[slot] != expected.pressure[slot]) {
            if (++wrong < 5)
                ADD_FAILURE() << "slot " << slot << ": " << r.state().TemperatureHistory[slot] << " / "
                              << r.state().PressureHistory[slot] << ", expected "
                              << expected.temperature[slot] << " / " << expected.pressure[slot];
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST(RecordingSoak, TenthModeRunsPastTheFullHistory)
{
    RecordingWindow r(kTenthSecondMode);
    Expected expected;
    Soak(r, expected);
    ExpectHistoriesHoldWhatWasFed(r, expected);
    EXPECT_EQ(r.w().Label3->text(), QStringLiteral("    1200秒"));
    EXPECT_TRUE(r.Running());
    r.w().Start_Click();
    EXPECT_EQ(r.state().SampleCount, kLastHistorySlot - 1);
}

TEST(RecordingSoak, MinuteModeRunsPastTheFullHistory)
{
    RecordingWindow r(kMinuteMode);
    Expected expected;
    Soak(r, expected);
    ExpectHistoriesHoldWhatWasFed(r, expected);
    EXPECT_EQ(r.w().Label3->text(), QStringLiteral("8日8時間0分"));
    r.w().Start_Click();
    EXPECT_EQ(r.state().SampleCount, kLastHistorySlot - 1);
}

// With the histories full every sample replaces the last slot; the alert check still compares
// each sample with the one recorded before it.
TEST(RecordingSoak, AlertsKeepWorkingOnceTheHistoryIsFull)
{
    RecordingWindow r(kTenthSecondMode);
    r.TemperatureAlert(-1, 2500, 5, 255, QStringLiteral("25度"));
    r.w().Start_Click();
    r.Feed(20, 1000);
    for (int i = 0; i < kLastHistorySlot + 5; ++i)
        r.Sample();
    ASSERT_EQ(r.state().SampleCount, kLastHistorySlot);
    EXPECT_FALSE(r.AlertShown());

    r.Feed(25, 1000);
    r.Sample();
    EXPECT_TRUE(r.AlertShown());
    r.w().Timer3_Timer();

    r.Feed(26, 1000);
    r.Sample();
    EXPECT_FALSE(r.AlertShown());
    r.Feed(24, 1000);
    r.Sample();
    r.Feed(25, 1000);
    r.Sample();
    EXPECT_TRUE(r.AlertShown());
    EXPECT_EQ(r.state().TemperatureHistory[kLastHistorySlot], 2500.0f);
}

// The first sample that reaches the last slot is compared with the slot below it.
TEST(RecordingSoak, FirstSampleInTheLastSlotIsComparedWithTheSlotBelow)
{
    RecordingWindow r(kTenthSecondMode);
    r.TemperatureAlert(-1, 2500, 5, 255, QStringLiteral("25度"));
    r.w().Start_Click();
    r.Feed(20, 1000);
    for (int i = 0; i < kLastHistorySlot; ++i)
        r.Sample();
    ASSERT_EQ(r.state().SampleCount, kLastHistorySlot);
    r.state().TemperatureHistory[kLastHistorySlot] = 3000;   // left from an earlier run
    r.Feed(25, 1000);
    r.Sample();
    EXPECT_TRUE(r.AlertShown());
}

} // namespace
