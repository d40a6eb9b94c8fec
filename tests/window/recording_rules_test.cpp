// The rules behind the recording run's texts and alerts: elapsed time, which alert entries
// count, display times and colour values.

#include "base/Numbers.h"
#include "run/AlertRules.h"
#include "run/ElapsedTime.h"

#include <QRgb>
#include <gtest/gtest.h>

namespace {

TEST(ElapsedTime, MinuteTextCountsDaysHoursAndMinutes)
{
    EXPECT_EQ(MinuteElapsedText(0), QStringLiteral("0時間0分"));
    EXPECT_EQ(MinuteElapsedText(1), QStringLiteral("0時間1分"));
    EXPECT_EQ(MinuteElapsedText(45), QStringLiteral("0時間45分"));
    EXPECT_EQ(MinuteElapsedText(60), QStringLiteral("1時間0分"));
    EXPECT_EQ(MinuteElapsedText(1439), QStringLiteral("23時間59分"));
    EXPECT_EQ(MinuteElapsedText(1440), QStringLiteral("1日0時間0分"));
    EXPECT_EQ(MinuteElapsedText(1440 + 2 * 60 + 3), QStringLiteral("1日2時間3分"));
    EXPECT_EQ(MinuteElapsedText(12000), QStringLiteral("8日8時間0分"));
}


TEST(ElapsedTime, SecondsTextHasThreeSpacesThenTheDecimalText)
{
    EXPECT_EQ(SecondsElapsedText(123), QStringLiteral("    12.3秒"));
    EXPECT_EQ(SecondsElapsedText(0), QStringLiteral("    0秒"));
    EXPECT_EQ(SecondsElapsedText(10), QStringLiteral("    1秒"));
    EXPECT_EQ(SecondsElapsedText(12000), QStringLiteral("    1200秒"));
}

TEST(ElapsedTime, SecondsTextOfEveryCountIsTheDecimalTextOfItsSeconds)
{
    const auto viaDecimalText = [](double count) {
        return QStringLiteral("   ") + DecimalText(count / 10) + QStringLiteral("秒");
    };
    for (double count = 0; count < 100000; ++count)
        ASSERT_EQ(SecondsElapsedText(count), viaDecimalText(count)) << count;
    for (double count : {99999999999999.0, 1e14, 1e15 + 7, 12.5, -3.0})
        EXPECT_EQ(SecondsElapsedText(count), viaDecimalText(count)) << count;
}

TEST(AlertBackColour, RedSitsInTheLowByte)
{
    EXPECT_EQ(AlertBackColour(255), qRgb(255, 0, 0));
    EXPECT_EQ(AlertBackColour(0xFF00), qRgb(0, 255, 0));
    EXPECT_EQ(AlertBackColour(0xFF0000), qRgb(0, 0, 255));
    EXPECT_EQ(AlertBackColour(0x123456), qRgb(0x56, 0x34, 0x12));
    EXPECT_EQ(AlertBackColour(0), qRgb(0, 0, 0));
    EXPECT_FALSE(AlertBackColour(-1).has_value());
    EXPECT_FALSE(AlertBackColour(-32768).has_value());
    EXPECT_FALSE(AlertBackColour(0x1000000).has_value());
}


TEST(AlertEntryInUse, Entry30CountsWhenTheLoaderMarkedItEvenIfBlank)
{
    AlertTable table{};
    AlertTexts texts{};
    EXPECT_TRUE(AlertEntryInUse(table, texts, 3, false, 2));
    EXPECT_FALSE(AlertEntryInUse(table, texts, 3, false, 3));
    EXPECT_FALSE(AlertEntryInUse(table, texts, 30, false, 30));
    EXPECT_TRUE(AlertEntryInUse(table, texts, 30, true, 30));
    EXPECT_FALSE(AlertEntryInUse(table, texts, 29, true, 30));
    EXPECT_EQ(LastFiringAlert(table, texts, 30, true, 1, 0), 30);   // a falling alert through 0
    EXPECT_EQ(LastFiringAlert(table, texts, 30, false, 1, 0), 29);
}


} // namespace
