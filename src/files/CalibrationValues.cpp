#include "files/CalibrationValues.h"

#include <charconv>
#include <cmath>

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsSeparator(char c)
{
    return c == ',' || c == '\n' || c == '\r' || c == ' ' || c == '\t';
}

// Optional sign, digits with at most one full stop (at least one digit), optional exponent.
bool LooksLikeNumber(std::string_view text)
{
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        size_t exponentDigits = 0;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return false;
    }
    return i == text.size();
}

} // namespace

CalibrationValue ParseCalibrationValue(std::string_view token)
{
    if (!LooksLikeNumber(token))
        return {std::nullopt, kFileErrorNotANumber};
    if (token.front() == '+')   // from_chars takes no plus sign
        token.remove_prefix(1);
    double number = 0;
    const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), number);
    if (error == std::errc::result_out_of_range)
        return {std::nullopt, kFileErrorOverflow};
    if (error != std::errc() || end != token.data() + token.size() || !std::isfinite(number))
        return {std::nullopt, kFileErrorNotANumber};
    const double whole = std::nearbyint(number);   // the default rounding: halves to even
    if (whole < -32768.0 || whole > 32767.0)
        return {std::nullopt, kFileErrorOverflow};
    return {static_cast<int16_t>(whole), 0};
}

void ReadCalibrationValues(QByteArrayView content, CalibrationTable& table, int16_t& fileError)
{
    const std::string_view text(content.data(), static_cast<size_t>(content.size()));
    size_t at = 0;

    // The header: one whole line, discarded unread. An empty file has none.
    if (text.empty()) {
        fileError = kFileErrorPastEnd;
    } else {
        at = text.find_first_of("\r\n");
        if (at == std::string_view::npos)
            at = text.size();
        else if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n')
            at += 2;
        else
            at += 1;
    }

    for (int16_t& entry : table) {
        while (at < text.size() && IsSeparator(text[at]))
            ++at;
        if (at >= text.size()) {
            fileError = kFileErrorPastEnd;
            continue;
        }
        const size_t start = at;
        while (at < text.size() && !IsSeparator(text[at]))
            ++at;
        const CalibrationValue read = ParseCalibrationValue(text.substr(start, at - start));
        if (read.value)
            entry = *read.value;
        else
            fileError = read.error;
    }
}
