#include "files/ConvertReading.h"

std::optional<float> ConvertReading(QByteArrayView reply, const CalibrationTable& table, int16_t& rawByte)
{
    if (reply.isEmpty())
        return std::nullopt;
    rawByte = static_cast<uint8_t>(reply[0]);   // further bytes are ignored
    return static_cast<float>(table[static_cast<size_t>(rawByte)]);
}
