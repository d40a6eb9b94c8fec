#pragma once

struct ProgramState;
class Surface;

// Storing samples and plotting the two curves on the graph's frames. For each sample the
// pressure comes first, then the temperature, which also plots the point and advances
// SampleCount. The two redraws draw their frame first, then the curves.
void RecordPressureSample(ProgramState& state, Surface& surface, float& value);
void RecordTemperatureSample(ProgramState& state, Surface& surface, float& value);
void RedrawPage(ProgramState& state, Surface& surface);
void PlotPagePoint(ProgramState& state, Surface& surface, float& i);
void PlotRunPoint(ProgramState& state, Surface& surface, float& i);
void DrawRunGraph(ProgramState& state, Surface& surface);   // the whole-run view
