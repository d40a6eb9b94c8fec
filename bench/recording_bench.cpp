// One acting tick of the recording timer in the 0.1-s mode: the elapsed-time label, both
// samples with their curve segments and page turns, and the alert check over 31 temperature
// and 31 pressure entries. The timer fires ten times a second next to the readout, so a tick
// must stay far below a frame (budget: 30 microseconds).

#include "base/Numbers.h"
#include "program/Program.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

class SilentPort final : public CommPort {
public:
    bool Open(int16_t) override { return true; }
    bool IsOpen() const override { return true; }
    void Write(uint8_t) override {}
    QByteArray ReadAvailable() override { return {}; }
    QByteArray WaitForReply(int, qsizetype) override { return {}; }
};

void DefineAlerts(AlertTable& alerts, AlertTexts& texts, int16_t& count, bool& entry30Used,
                  int16_t firstThreshold)
{
    for (int entry = 0; entry < kAlertEntries; ++entry) {
        alerts[0][entry] = entry % 2 == 0 ? -1 : 0;
        alerts[1][entry] = static_cast<int16_t>(firstThreshold + 10 * entry);
        alerts[2][entry] = 10;
        alerts[3][entry] = 255;
        texts[entry] = QStringLiteral("しきい値 %1").arg(entry);
    }
    count = 30;
    entry30Used = true;
}

// firing: every tick crosses one temperature threshold, so the message is shown each time.
void RecordingTick(benchmark::State& bench, bool firing)
{
    QTemporaryDir folder;
    PorukaEnvironment environment;
    environment.port = std::make_unique<SilentPort>();
    environment.workingFolder = QDir(folder.path());
    Program program(std::move(environment));
    Poruka& window = program.window();
    window.Form_Load();

    ProgramState& state = window.state();
    state.MinuteMode = 2;
    // Temperatures swing between 20 and 21 °C; the thresholds lie beyond unless firing.
    DefineAlerts(state.TemperatureAlerts, state.TemperatureAlertTexts, state.TemperatureAlertCount,
                 state.TemperatureAlertEntry30Used, firing ? 2050 : 4000);
    DefineAlerts(state.PressureAlerts, state.PressureAlertTexts, state.PressureAlertCount,
                 state.PressureAlertEntry30Used, 11000);
    const QString temperatures[] = {DecimalText(20.0), DecimalText(21.0)};
    const QString pressures[] = {DecimalText(1013.0), DecimalText(1014.0)};
    window.Start_Click();

    unsigned tick = 0;
    for (auto _ : bench) {
        window.Text1->setText(temperatures[tick % 2]);
        window.Text3->setText(pressures[tick % 2]);
        window.Timer2_Timer();
        if (++tick % 6000 == 0) {
            // Begin a fresh run before the history fills, as a class would.
            bench.PauseTiming();
            window.Start_Click();
            state.SampleCount = 0;
            state.LastAxisSample = 0;
            window.Start_Click();
            bench.ResumeTiming();
        }
    }
    benchmark::DoNotOptimize(state.SampleCount);
}

void BM_RecordingTick(benchmark::State& bench) { RecordingTick(bench, false); }
BENCHMARK(BM_RecordingTick);

// For comparison: a tick that also shows an alert message (rare in a real run).
void BM_RecordingTickShowingAlert(benchmark::State& bench) { RecordingTick(bench, true); }
BENCHMARK(BM_RecordingTickShowingAlert);

} // namespace
