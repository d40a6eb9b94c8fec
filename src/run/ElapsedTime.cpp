#include "run/ElapsedTime.h"

#include "base/Numbers.h"

#include <cmath>

namespace {

QString PlainDigits(double wholeNumber)
{
    return QString::number(static_cast<qint64>(wholeNumber));
}

} // namespace

QString MinuteElapsedText(double sampleCount)
{
    const double hoursTotal = Int(sampleCount / 60);
    const double days = Int(hoursTotal / 24);
    const double hours = hoursTotal - days * 24;
    const double minutes = sampleCount - (days * 1440 + hours * 60);

    QString text;
    if (days > 0)
        text += PlainDigits(days) + QStringLiteral("日");
    text += PlainDigits(hours) + QStringLiteral("時間");
    text += PlainDigits(minutes) + QStringLiteral("分");
    return text;
}

QString MinuteCountText(double sampleCount)
{
    return QStringLiteral("   ") + DecimalText(sampleCount) + QStringLiteral("分");
}

QString SecondsElapsedText(double sampleCount)
{
    // A whole count below 10^14 is written from its digits, ten times a second while
    // recording: the same text DecimalText gives (n / 10 has at most 14 significant digits,
    // which a double keeps exactly), without the general formatting's cost.
    if (sampleCount >= 0 && sampleCount < 1e14 && sampleCount == std::floor(sampleCount)) {
        const auto tenths = static_cast<qint64>(sampleCount);
        QString text;
        text.reserve(24);   // the padding, 13 digits, a point, a tenth and 秒: built in place
        text += u"    ";
        text += QString::number(tenths / 10);
        if (tenths % 10 != 0) {
            text += u'.';
            text += QChar(u'0' + static_cast<char16_t>(tenths % 10));
        }
        text += u'秒';
        return text;
    }
    return QStringLiteral("   ") + DecimalText(sampleCount / 10) + QStringLiteral("秒");
}
