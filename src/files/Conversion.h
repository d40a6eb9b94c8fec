#pragma once

#include <QByteArrayView>

#include <optional>

#include "base/ProgramState.h"

// The reading of one request: the first byte indexes the active table; no bytes, no reading.
// The raw byte is stored in rawByte when there is one.
std::optional<float> ConvertReading(QByteArrayView reply, const CalibrationTable& table, int16_t& rawByte);

// Make the air or liquid table (by TemperatureProbe) and the 1 or 2 hPa table (by PressureStep)
// the active one.
void SelectTemperatureTable(ProgramState& state);
void SelectPressureTable(ProgramState& state);

// The four scale limits worked out from the latest readings or, with samples recorded, from
// the histories; single precision, whole tens.
struct AutoScaleLimits {
    float ThermometerMax = 0;
    float ThermometerMin = 0;
    float BarometerMax = 0;
    float BarometerMin = 0;
};
AutoScaleLimits ComputeAutoScaleLimits(const ProgramState& state);

// Which instruments take the computed limits; the others keep theirs.
enum class ScaleInstruments { Both, Thermometer, Barometer };

// Sets the scale limits of the chosen instruments (all four limits by default).
void ComputeAutoScale(ProgramState& state, ScaleInstruments which = ScaleInstruments::Both);
