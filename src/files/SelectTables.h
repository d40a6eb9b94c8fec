#pragma once

#include "base/ProgramState.h"

// Make the air or liquid table (by TemperatureProbe) and the 1 or 2 hPa table (by PressureStep)
// the active one.
void SelectTemperatureTable(ProgramState& state);
void SelectPressureTable(ProgramState& state);
