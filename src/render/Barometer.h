#pragma once

struct ProgramState;
class Surface;

// The barometer strip (x 401..500): full redraw, and the incremental liquid column.
void DrawBarometer(ProgramState& state, Surface& surface);
void ShowPressure(ProgramState& state, Surface& surface, float& value);
