#include "files/AutoScale.h"

#include "base/Numbers.h"

#include <algorithm>

namespace {

// Index of a raw byte; a stored raw value is always 0..255, but keep any other in range.
size_t TableIndex(int16_t raw)
{
    return static_cast<size_t>(static_cast<uint8_t>(raw));
}

} // namespace

AutoScaleLimits ComputeAutoScaleLimits(const ProgramState& state)
{
    double temperatureHigh = 0;
    double temperatureLow = 0;
    double pressureHigh = 0;
    double pressureLow = 0;
    if (state.SampleCount == 0) {
        temperatureHigh = temperatureLow = state.TemperatureTable[TableIndex(state.RawTemperature)];
        pressureHigh = pressureLow = state.PressureTable[TableIndex(state.RawPressure)];
    } else {
        // The starting values keep the limits within -40..120 °C and 700..1200 hPa.
        float tHigh = -4000, tLow = 12000, pHigh = 7000, pLow = 12000;
        // The slot SampleCount is scanned too: at the settings apply it is the last sample.
        const double count = state.SampleCount;
        const int last = count >= kLastHistorySlot ? kLastHistorySlot : count > 0 ? static_cast<int>(count) : 0;
        for (int i = 0; i <= last; ++i) {
            tHigh = std::max(tHigh, state.TemperatureHistory[static_cast<size_t>(i)]);
            tLow = std::min(tLow, state.TemperatureHistory[static_cast<size_t>(i)]);
            pHigh = std::max(pHigh, state.PressureHistory[static_cast<size_t>(i)]);
            pLow = std::min(pLow, state.PressureHistory[static_cast<size_t>(i)]);
        }
        temperatureHigh = tHigh / 100.0;
        temperatureLow = tLow / 100.0;
        pressureHigh = pHigh / 10.0;
        pressureLow = pLow / 10.0;
    }
    AutoScaleLimits limits;
    limits.ThermometerMax = static_cast<float>(Int((temperatureHigh + 12) / 10) * 10);
    limits.ThermometerMin = static_cast<float>(Int((temperatureLow - 3) / 10) * 10);
    limits.BarometerMax = static_cast<float>(Int((pressureHigh + 20) / 10) * 10);
    limits.BarometerMin = static_cast<float>(Int((pressureLow - 10) / 10) * 10);
    return limits;
}

void ComputeAutoScale(ProgramState& state, ScaleInstruments which)
{
    const AutoScaleLimits limits = ComputeAutoScaleLimits(state);
    if (which != ScaleInstruments::Barometer) {
        state.ThermometerMax = limits.ThermometerMax;
        state.ThermometerMin = limits.ThermometerMin;
    }
    if (which != ScaleInstruments::Thermometer) {
        state.BarometerMax = limits.BarometerMax;
        state.BarometerMin = limits.BarometerMin;
    }
}
