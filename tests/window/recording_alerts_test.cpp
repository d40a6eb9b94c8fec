// Alert messages: which crossings set them off, how they look and when they go away.

#include "support/RecordingWindow.h"

#include "files/CustomizationText.h"
#include "run/AlertRules.h"

#include <QScrollBar>

#include <gtest/gtest.h>

namespace {

const QString kWarm = QStringLiteral("25度をこえました");
const QString kCold = QStringLiteral("10度まで下がりました");
const QString kHigh = QStringLiteral("気圧が上がりました");

TEST(CheckAlerts, RisingAlertFiresWhenTheThresholdIsReached)
{
    RecordingWindow r(kTenthSecondMode);
    r.TemperatureAlert(-1, 2500, 10, 255, kWarm);
    r.RecordTemperatures({23, 24});
    EXPECT_FALSE(r.AlertShown());
    EXPECT_TRUE(r.ButtonsUnderAlertShown());

    r.RecordTemperatures({25});
    ASSERT_TRUE(r.AlertShown());
    EXPECT_EQ(r.w().Text2->toPlainText(), kWarm);
    EXPECT_FALSE(r.ButtonsUnderAlertShown());
    EXPECT_EQ(r.AlertBack(), QColor(255, 0, 0));
    EXPECT_TRUE(r.w().Timer3->isActive());
    EXPECT_EQ(r.w().Timer3->interval(), 10000);
}

TEST(CheckAlerts, RisingAlertStaysQuietAboveTheThreshold)
{
    RecordingWindow r(kTenthSecondMode);
    r.TemperatureAlert(-1, 2500, 10, 255, kWarm);
    r.RecordTemperatures({25, 25, 26, 27, 26.5});
    EXPECT_FALSE(r.AlertShown());
}

TEST(CheckAlerts, FallingAlertFiresOnReachingTheThresholdExactly)
{
    RecordingWindow r(kTenthSecondMode);
    r.TemperatureAlert(0, 1000, 5, 255, kCold);
    r.RecordTemperatures({12, 11});
    EXPECT_FALSE(r.AlertShown());
    r.RecordTemperatures({10});
    ASSERT_TRUE(r.AlertShown());
    EXPECT_EQ(r.w().Text2->toPlainText(), kCold);
}

TEST(CheckAlerts, TheFirstTwoSamplesAreNeverCompared)
{
    RecordingWindow r(kTenthSecondMode);
    r.TemperatureAlert(-1, 2500, 10, 255, kWarm);
    r.RecordTemperatures({20, 30});
    EXPECT_FALSE(r.AlertShown());
}

// A weather lesson's file with a pressure alert and no temperature alert once never showed
// the alert, because the check ran only when a temperature alert was defined.
TEST(CheckAlerts, PressureAlertAloneFromTheFileShowsWhenThePressureFallsThrough)
{
    RecordingWindow r(kTenthSecondMode);
    ASSERT_FALSE(ApplyCustomizationText(r.state(), "KD1000T0C12\r\n気圧が下がりました\r\n", [](const QString&) {}));
    ASSERT_EQ(r.state().TemperatureAlertCount, 0);
    r.w().Start_Click();
    for (double p : {1002.0, 999.0, 1001.0, 1000.5}) {   // the first step is never compared
        r.Feed(20, p);
        r.Sample();
        EXPECT_FALSE(r.AlertShown()) << p;
    }
    r.Feed(20, 1000);
    r.Sample();
    ASSERT_TRUE(r.AlertShown());
    EXPECT_EQ(r.w().Text2->toPlainText(), QStringLiteral("気圧が下がりました"));
}

TEST(CheckAlerts, PressureAlertShowsOnceATemperatureAlertExists)
{
    RecordingWindow r(kTenthSecondMode);
    r.TemperatureAlert(-1, 9000, 5, 255, kWarm);   // never reached
    r.PressureAlert(-1, 10130, 5, 0x00FF, kHigh);
    r.w().Start_Click();
    for (double p : {1011.0, 1012.0, 1013.0}) {
        r.Feed(20, p);
        r.Sample();
    }
    ASSERT_TRUE(r.AlertShown());
    EXPECT_EQ(r.w().Text2->toPlainText(), kHigh);
}

TEST(CheckAlerts, LastFiringEntryWinsPressureAfterTemperature)
{
    RecordingWindow r(kTenthSecondMode);
    r.TemperatureAlert(-1, 2400, 7, 255, QStringLiteral("first"));
    r.TemperatureAlert(-1, 2500, 8, 255, QStringLiteral("second"));
    r.TemperatureAlert(-1, 2600, 9, 255, QStringLiteral("not reached"));
    r.RecordTemperatures({23, 23, 25});
    EXPECT_EQ(r.w().Text2->toPlainText(), QStringLiteral("second"));
    EXPECT_EQ(r.w().Timer3->interval(), 8000);

    r.PressureAlert(0, 10000, 3, 0x7F00, kHigh);   // falling through 1000 hPa
    r.Feed(22, 1010);
    r.Sample();
    r.Feed(27, 990);
    r.Sample();
    EXPECT_EQ(r.w().Text2->toPlainText(), kHigh);
    EXPECT_EQ(r.w().Timer3->interval(), 3000);
    EXPECT_EQ(r.AlertBack(), QColor(0, 127, 0));
}

TEST(CheckAlerts, MinuteModeChecksTheSampleTakenAtStart)
{
    RecordingWindow r(kMinuteMode);
    r.TemperatureAlert(-1, 2500, 10, 255, kWarm);
    r.Feed(20, 1000);
    r.w().Start_Click();
    r.Sample();
    r.Sample();
    r.Feed(24, 1000);
    r.Sample();
    r.w().Start_Click();   // stop: 4 -> 3
    r.Feed(26, 1000);
    r.w().Start_Click();   // continue: 3 -> 2, slot 2 gets 26 at once, compared with slot 1
    EXPECT_TRUE(r.AlertShown());
}

TEST(Timer3Timer, TakesTheMessageDownAndBringsTheButtonsBack)
{
    RecordingWindow r(kTenthSecondMode);
    r.TemperatureAlert(-1, 2500, 10, 255, kWarm);
    r.RecordTemperatures({23, 24, 25});
    ASSERT_TRUE(r.AlertShown());

    r.w().Timer3_Timer();
    EXPECT_FALSE(r.AlertShown());
    EXPECT_TRUE(r.ButtonsUnderAlertShown());
    EXPECT_FALSE(r.w().Timer3->isActive());
    EXPECT_TRUE(r.Running());
}

TEST(StartClick, StoppingTakesTheMessageDown)
{
    RecordingWindow r(kTenthSecondMode);
    r.TemperatureAlert(-1, 2500, 0, 255, kWarm);   // 0 s: up until the run stops
    r.RecordTemperatures({23, 24, 25});
    ASSERT_TRUE(r.AlertShown());
    EXPECT_FALSE(r.w().Timer3->isActive());
    r.RecordTemperatures({26, 27});
    EXPECT_TRUE(r.AlertShown());

    r.w().Start_Click();
    EXPECT_FALSE(r.AlertShown());
    EXPECT_TRUE(r.ButtonsUnderAlertShown());
}

TEST(CheckAlerts, DisplayTimesAreHeldToTheTimerLimit)
{
    EXPECT_EQ(AlertDisplayInterval(0), 0);
    EXPECT_EQ(AlertDisplayInterval(-5), 0);
    EXPECT_EQ(AlertDisplayInterval(65), 65000);
    EXPECT_EQ(AlertDisplayInterval(66), 65535);
    EXPECT_EQ(AlertDisplayInterval(32767), 65535);

    RecordingWindow r(kTenthSecondMode);
    r.TemperatureAlert(-1, 2500, 600, 255, kWarm);
    r.RecordTemperatures({23, 24, 25});
    EXPECT_EQ(r.w().Timer3->interval(), 65535);
    EXPECT_TRUE(r.w().Timer3->isActive());
}

TEST(CheckAlerts, NegativeDisplayTimeKeepsTheMessageUntilStop)
{
    RecordingWindow r(kTenthSecondMode);
    r.TemperatureAlert(-1, 2500, 5, 255, QStringLiteral("five"));
    r.TemperatureAlert(-1, 2600, -3, 255, QStringLiteral("until stop"));
    r.RecordTemperatures({23, 24, 25});
    EXPECT_TRUE(r.w().Timer3->isActive());
    r.RecordTemperatures({26});
    EXPECT_EQ(r.w().Text2->toPlainText(), QStringLiteral("until stop"));
    EXPECT_FALSE(r.w().Timer3->isActive());   // the earlier message's timer no longer runs
}

TEST(CheckAlerts, InvalidColourKeepsTheFieldCyanAndDarkColoursGetLightText)
{
    RecordingWindow r(kTenthSecondMode);
    r.TemperatureAlert(-1, 2500, 5, 255, QStringLiteral("red"));
    r.TemperatureAlert(-1, 2600, 5, -1, QStringLiteral("no colour"));
    r.TemperatureAlert(-1, 2700, 5, 0, QStringLiteral("black"));
    r.RecordTemperatures({23, 24, 25});
    EXPECT_EQ(r.AlertBack(), QColor(255, 0, 0));
    EXPECT_EQ(r.w().Text2->palette().color(QPalette::Text), QColor(Qt::black));
    r.RecordTemperatures({26});
    EXPECT_EQ(r.w().Text2->toPlainText(), QStringLiteral("no colour"));
    EXPECT_EQ(r.AlertBack(), QColor(0, 255, 255));

    // Black on black would hide the message.
    r.RecordTemperatures({27});
    EXPECT_EQ(r.AlertBack(), QColor(0, 0, 0));
    EXPECT_EQ(r.w().Text2->palette().color(QPalette::Text), QColor(Qt::white));
}

TEST(CheckAlerts, LongMessagesWrapInsideTheField)
{
    RecordingWindow r(kTenthSecondMode);
    const QString longText = QStringLiteral("温度が25度をこえました。ビーカーの水をよく観察して、ノートに時刻を書きましょう。");
    r.TemperatureAlert(-1, 2500, 5, 255, longText);
    r.w().show();
    r.RecordTemperatures({23, 24, 25});
    EXPECT_EQ(r.w().Text2->toPlainText(), longText);
    EXPECT_EQ(r.w().Text2->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_GT(r.w().Text2->document()->lineCount(), 0);
    EXPECT_EQ(r.w().Text2->horizontalScrollBar()->maximum(), 0);   // nothing runs off sideways
}

// Entry 30 holds the latest of the alert lines beyond the thirtieth; with exactly 30 lines it
// is blank and must not act as a falling alert through 0.
TEST(CheckAlerts, BlankEntry30IsNotAnAlert)
{
    RecordingWindow r(kTenthSecondMode);
    for (int i = 0; i < 30; ++i)
        r.TemperatureAlert(-1, static_cast<int16_t>(9000 + i), 5, 255, QStringLiteral("hot"));
    ASSERT_EQ(r.state().TemperatureAlertCount, 30);
    r.RecordTemperatures({1, 1, 0});
    EXPECT_FALSE(r.AlertShown());
}

TEST(CheckAlerts, FilledEntry30IsExamined)
{
    RecordingWindow r(kTenthSecondMode);
    for (int i = 0; i < 31; ++i)
        r.TemperatureAlert(-1, static_cast<int16_t>(9000 + i), 5, 255, QStringLiteral("hot"));
    r.TemperatureAlert(0, 500, 5, 255, kCold);   // the 32nd line replaces entry 30
    ASSERT_EQ(r.state().TemperatureAlertCount, 30);
    r.RecordTemperatures({6, 6, 5});
    ASSERT_TRUE(r.AlertShown());
    EXPECT_EQ(r.w().Text2->toPlainText(), kCold);
}

} // namespace
