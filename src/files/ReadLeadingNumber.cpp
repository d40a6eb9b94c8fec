#include "files/ReadLeadingNumber.h"

namespace {

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

qsizetype CountNumberCharacters(QStringView text)
{
    qsizetype count = 0;
    while (count < text.size() && (IsDigit(text[count]) || text[count] == u'-'))
        ++count;
    return count;
}

std::optional<int16_t> ReadLeadingNumber(QStringView text)
{
    qsizetype at = 0;
    const bool negative = at < text.size() && text[at] == u'-';
    if (negative)
        ++at;
    // Leading zeros may be many; the magnitude stops growing once it is past the 16-bit range.
    int32_t magnitude = 0;
    bool tooLarge = false;
    for (; at < text.size() && IsDigit(text[at]); ++at) {
        magnitude = magnitude * 10 + (text[at].unicode() - u'0');
        if (magnitude > 32768) {
            tooLarge = true;
            magnitude = 32768;
        }
    }
    const int32_t value = negative ? -magnitude : magnitude;
    if (tooLarge || value > 32767)
        return std::nullopt;
    return static_cast<int16_t>(value);
}
