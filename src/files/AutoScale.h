#pragma once

#include "base/ProgramState.h"

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
