#include "render/Barometer.h"
#include "render/GraphCurves.h"
#include "render/GraphFrame.h"
#include "render/Thermometer.h"

#include "base/ProgramState.h"
#include "render/Surface.h"

// Placeholder bodies; each moves to its own file when the pictures land.
void DrawThermometer(ProgramState&, Surface&) {}
void ShowTemperature(ProgramState&, Surface&, float&) {}
void DrawBarometer(ProgramState&, Surface&) {}
void ShowPressure(ProgramState&, Surface&, float&) {}
void DrawPageFrame(ProgramState&, Surface&) {}
void DrawRunGraph(ProgramState&, Surface&) {}
void RecordPressureSample(ProgramState&, Surface&, float&) {}
void RecordTemperatureSample(ProgramState& state, Surface&, float&)
{
    state.SampleCount = state.SampleCount + 1 >= 12000 ? 12000 : state.SampleCount + 1;
}
void RedrawPage(ProgramState&, Surface&) {}
void PlotPagePoint(ProgramState&, Surface&, float&) {}
void PlotRunPoint(ProgramState&, Surface&, float&) {}
void PlotWholeRun(ProgramState&, Surface&) {}
