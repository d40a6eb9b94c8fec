#pragma once

#include "base/ProgramState.h"

// Every setting the customization file can change, at its built-in value; no alerts; the
// request codes; the liquid and 1 hPa tables active.
void SetCustomizationDefaults(ProgramState& state);
