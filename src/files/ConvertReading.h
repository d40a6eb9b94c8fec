#pragma once

#include "base/ProgramState.h"

#include <QByteArrayView>

#include <optional>

// The reading of one request: the first byte indexes the active table; no bytes, no reading.
// The raw byte is stored in rawByte when there is one.
std::optional<float> ConvertReading(QByteArrayView reply, const CalibrationTable& table, int16_t& rawByte);
