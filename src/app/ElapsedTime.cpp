#include "app/ElapsedTime.h"

#include "base/Numbers.h"

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
    return QStringLiteral("   ") + DecimalText(sampleCount / 10) + QStringLiteral("秒");
}
