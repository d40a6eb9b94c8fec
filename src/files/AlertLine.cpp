#include "files/AlertLine.h"

#include "files/ReadLeadingNumber.h"

#include <limits>

namespace {

enum AlertField { kDirection = 0, kThreshold = 1, kSeconds = 2, kColour = 3 };

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

qsizetype CountDigits(QStringView text)
{
    qsizetype count = 0;
    while (count < text.size() && IsDigit(text[count]))
        ++count;
    return count;
}

// "T" or "C" followed by digits only; the field keeps its value when the number is too large.
bool ReadDigitsPart(QStringView line, qsizetype& at, int16_t& field)
{
    ++at;   // the letter
    const qsizetype digits = CountDigits(line.sliced(at));
    const std::optional<int16_t> value = ReadLeadingNumber(line.sliced(at, digits));
    at += digits;
    if (!value)
        return false;
    field = *value;
    return true;
}

} // namespace

AlertKind AlertKindOf(QStringView prepared)
{
    if (prepared.startsWith(u'U') || prepared.startsWith(u'D'))
        return AlertKind::Temperature;
    if (prepared.startsWith(u'K'))
        return AlertKind::Pressure;
    return AlertKind::None;
}

AlertLine ReadAlertLine(QStringView prepared, AlertKind kind, AlertTable& alerts, int index)
{
    AlertLine result;
    const auto field = [&](AlertField f) -> int16_t& { return alerts[f][static_cast<size_t>(index)]; };

    // Direction: "U" (or "KU") rises, anything else falls.
    qsizetype at = 0;
    int scale = 100;
    if (kind == AlertKind::Temperature) {
        field(kDirection) = prepared.startsWith(u'U') ? -1 : 0;
        at = 1;
    } else {
        field(kDirection) = (prepared.size() > 1 && prepared[1] == u'U') ? -1 : 0;
        at = std::min<qsizetype>(2, prepared.size());
        scale = 10;
    }

    // Threshold: digits and minus signs, in history units.
    const qsizetype count = CountNumberCharacters(prepared.sliced(at));
    result.thresholdCharacters = prepared.sliced(at, count).toString();
    const std::optional<int16_t> threshold = ReadLeadingNumber(result.thresholdCharacters);
    at += count;
    const int scaled = threshold ? *threshold * scale : 0;
    if (threshold && scaled >= std::numeric_limits<int16_t>::min()
        && scaled <= std::numeric_limits<int16_t>::max())
        field(kThreshold) = static_cast<int16_t>(scaled);
    else
        result.complete = false;

    // Optional display time, then optional colour; anything else ends the line.
    if (at < prepared.size() && prepared[at] == u'T')
        result.complete &= ReadDigitsPart(prepared, at, field(kSeconds));
    if (at < prepared.size() && prepared[at] == u'C')
        result.complete &= ReadDigitsPart(prepared, at, field(kColour));
    return result;
}
