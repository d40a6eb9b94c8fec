// A box that answers nonsense: random bytes, a hundred bytes to every request, or nothing.

#include "support/AcceptanceRun.h"

#include <set>

namespace {

// The box's misbehaviour, by name: garbage, bursts of a hundred bytes, or silence.
struct MisbehavingBox : AcceptanceRun, ::testing::WithParamInterface<const char*> {
    QStringList BoxOptions() const
    {
        const std::string fault = GetParam();
        if (fault == "Garbage")
            return {"--garbage", "7"};
        if (fault == "BurstsOf100Bytes")
            return {"--burst", "100", "--scenario", "room"};
        return {"--silent", "all"};
    }
};

std::set<int> Values(const Table& table)
{
    return std::set<int>(table.begin(), table.end());
}

} // namespace

TEST_P(MisbehavingBox, ProgramKeepsReadingAndRecording)
{
    WriteCustomization("Zikan=0\r\n");
    ASSERT_TRUE(StartBox(BoxOptions()));
    OpenWindow();
    ledger.Follow(*window);
    window->Start->click();

    // Recording on its own timer and on ticks run directly, the readout polling in between.
    for (int round = 0; round < 10; ++round) {
        ASSERT_TRUE(WaitForTicks(window->Timer1, 3));
        ledger.Tick(*window);
    }
    ASSERT_TRUE(WaitForTicks(window->Timer2, 3));
    window->Start->click();
    EXPECT_GE(window->state().SampleCount, 10);
    ledger.ExpectAllKept(*window);

    // Whatever arrived, the fields only ever show entries of the active tables.
    const std::set<int> temperatures = Values(ReadTable(folder.filePath("EKION.CSV")));
    const std::set<int> pressures = Values(ReadTable(folder.filePath("VORUM1.CSV")));
    const ProgramState& state = window->state();
    for (int i = 0; i < state.SampleCount; ++i) {
        const float temperature = state.TemperatureHistory[i] / 100;
        const float pressure = state.PressureHistory[i] / 10;
        EXPECT_TRUE(temperature == 0 || temperatures.count(static_cast<int>(temperature))) << temperature;
        EXPECT_TRUE(pressure == 0 || pressures.count(static_cast<int>(pressure))) << pressure;
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, MisbehavingBox,
                         ::testing::Values("Garbage", "BurstsOf100Bytes", "Nothing"),
                         [](const ::testing::TestParamInfo<const char*>& info) { return std::string(info.param); });
