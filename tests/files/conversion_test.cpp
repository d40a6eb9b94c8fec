#include "files/AutoScale.h"
#include "files/CalibrationTables.h"
#include "files/ConvertReading.h"
#include "files/CustomizationFile.h"
#include "files/SelectTables.h"

#include "support/FileTestFolder.h"

namespace {

// A state whose tables are loaded from files: liquid 25 at byte 7, air -3 everywhere,
// 1 hPa 1013 at byte 9, 2 hPa 990 everywhere.
struct LoadedTables : FileTestFolder {
    LoadedTables()
    {
        QList<int> liquid(256, 0);
        liquid[7] = 25;
        QList<int> pressure1(256, 0);
        pressure1[9] = 1013;
        Write("EKION.CSV", TableFile(liquid));
        Write("KION.CSV", TableFile(QList<int>(256, -3)));
        Write("VORUM1.CSV", TableFile(pressure1));
        Write("VORUM2.CSV", TableFile(QList<int>(256, 990)));
        LoadCalibrationTables(state, surface, dir());
        LoadCustomizationFile(state, surface, dir());
    }
};

ProgramState WithLatest(int temperature, int pressure)
{
    ProgramState state;
    state.TemperatureTable.fill(static_cast<int16_t>(temperature));
    state.PressureTable.fill(static_cast<int16_t>(pressure));
    state.RawTemperature = 12;
    state.RawPressure = 200;
    return state;
}

} // namespace

TEST(ConvertReading, FirstByteIndexesTheTableAndNoBytesIsNoReading)
{
    LoadedTables f;
    int16_t raw = 99;
    EXPECT_EQ(ConvertReading(QByteArrayView("\x07\x09\x01", 3), f.state.TemperatureTable, raw), 25.0f);
    EXPECT_EQ(raw, 7);
    EXPECT_EQ(ConvertReading(QByteArrayView("\xFF", 1), f.state.TemperatureTable, raw), 0.0f);
    EXPECT_EQ(raw, 255);
    EXPECT_EQ(ConvertReading(QByteArrayView(), f.state.TemperatureTable, raw), std::nullopt);
    EXPECT_EQ(raw, 255);
    EXPECT_EQ(ConvertReading(QByteArrayView("\x09", 1), f.state.PressureTable, raw), 1013.0f);

    // Without calibration files every byte converts to 0.
    FileTestFolder empty;
    LoadCalibrationTables(empty.state, empty.surface, empty.dir());
    LoadCustomizationFile(empty.state, empty.surface, empty.dir());
    EXPECT_EQ(ConvertReading(QByteArrayView("\x07", 1), empty.state.TemperatureTable, raw), 0.0f);
}

TEST(SelectTables, ProbeAndSensitivityChooseTheActiveCopies)
{
    LoadedTables f;
    // After loading, the liquid and 1 hPa tables are active even though -1 names the air probe.
    EXPECT_EQ(f.state.TemperatureProbe, -1);
    EXPECT_EQ(f.state.TemperatureTable, f.state.LiquidTemperatureTable);
    SelectTemperatureTable(f.state);
    EXPECT_EQ(f.state.TemperatureTable, f.state.AirTemperatureTable);
    f.state.TemperatureProbe = 0;
    SelectTemperatureTable(f.state);
    EXPECT_EQ(f.state.TemperatureTable, f.state.LiquidTemperatureTable);

    f.state.PressureStep = 2;
    SelectPressureTable(f.state);
    EXPECT_EQ(f.state.PressureTable, f.state.Pressure2Table);
    f.state.PressureStep = 1;
    SelectPressureTable(f.state);
    EXPECT_EQ(f.state.PressureTable, f.state.Pressure1Table);
    // A copy: later changes of the source do not reach the active table.
    f.state.Pressure1Table[9] = 1;
    EXPECT_EQ(f.state.PressureTable[9], 1013);
}

TEST(ComputeAutoScale, FromTheLatestReadingsWithoutSamples)
{
    ProgramState s = WithLatest(25, 1013);
    ComputeAutoScale(s);
    EXPECT_EQ(s.ThermometerMax, 30);
    EXPECT_EQ(s.ThermometerMin, 20);
    EXPECT_EQ(s.BarometerMax, 1030);
    EXPECT_EQ(s.BarometerMin, 1000);

    const struct { int reading; double max; double min; } cases[] = {
        {28, 40, 20}, {8, 20, 0}, {-7, 0, -10}, {0, 10, -10}, {-3, 0, -10}, {-4, 0, -10}};
    for (const auto& c : cases) {
        ProgramState t = WithLatest(c.reading, 0);
        ComputeAutoScale(t);
        EXPECT_EQ(t.ThermometerMax, c.max) << c.reading;
        EXPECT_EQ(t.ThermometerMin, c.min) << c.reading;
    }

    ProgramState zero;
    ComputeAutoScale(zero);
    EXPECT_EQ(zero.ThermometerMax, 10);
    EXPECT_EQ(zero.ThermometerMin, -10);
    EXPECT_EQ(zero.BarometerMax, 20);
    EXPECT_EQ(zero.BarometerMin, -10);
}

TEST(ComputeAutoScale, FromTheHistoriesIncludingTheSlotAtSampleCount)
{
    ProgramState s;
    const float temperatures[] = {1850, 2230, 2000};
    const float pressures[] = {10050, 10130, 10100};
    for (size_t i = 0; i < 3; ++i) {
        s.TemperatureHistory[i] = temperatures[i];
        s.PressureHistory[i] = pressures[i];
    }
    s.SampleCount = 2;   // slot 2 is scanned too
    ComputeAutoScale(s);
    EXPECT_EQ(s.ThermometerMax, 30);
    EXPECT_EQ(s.ThermometerMin, 10);
    EXPECT_EQ(s.BarometerMax, 1030);
    EXPECT_EQ(s.BarometerMin, 990);

    // The starting values bound the result: all zeros scan as 0 °C and 700 hPa high.
    ProgramState zeros;
    zeros.SampleCount = 5;
    ComputeAutoScale(zeros);
    EXPECT_EQ(zeros.ThermometerMax, 10);
    EXPECT_EQ(zeros.ThermometerMin, -10);
    EXPECT_EQ(zeros.BarometerMax, 720);
    EXPECT_EQ(zeros.BarometerMin, -10);

    // A full history scans up to its last slot and no further.
    ProgramState full;
    full.SampleCount = 12000;
    full.TemperatureHistory.back() = 9000;
    ComputeAutoScale(full);
    EXPECT_EQ(full.ThermometerMax, 100);
}

TEST(ComputeAutoScale, CallersMayKeepOneInstrumentsLimits)
{
    ProgramState s = WithLatest(25, 1013);
    s.ThermometerMax = 77;
    s.ThermometerMin = 7;
    s.BarometerMax = 1111;
    s.BarometerMin = 888;
    ComputeAutoScale(s, ScaleInstruments::Thermometer);
    EXPECT_EQ(s.ThermometerMax, 30);
    EXPECT_EQ(s.BarometerMax, 1111);
    EXPECT_EQ(s.BarometerMin, 888);
    s.ThermometerMax = 77;
    ComputeAutoScale(s, ScaleInstruments::Barometer);
    EXPECT_EQ(s.ThermometerMax, 77);
    EXPECT_EQ(s.BarometerMin, 1000);
    const AutoScaleLimits limits = ComputeAutoScaleLimits(s);
    EXPECT_EQ(limits.ThermometerMin, 20.0f);
}
