// Starting, stopping and continuing a recording run, and the elapsed-time texts.

#include "support/RecordingWindow.h"

#include <gtest/gtest.h>

namespace {

TEST(StartClick, MinuteModeTakesTheFirstSampleAtOnce)
{
    RecordingWindow r(kMinuteMode);
    r.clock->now = 46001.25;
    r.Feed(23.5, 1013);
    r.w().Start_Click();

    EXPECT_TRUE(r.Running());
    EXPECT_EQ(r.w().Start->text(), QStringLiteral("ストップ"));
    EXPECT_TRUE(r.w().DataReset->isHidden());
    EXPECT_DOUBLE_EQ(r.state().StartTime, 46001.25);
    EXPECT_EQ(r.state().SampleCount, 1);
    EXPECT_EQ(r.state().TemperatureHistory[0], 2350.0f);
    EXPECT_EQ(r.state().PressureHistory[0], 10130.0f);
    EXPECT_TRUE(r.w().Timer2->isActive());
    EXPECT_EQ(r.w().Timer2->interval(), 30000);
    EXPECT_EQ(r.state().MinuteToggle, 0);
}

TEST(Timer2Timer, MinuteModeActsOnEverySecondTick)
{
    RecordingWindow r(kMinuteMode);
    r.Feed(20, 1000);
    r.w().Start_Click();
    const QString before = r.w().Label3->text();

    r.Feed(21, 1001);
    r.w().Timer2_Timer();   // 30 s: only the gate turns
    EXPECT_EQ(r.state().SampleCount, 1);
    EXPECT_EQ(r.state().MinuteToggle, 1);
    EXPECT_EQ(r.w().Label3->text(), before);

    r.w().Timer2_Timer();   // 60 s: the time so far, then the second sample
    EXPECT_EQ(r.w().Label3->text(), QStringLiteral("0時間1分"));
    EXPECT_EQ(r.state().SampleCount, 2);
    EXPECT_EQ(r.state().MinuteToggle, 0);
    EXPECT_EQ(r.state().TemperatureHistory[1], 2100.0f);
    EXPECT_EQ(r.state().PressureHistory[1], 10010.0f);
}

TEST(StartClick, TenthModeWaitsForTheFirstTick)
{
    RecordingWindow r(kTenthSecondMode);
    r.Feed(20, 1000);
    r.w().Start_Click();
    EXPECT_EQ(r.state().SampleCount, 0);
    EXPECT_TRUE(r.w().Timer2->isActive());
    EXPECT_EQ(r.w().Timer2->interval(), 100);

    r.w().Timer2_Timer();
    EXPECT_EQ(r.state().SampleCount, 1);
    EXPECT_EQ(r.w().Label3->text(), QStringLiteral("    0秒"));
    EXPECT_EQ(r.state().TemperatureHistory[0], 2000.0f);
}

TEST(Timer2Timer, SecondsTextShowsTheSamplesBeforeThisOne)
{
    RecordingWindow r(kTenthSecondMode);
    r.w().Start_Click();
    r.state().SampleCount = 123;
    r.w().Timer2_Timer();
    EXPECT_EQ(r.w().Label3->text(), QStringLiteral("    12.3秒"));
    EXPECT_EQ(r.state().SampleCount, 124);
}

TEST(StartClick, StopAndContinueEachStepBackOneSample)
{
    RecordingWindow r(kMinuteMode);
    r.Feed(10, 1000);
    r.w().Start_Click();
    for (int i = 1; i < 10; ++i) {
        r.Feed(10 + i, 1000 + i);
        r.Sample();
    }
    ASSERT_EQ(r.state().SampleCount, 10);

    r.w().Start_Click();   // stop
    EXPECT_FALSE(r.Running());
    EXPECT_EQ(r.w().Start->text(), QStringLiteral("スタート"));
    EXPECT_FALSE(r.w().Timer2->isActive());
    EXPECT_FALSE(r.w().DataReset->isHidden());
    EXPECT_EQ(r.state().SampleCount, 9);

    r.Feed(50, 1050);
    r.w().Start_Click();   // continue: 9 -> 8, and the sample taken at once goes to slot 8
    EXPECT_TRUE(r.Running());
    EXPECT_EQ(r.state().SampleCount, 9);
    EXPECT_EQ(r.state().TemperatureHistory[8], 5000.0f);
    EXPECT_EQ(r.state().PressureHistory[8], 10500.0f);
    EXPECT_EQ(r.state().TemperatureHistory[7], 1700.0f);
    EXPECT_DOUBLE_EQ(r.state().StartTime, 46000.5);   // a continued run keeps its start
}

TEST(StartClick, StopWithNothingRecordedStaysAtZero)
{
    RecordingWindow r(kTenthSecondMode);
    r.w().Start_Click();
    r.w().Start_Click();
    EXPECT_EQ(r.state().SampleCount, 0);
    r.w().Start_Click();
    EXPECT_EQ(r.state().SampleCount, 0);
    EXPECT_TRUE(r.Running());
}

TEST(Timer2Timer, FieldsWithoutANumberRecordZero)
{
    RecordingWindow r(kTenthSecondMode);
    r.w().Text1->setText(QStringLiteral("Text1"));
    r.w().Text3->setText(QString());
    r.w().Start_Click();
    r.w().Timer2_Timer();
    EXPECT_EQ(r.state().TemperatureHistory[0], 0.0f);
    EXPECT_EQ(r.state().PressureHistory[0], 0.0f);

    // A number too large for a Single is held at the largest one instead of failing.
    r.w().Text1->setText(QStringLiteral("1e300"));
    r.w().Timer2_Timer();
    EXPECT_EQ(r.state().SampleCount, 2);
}

} // namespace
