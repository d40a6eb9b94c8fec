#include "base/DateTime.h"
#include "base/Numbers.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

TEST(DecimalText, LeadingSpaceForZeroAndAboveMinusBelow)
{
    EXPECT_EQ(DecimalText(100.0), QStringLiteral(" 100"));
    EXPECT_EQ(DecimalText(-30.0), QStringLiteral("-30"));
    EXPECT_EQ(DecimalText(0.0), QStringLiteral(" 0"));
    EXPECT_EQ(DecimalText(-0.0), QStringLiteral(" 0"));
    EXPECT_EQ(DecimalText(41 / 10.0), QStringLiteral(" 4.1"));
    EXPECT_EQ(DecimalText(12.3), QStringLiteral(" 12.3"));
    EXPECT_EQ(DecimalText(22.5f), QStringLiteral(" 22.5"));
    EXPECT_EQ(DecimalText(4.1f), QStringLiteral(" 4.1"));   // a Single, not 4.0999999
    EXPECT_EQ(DecimalText(3 * 0.1), QStringLiteral(" 0.3"));  // 15 digits hide the binary tail
    EXPECT_EQ(DecimalText(42 / 10.0), QStringLiteral(" 4.2"));
    EXPECT_EQ(DecimalText(-1e20), QStringLiteral("-1E+20"));  // far out of range: an exponent
}

TEST(LeadingNumber, ReadsTheNumberATextBeginsWith)
{
    EXPECT_DOUBLE_EQ(LeadingNumber(u" 12.5abc"), 12.5);
    EXPECT_DOUBLE_EQ(LeadingNumber(u"-"), 0.0);
    EXPECT_DOUBLE_EQ(LeadingNumber(u"abc"), 0.0);
    EXPECT_DOUBLE_EQ(LeadingNumber(u""), 0.0);
    EXPECT_DOUBLE_EQ(LeadingNumber(u"1 0 0"), 100.0);    // blanks are skipped anywhere
    EXPECT_DOUBLE_EQ(LeadingNumber(u"\t-4\n2"), -42.0);
    EXPECT_DOUBLE_EQ(LeadingNumber(u"1.5.5"), 1.5);      // one full stop only
    EXPECT_DOUBLE_EQ(LeadingNumber(u"2e3x"), 2000.0);
    EXPECT_DOUBLE_EQ(LeadingNumber(u"2e"), 2.0);
    EXPECT_DOUBLE_EQ(LeadingNumber(u".5"), 0.5);
    EXPECT_DOUBLE_EQ(LeadingNumber(u"+7"), 7.0);
    EXPECT_DOUBLE_EQ(LeadingNumber(u"- 5"), -5.0);
    EXPECT_DOUBLE_EQ(LeadingNumber(u"1,000"), 1.0);
    EXPECT_DOUBLE_EQ(LeadingNumber(u"2E+3"), 2000.0);
    EXPECT_DOUBLE_EQ(LeadingNumber(u"1d2"), 100.0);
    EXPECT_DOUBLE_EQ(LeadingNumber(u"+-5"), 0.0);
    EXPECT_DOUBLE_EQ(LeadingNumber(u"1e-999"), 0.0);
}

TEST(LeadingNumber, OverflowEndsInAFiniteValue)
{
    EXPECT_EQ(LeadingNumber(u"1e999"), DBL_MAX);
    EXPECT_EQ(LeadingNumber(u"-1e999"), -DBL_MAX);
    EXPECT_EQ(LeadingNumber(QString(400, QLatin1Char('9'))), DBL_MAX);
    EXPECT_EQ(LeadingNumber(u"0.0001e99999999999999999999"), DBL_MAX);
    EXPECT_EQ(LeadingNumber(u"-.05e-400"), 0.0);
    EXPECT_EQ(LeadingNumber(u"123e-99999999999999999999"), 0.0);
    EXPECT_EQ(LeadingNumber(u"0e999"), 0.0);
}

TEST(LeadingNumber, FullWidthDigitsFromAJapaneseInputMethodCount)
{
    EXPECT_DOUBLE_EQ(LeadingNumber(u"１２．５"), 12.5);
    EXPECT_DOUBLE_EQ(LeadingNumber(u"\u3000－３０"), -30.0);
    EXPECT_DOUBLE_EQ(LeadingNumber(u"１０１３ｈＰａ"), 1013.0);
}

TEST(RoundToInteger, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(RoundToInteger(22.5), 22);
    EXPECT_EQ(RoundToInteger(23.5), 24);
    EXPECT_EQ(RoundToInteger(-2.5), -2);
    EXPECT_EQ(RoundToInteger(174.275), 174);
    EXPECT_EQ(RoundToInteger(1e9), 32767);
    EXPECT_EQ(RoundToInteger(-1e9), -32768);
    EXPECT_EQ(RoundToInteger(-32768.5), -32768);
    EXPECT_EQ(RoundToInteger(std::nan("")), 0);
    EXPECT_EQ(RoundToLong(2.5), 2);
    EXPECT_EQ(RoundToLong(12000.5), 12000);
    EXPECT_EQ(RoundToLong(1e300), 2147483647);
}

TEST(Int, FloorsNegativesDownward)
{
    EXPECT_EQ(Int(-2.5), -3.0);
    EXPECT_EQ(Int(-0.2), -1.0);
    EXPECT_EQ(Int(2.9), 2.0);
}

TEST(DateTimeValue, DayAndHourOfAValueWithWholeHoursAdded)
{
    const QDateTime start(QDate(2026, 3, 3), QTime(9, 20));
    const double value = DateTimeValue(start);
    EXPECT_EQ(DayOfMonth(value), 3);
    EXPECT_EQ(HourOfDay(value), 9);
    EXPECT_EQ(HourOfDay(value + 10 * kOneHour), 19);
    EXPECT_EQ(DayOfMonth(value + 15 * kOneHour), 4);
    EXPECT_EQ(HourOfDay(value + 15 * kOneHour), 0);
    EXPECT_EQ(DayOfMonth(0), 30);   // day zero is 1899-12-30
    EXPECT_EQ(DateTimeFromValue(value), start);
}
