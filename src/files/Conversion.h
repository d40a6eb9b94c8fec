#pragma once

#include <QByteArrayView>

#include <optional>

#include "base/ProgramState.h"

// The reading of one request: the first byte indexes the active table; no bytes, no reading.
// The raw byte is stored in rawByte when there is one.
std::optional<float> ConvertReading(QByteArrayView reply, const CalibrationTable& table, int16_t& rawByte);

void SelectTemperatureTable(ProgramState& state);
void SelectPressureTable(ProgramState& state);

// Sets all four scale limits from the latest readings or, with samples recorded, the histories.
void ComputeAutoScale(ProgramState& state);
