#include "base/Numbers.h"

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

// Writes a finite value with the given significant digits and no exponent for the sizes the
// program meets; trailing zeros of the fraction are dropped.
QString PlainDigits(double magnitude, int significantDigits)
{
    if (!std::isfinite(magnitude))
        return QStringLiteral("0");
    QString text = QString::number(magnitude, 'g', significantDigits);
    if (text.contains(QLatin1Char('e')))
        return text.toUpper();   // only for values far outside anything the program shows
    return text;
}

QString WithSign(double value, const QString& digits)
{
    return (value < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + digits;
}

bool IsSkipped(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n');
}

} // namespace

QString DecimalText(double value)
{
    if (value == 0)
        return QStringLiteral(" 0");   // also for -0.0
    return WithSign(value, PlainDigits(std::fabs(value), 15));
}

QString DecimalText(float value)
{
    if (value == 0)
        return QStringLiteral(" 0");
    return WithSign(value, PlainDigits(std::fabs(static_cast<double>(value)), 7));
}

double LeadingNumber(QStringView text)
{
    // Gather the characters that form the number, skipping blanks wherever they stand.
    std::string number;
    bool digitSeen = false;
    bool pointSeen = false;
    bool exponentSeen = false;
    bool exponentDigitSeen = false;
    for (QChar c : text) {
        if (IsSkipped(c))
            continue;
        const char ch = c.unicode() < 128 ? static_cast<char>(c.unicode()) : '\0';
        const bool atStart = number.empty();
        const bool afterExponent = exponentSeen && (number.back() == 'e');
        if ((ch == '+' || ch == '-') && (atStart || afterExponent)) {
            number += ch;
        } else if (ch >= '0' && ch <= '9') {
            number += ch;
            (exponentSeen ? exponentDigitSeen : digitSeen) = true;
        } else if (ch == '.' && !pointSeen && !exponentSeen) {
            number += ch;
            pointSeen = true;
        } else if ((ch == 'e' || ch == 'E' || ch == 'd' || ch == 'D') && digitSeen && !exponentSeen) {
            number += 'e';
            exponentSeen = true;
        } else {
            break;
        }
    }
    if (!digitSeen)
        return 0;
    if (exponentSeen && !exponentDigitSeen) {
        // "12e" or "12e-": the exponent never started, so the number ends before it.
        number.erase(number.find('e'));
    }
    const double value = std::strtod(number.c_str(), nullptr);
    if (std::isinf(value))
        return value > 0 ? DBL_MAX : -DBL_MAX;
    return value;
}

int16_t RoundToInteger(double value)
{
    if (std::isnan(value))
        return 0;
    const double rounded = std::nearbyint(value);   // default mode: halves to even
    if (rounded >= std::numeric_limits<int16_t>::max())
        return std::numeric_limits<int16_t>::max();
    if (rounded <= std::numeric_limits<int16_t>::min())
        return std::numeric_limits<int16_t>::min();
    return static_cast<int16_t>(rounded);
}

int32_t RoundToLong(double value)
{
    if (std::isnan(value))
        return 0;
    const double rounded = std::nearbyint(value);
    if (rounded >= std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (rounded <= std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(rounded);
}

double Int(double value)
{
    return std::floor(value);
}
