#include "base/Numbers.h"

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <charconv>
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
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n')
        || c == QChar(0x3000);   // the full-width space a Japanese input method types
}

// Typed with a Japanese input method switched on, digits, signs and the full stop come in
// their full-width forms (１２．５); they are the same number to the person typing.
char AsciiOf(QChar c)
{
    char16_t code = c.unicode();
    if (code >= 0xFF01 && code <= 0xFF5E)
        code = static_cast<char16_t>(code - 0xFEE0);
    return code < 128 ? static_cast<char>(code) : '\0';
}

// from_chars leaves the value alone when it does not fit a double; whether it was too large
// or too small follows from where the first significant digit stands once the exponent is
// applied.
double OutOfRange(const std::string& number)
{
    const bool negative = number.front() == '-';
    const size_t exponentAt = number.find('e');
    const std::string mantissa = number.substr(0, exponentAt);
    long long exponent = 0;
    if (exponentAt != std::string::npos) {
        const char* first = number.data() + exponentAt + 1;
        if (*first == '+')
            ++first;
        const auto [end, error] = std::from_chars(first, number.data() + number.size(), exponent);
        if (error == std::errc::result_out_of_range)
            exponent = (*first == '-') ? -LLONG_MAX / 2 : LLONG_MAX / 2;
    }
    const size_t point = std::min(mantissa.find('.'), mantissa.size());
    const size_t firstSignificant = mantissa.find_first_of("123456789");
    if (firstSignificant == std::string::npos)
        return 0;
    // Position of the first significant digit: 1 for "5", 0 for ".5", -1 for ".05".
    const long long order = static_cast<long long>(point) - static_cast<long long>(firstSignificant)
        + (firstSignificant > point ? 1 : 0);
    const bool tooLarge = order + exponent > 0;
    const double magnitude = tooLarge ? DBL_MAX : 0.0;
    return negative ? -magnitude : magnitude;
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
        const char ch = AsciiOf(c);
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
    // from_chars reads a full stop whatever the locale says; strtod would follow LC_NUMERIC,
    // which Qt sets from the system, and read "22.5" as 22 where the decimal mark is a comma.
    const char* first = number.data();
    if (*first == '+')
        ++first;
    double value = 0;
    const auto [end, error] = std::from_chars(first, number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range)
        return OutOfRange(number);
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
