// One tick of the live readout with a box that always answers, including the text field and
// the liquid column update. The tick runs on the user-interface thread up to ten times a
// second, so it must stay far below a frame (budget: 20 microseconds).

#include "program/Program.h"
#include "render/Barometer.h"
#include "render/GraphFrame.h"
#include "render/Thermometer.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// Answers every read with one byte, alternating between two readings per channel so that
// each step moves a column.
class AnsweringPort final : public CommPort {
public:
    bool Open(int16_t) override { return true; }
    bool IsOpen() const override { return true; }
    void Write(uint8_t) override {}
    QByteArray ReadAvailable() override
    {
        static const QByteArray answers[] = {QByteArray(1, char(80)), QByteArray(1, char(113)),
                                             QByteArray(1, char(90)), QByteArray(1, char(118))};
        return answers[m_next++ % 4];
    }
    QByteArray WaitForReply(int, qsizetype) override { return {}; }

private:
    unsigned m_next = 0;
};

void BM_Timer1Tick(benchmark::State& bench)
{
    QTemporaryDir folder;
    PorukaEnvironment environment;
    environment.port = std::make_unique<AnsweringPort>();
    environment.workingFolder = QDir(folder.path());
    Program program(std::move(environment));
    Poruka& window = program.window();

    ProgramState& state = window.state();
    for (int i = 0; i < kTableSize; ++i) {
        state.TemperatureTable[i] = static_cast<int16_t>(i / 2 - 20);
        state.PressureTable[i] = static_cast<int16_t>(900 + i);
    }
    state.RequestF2 = 0xF2;
    state.RequestF3 = 0xF3;
    state.MinuteMode = 1;
    state.ThermometerAuto = 0;
    state.ThermometerMax = 100;
    state.ThermometerMin = -10;
    state.BarometerAuto = 0;
    state.BarometerMax = 1200;
    state.BarometerMin = 800;
    state.ThermometerTickColor = state.ThermometerFrameColor = qRgb(0, 0, 0);
    state.ThermometerGlassColor = qRgb(255, 255, 255);
    state.ThermometerLiquidColor = qRgb(255, 0, 0);
    state.BarometerTickColor = state.BarometerFrameColor = qRgb(0, 0, 0);
    state.BarometerGlassColor = qRgb(255, 255, 255);
    state.BarometerLiquidColor = qRgb(0, 0, 255);
    window.RedrawInstruments();

    for (auto _ : bench)
        window.Timer1_Timer();
    benchmark::DoNotOptimize(state.RawPressure);
}
BENCHMARK(BM_Timer1Tick);

} // namespace
