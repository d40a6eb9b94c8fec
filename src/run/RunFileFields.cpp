#include "run/RunFileFields.h"

#include <QDate>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace {

constexpr qint64 kJulianDayOf1970 = 2440588;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads between `least` and `most` digits at `at`; the value, or nothing when fewer are there.
std::optional<int> Digits(std::string_view text, size_t& at, size_t least, size_t most)
{
    const size_t begin = at;
    int value = 0;
    while (at < text.size() && at - begin < most && IsDigit(text[at]))
        value = value * 10 + (text[at++] - '0');
    if (at - begin < least)
        return std::nullopt;
    return value;
}

bool Take(std::string_view text, size_t& at, char c)
{
    if (at < text.size() && text[at] == c) {
        ++at;
        return true;
    }
    return false;
}

} // namespace

bool IsValidUtf8(std::string_view bytes)
{
    const auto* at = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = at + bytes.size();
    while (at < end) {
        // Eight plain ASCII bytes at a time: most of a run file.
        if (end - at >= 8) {
            quint64 word;
            std::memcpy(&word, at, 8);
            if ((word & 0x8080808080808080ULL) == 0) {
                at += 8;
                continue;
            }
        }
        const unsigned char lead = *at;
        if (lead < 0x80) {
            ++at;
            continue;
        }
        int more;
        unsigned char low = 0x80, high = 0xBF;   // the range of the byte after the lead
        if (lead >= 0xC2 && lead <= 0xDF) {
            more = 1;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            more = 2;
            if (lead == 0xE0)
                low = 0xA0;   // no overlong forms
            if (lead == 0xED)
                high = 0x9F;   // no surrogates
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            more = 3;
            if (lead == 0xF0)
                low = 0x90;
            if (lead == 0xF4)
                high = 0x8F;   // nothing past U+10FFFF
        } else {
            return false;
        }
        if (end - at <= more)
            return false;
        if (at[1] < low || at[1] > high)
            return false;
        for (int i = 2; i <= more; ++i)
            if ((at[i] & 0xC0) != 0x80)
                return false;
        at += more + 1;
    }
    return true;
}

std::string_view Trimmed(std::string_view text)
{
    // A quoted field can hold line breaks too; a field of nothing else is as empty as one of
    // spaces (the journal writes an alert's line breaks as spaces).
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

QString FieldText(const CsvField& field)
{
    QString text = QString::fromUtf8(field.text.data(), static_cast<qsizetype>(field.text.size()));
    if (field.doubledQuotes)
        text.replace(QStringLiteral("\"\""), QStringLiteral("\""));
    return text;
}

CsvRecords::Next CsvRecords::next()
{
    m_fields.clear();
    if (m_rest.empty())
        return Next::End;
    m_recordLine = m_line;
    const char* at = m_rest.data();
    const char* const end = at + m_rest.size();
    for (;;) {
        CsvField field;
        if (at < end && *at == '"') {
            const char* begin = ++at;
            for (;;) {
                at = static_cast<const char*>(std::memchr(at, '"', static_cast<size_t>(end - at)));
                if (at == nullptr)
                    return Next::OpenQuote;
                if (at + 1 < end && at[1] == '"') {
                    field.doubledQuotes = true;
                    at += 2;
                    continue;
                }
                break;
            }
            field.text = std::string_view(begin, static_cast<size_t>(at - begin));
            for (const char* c = begin; c < at; ++c)   // line breaks inside the quotes
                if (*c == '\n' || (*c == '\r' && (c + 1 == at || c[1] != '\n')))
                    ++m_line;
            ++at;
            // Whatever stands between the closing quote and the next comma is not kept.
            while (at < end && *at != m_separator && *at != '\r' && *at != '\n')
                ++at;
        } else {
            const char* begin = at;
            while (at < end && *at != m_separator && *at != '\r' && *at != '\n')
                ++at;
            field.text = std::string_view(begin, static_cast<size_t>(at - begin));
        }
        m_fields.push_back(field);
        if (at < end && *at == m_separator) {
            ++at;
            continue;
        }
        if (at < end) {   // CR LF, LF or CR
            if (*at++ == '\r' && at < end && *at == '\n')
                ++at;
            ++m_line;
        }
        break;
    }
    m_rest = std::string_view(at, static_cast<size_t>(end - at));
    return Next::Record;
}

char FieldSeparator(std::string_view text)
{
    const size_t begin = std::min(text.find_first_not_of("\r\n"), text.size());
    text = text.substr(begin, text.find_first_of("\r\n", begin) - begin);
    return std::count(text.begin(), text.end(), '\t') > std::count(text.begin(), text.end(), ',') ? '\t' : ',';
}

std::optional<double> ReadDecimal(std::string_view text, bool* fraction)
{
    text = Trimmed(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    // Plain decimals only: from_chars would also take "inf", "nan" and exponents.
    bool point = false;
    bool digits = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (IsDigit(c))
            digits = true;
        else if (c == '.' && !point)
            point = true;
        else if (!(c == '-' && i == 0))
            return std::nullopt;
    }
    if (!digits)
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    if (fraction)
        *fraction = point;
    return value;
}

std::optional<FieldTime> ReadFieldTime(std::string_view text)
{
    text = Trimmed(text);
    FieldTime time;
    size_t at = 0;
    const size_t firstBegin = at;
    const std::optional<int> first = Digits(text, at, 1, 4);
    if (!first)
        return std::nullopt;
    int hour = *first;
    if (at < text.size() && (text[at] == '-' || text[at] == '/')) {
        const char separator = text[at++];
        if (at - 1 - firstBegin != 4)
            return std::nullopt;
        const std::optional<int> month = Digits(text, at, 1, 2);
        if (!month || !Take(text, at, separator))
            return std::nullopt;
        const std::optional<int> day = Digits(text, at, 1, 2);
        const QDate date(*first, month.value_or(0), day.value_or(0));
        if (!day || !date.isValid())
            return std::nullopt;
        time.hasDate = true;
        time.day = date.toJulianDay() - kJulianDayOf1970;
        time.programForm = text.size() >= 19 && text[4] == '-' && text[7] == '-' && text[10] == ' '
            && text[13] == ':' && text[16] == ':';
        if (!Take(text, at, ' ') && !Take(text, at, 'T'))
            return std::nullopt;
        while (Take(text, at, ' ')) {}
        const std::optional<int> h = Digits(text, at, 1, 2);
        if (!h)
            return std::nullopt;
        hour = *h;
    } else if (at - firstBegin > 2) {
        return std::nullopt;
    }
    std::optional<int> minute = Take(text, at, ':') ? Digits(text, at, 2, 2) : std::nullopt;
    if (!minute)
        return std::nullopt;
    int second = 0;
    int ms = 0;
    const bool secondsFollow = Take(text, at, ':');
    // "23:04.7": a fraction right after the second number makes it minutes and seconds.
    time.noHour = !secondsFollow && !time.hasDate && at < text.size() && text[at] == '.';
    if (time.noHour) {
        second = *minute;
        minute = hour;
        hour = 0;
    } else if (secondsFollow) {
        const std::optional<int> s = Digits(text, at, 2, 2);
        if (!s)
            return std::nullopt;
        second = *s;
    }
    if ((secondsFollow || time.noHour) && Take(text, at, '.')) {
        const size_t begin = at;
        const std::optional<int> digits = Digits(text, at, 1, 3);
        if (!digits)
            return std::nullopt;
        ms = *digits * (at - begin == 1 ? 100 : at - begin == 2 ? 10
                                                                : 1);
        while (at < text.size() && IsDigit(text[at]))   // finer than a millisecond: dropped
            ++at;
        time.fraction = true;
    }
    if (at != text.size() || hour > 23 || *minute > 59 || second > 59)
        return std::nullopt;
    time.msOfDay = ((hour * 60 + *minute) * 60 + second) * 1000 + ms;
    return time;
}
