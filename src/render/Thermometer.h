#pragma once

struct ProgramState;
class Surface;

// The thermometer strip (x 0..69): full redraw, and the incremental liquid column.
void DrawThermometer(ProgramState& state, Surface& surface);
void ShowTemperature(ProgramState& state, Surface& surface, float& value);
