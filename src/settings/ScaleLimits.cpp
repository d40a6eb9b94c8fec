#include "settings/ScaleLimits.h"

#include "base/Numbers.h"

double HeldToBounds(QStringView text, double low, double high)
{
    double number = LeadingNumber(text);
    if (number < low)
        number = low;
    if (number > high)
        number = high;
    return number;
}

FixedLimits CorrectLimits(QStringView upperField, QStringView lowerField, const LimitBounds& bounds)
{
    FixedLimits limits{};
    limits.min = HeldToBounds(upperField, bounds.upperFieldLow, bounds.upperFieldHigh);
    limits.max = HeldToBounds(lowerField, bounds.lowerFieldLow, bounds.lowerFieldHigh);
    if (limits.max < limits.min) {
        const int16_t formerMax = RoundToInteger(limits.max);
        limits.max = limits.min;
        limits.min = formerMax;
    }
    if (limits.max - limits.min < bounds.smallestSpan)
        limits.max = limits.min + bounds.smallestSpan;
    return limits;
}
