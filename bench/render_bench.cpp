// The picture work of the program: full redraws of both instruments, of a graph page and of
// the whole run, and the drawing done for one recorded sample.

#include "base/ProgramState.h"
#include "files/CustomizationDefaults.h"
#include "render/Barometer.h"
#include "render/GraphCurves.h"
#include "render/GraphFrame.h"
#include "render/Surface.h"
#include "render/Thermometer.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

namespace {

std::unique_ptr<ProgramState> StateAsAtStartUp()
{
    auto state = std::make_unique<ProgramState>();
    SetCustomizationDefaults(*state);
    state->StartTime = 46000.4;
    return state;
}

// Fills slots 0..count with a heated-and-cooling beaker and a drifting air pressure.
void FillHistory(ProgramState& state, int count)
{
    for (int i = 0; i <= count; ++i) {
        state.TemperatureHistory[i] = 100 * std::round(20 + 50 * std::sin(i / 2000.0f));
        state.PressureHistory[i] = 10 * std::round(1010 + 8 * std::cos(i / 700.0f));
    }
    state.SampleCount = count;
}

void Prepare(ProgramState& state, Surface& surface)
{
    DrawThermometer(state, surface);
    DrawBarometer(state, surface);
    state.GraphThermometerMax = state.ThermometerMax;
    state.GraphThermometerMin = float(state.ThermometerMin);
    state.GraphBarometerMax = state.BarometerMax;
    state.GraphBarometerMin = float(state.BarometerMin);
}

void BM_DrawThermometer(benchmark::State& run)
{
    auto state = StateAsAtStartUp();
    Surface surface;
    for (auto _ : run)
        DrawThermometer(*state, surface);
    surface.image();
}
BENCHMARK(BM_DrawThermometer);

void BM_DrawBarometer(benchmark::State& run)
{
    auto state = StateAsAtStartUp();
    Surface surface;
    Prepare(*state, surface);
    for (auto _ : run)
        DrawBarometer(*state, surface);
    surface.image();
}
BENCHMARK(BM_DrawBarometer);

void BM_RedrawFullPage(benchmark::State& run)
{
    auto state = StateAsAtStartUp();
    Surface surface;
    Prepare(*state, surface);
    FillHistory(*state, 599);   // page 300..599 full, after a pause
    state->LastAxisSample = 300;
    for (auto _ : run)
        RedrawPage(*state, surface);
    surface.image();
}
BENCHMARK(BM_RedrawFullPage)->Unit(benchmark::kMicrosecond);

void BM_DrawRunGraph12000(benchmark::State& run)
{
    auto state = StateAsAtStartUp();
    Surface surface;
    Prepare(*state, surface);
    FillHistory(*state, 12000);
    for (auto _ : run)
        DrawRunGraph(*state, surface);
    surface.image();
}
BENCHMARK(BM_DrawRunGraph12000)->Unit(benchmark::kMicrosecond);

// One recording tick's drawing: the pressure and the temperature of one sample, within a page.
void BM_RecordSample(benchmark::State& run)
{
    auto state = StateAsAtStartUp();
    Surface surface;
    Prepare(*state, surface);
    DrawPageFrame(*state, surface);
    float step = 0;
    for (auto _ : run) {
        if (state->SampleCount >= 299) {   // stay inside one page: no page turn in the loop
            run.PauseTiming();
            state->SampleCount = 1;
            run.ResumeTiming();
        }
        float pressure = 1013;
        float temperature = 20 + std::fmod(step += 0.37f, 30.0f);
        RecordPressureSample(*state, surface, pressure);
        RecordTemperatureSample(*state, surface, temperature);
    }
    surface.image();
}
BENCHMARK(BM_RecordSample)->Unit(benchmark::kMicrosecond);

} // namespace
