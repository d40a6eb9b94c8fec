#include "support/Fakes.h"

#include "files/AutoScale.h"
#include "render/Barometer.h"
#include "render/GraphFrame.h"
#include "render/Thermometer.h"

#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

constexpr uint8_t kF3 = 0xF3;   // temperature request
constexpr uint8_t kF2 = 0xF2;   // pressure request

// A window whose port is open and whose tables say plainly which byte was read:
// temperature = byte - 50 °C, pressure = 900 + byte hPa.
struct Readout : ::testing::Test {
    Readout()
    {
        ProgramState& state = test.window->state();
        for (int i = 0; i < kTableSize; ++i) {
            state.TemperatureTable[i] = static_cast<int16_t>(i - 50);
            state.PressureTable[i] = static_cast<int16_t>(900 + i);
        }
        state.RequestF2 = kF2;
        state.RequestF3 = kF3;
        state.MinuteMode = 1;
        test.port->open = true;
    }

    void Ticks(int count)
    {
        for (int i = 0; i < count; ++i)
            test.window->Timer1_Timer();
    }

    ProgramState& state() { return test.window->state(); }
    QString Text1() const { return test.window->Text1->text(); }
    QString Text3() const { return test.window->Text3->text(); }

    TestWindow test;
};

QByteArray Byte(int value)
{
    return QByteArray(1, static_cast<char>(value));
}

} // namespace

TEST_F(Readout, BoxThatAlwaysAnswersAlternatesTemperatureAndPressure)
{
    test.port->replies = {Byte(73), Byte(113), Byte(74), Byte(115)};
    Ticks(4);
    EXPECT_EQ(test.port->written, (std::vector<uint8_t>{kF3, kF2, kF3, kF2}));
    EXPECT_EQ(state().RawTemperature, 74);
    EXPECT_EQ(state().RawPressure, 115);
    EXPECT_EQ(Text1(), " 24");
    EXPECT_EQ(Text3(), " 1015");
    EXPECT_EQ(test.window->ReadStep, 0);
}

TEST_F(Readout, SilentPressureKeepsAskingForPressure)
{
    test.port->replies = {Byte(70)};   // the temperature answer, then nothing
    Ticks(5);
    EXPECT_EQ(test.port->written, (std::vector<uint8_t>{kF3, kF2, kF2, kF2, kF2}));
    EXPECT_EQ(Text1(), " 20");
    EXPECT_EQ(Text3(), "Text1") << "no pressure answer, no pressure text";

    test.port->replies = {Byte(100)};
    Ticks(2);
    EXPECT_EQ(Text3(), " 1000");
    EXPECT_EQ(test.port->written.back(), kF3) << "a pressure answer brings back the temperature step";
}

TEST_F(Readout, EmptyTemperatureReadMakesTheNextTickAPressureStep)
{
    Ticks(1);
    EXPECT_EQ(test.window->ReadStep, 1);
    EXPECT_EQ(Text1(), "Text1");
    test.port->replies = {Byte(13)};
    Ticks(1);
    EXPECT_EQ(test.port->written, (std::vector<uint8_t>{kF3, kF2}));
    EXPECT_EQ(Text3(), " 913");
}

TEST_F(Readout, LongSilenceNeitherOverflowsNorLeavesPressureSteps)
{
    test.port->replies = {Byte(70)};
    Ticks(40000);   // more than a 16-bit counter holds
    EXPECT_GE(test.window->ReadStep, 2);
    EXPECT_EQ(test.port->written.back(), kF2);
    EXPECT_EQ(std::count(test.port->written.begin(), test.port->written.end(), kF3), 1);

    test.port->replies = {Byte(1), Byte(60)};
    Ticks(2);
    EXPECT_EQ(test.port->written.back(), kF3);
    EXPECT_EQ(Text3(), " 901");
    EXPECT_EQ(Text1(), " 10");
}

TEST_F(Readout, ReplyOfSeveralBytesUsesTheFirst)
{
    test.port->replies = {QByteArray("\x55\x10\x20", 3), QByteArray("\x7b\x01", 2)};
    Ticks(2);
    EXPECT_EQ(state().RawTemperature, 0x55);
    EXPECT_EQ(Text1(), " 35");
    EXPECT_EQ(state().RawPressure, 0x7b);
    EXPECT_EQ(Text3(), " 1023");
}

TEST_F(Readout, RawZeroAndTwoFiftyFiveIndexTheTableEnds)
{
    state().TemperatureTable[255] = 99;
    state().PressureTable[0] = 850;
    test.port->replies = {Byte(0), Byte(0), Byte(255), Byte(255)};
    Ticks(2);
    EXPECT_EQ(Text1(), "-50");
    EXPECT_EQ(Text3(), " 850");
    Ticks(2);
    EXPECT_EQ(state().RawTemperature, 255);
    EXPECT_EQ(Text1(), " 99");
    EXPECT_EQ(Text3(), " 1155");
}

TEST_F(Readout, ClosedPortSkipsTheExchangeAndKeepsTheSamples)
{
    test.port->replies = {Byte(70), Byte(113)};
    Ticks(2);
    state().TemperatureHistory[0] = 2000;
    state().PressureHistory[0] = 10130;
    state().SampleCount = 1;

    test.port->open = false;   // the adapter is pulled out
    test.port->replies = {Byte(90), Byte(90)};
    const int16_t step = test.window->ReadStep;
    Ticks(10);
    EXPECT_EQ(test.port->written.size(), 2u);
    EXPECT_EQ(test.window->ReadStep, step);
    EXPECT_EQ(Text1(), " 20");
    EXPECT_EQ(Text3(), " 1013");
    EXPECT_EQ(state().TemperatureHistory[0], 2000);
    EXPECT_EQ(state().PressureHistory[0], 10130);
    EXPECT_EQ(state().SampleCount, 1);
}

TEST_F(Readout, StartWithAutomaticThermometerExchangesOnceBeforeTheTimer)
{
    state().ThermometerAuto = -1;
    test.port->replies = {Byte(75)};
    test.window->Timer1Start();
    EXPECT_EQ(test.port->written, std::vector<uint8_t>{kF3});
    EXPECT_EQ(Text1(), " 25");
    EXPECT_EQ(state().RawTemperature, 75);
}

TEST_F(Readout, StartWithFixedThermometerLeavesTheFirstExchangeToTheTimer)
{
    state().ThermometerAuto = 0;
    state().ThermometerMax = 50;
    state().ThermometerMin = 0;
    test.port->replies = {Byte(75)};
    test.window->Timer1Start();
    EXPECT_TRUE(test.port->written.empty());
    EXPECT_EQ(state().ThermometerMax, 50);
    EXPECT_EQ(state().ThermometerMin, 0);
}

TEST_F(Readout, MinuteModeTicksEvery200MsAndSaysSo)
{
    test.window->Timer1Start();
    EXPECT_TRUE(test.window->Timer1->isActive());
    EXPECT_EQ(test.window->Timer1->interval(), 200);
    EXPECT_EQ(test.window->Label3->text(), "１分ごとに測定");
}

TEST_F(Readout, TenthSecondModeTicksEvery64MsAndSaysSo)
{
    state().MinuteMode = 0;
    state().StartTime = 123;
    test.window->Timer1Start();
    EXPECT_TRUE(test.window->Timer1->isActive());
    EXPECT_EQ(test.window->Timer1->interval(), 64);
    EXPECT_EQ(test.window->Label3->text(), "１秒ごとに測定");
    EXPECT_EQ(state().StartTime, 123) << "only minute mode has a clock time axis";
}

// The first page frame once labelled its time axis from the date-time value 0 because the
// start time was set after the drawing.
TEST_F(Readout, MinuteModeFirstFrameCountsFromNowNotFromDayZero)
{
    state().GraphBackColor = qRgb(255, 255, 255);
    state().GraphTickColor = qRgb(0, 128, 0);
    state().GraphAxisTextColor = qRgb(0, 0, 0);
    test.clock->now = 46000.5;
    test.window->Timer1Start();
    EXPECT_EQ(state().StartTime, 46000.5);

    ProgramState drawn = state();
    Surface expected;
    DrawThermometer(drawn, expected);
    DrawBarometer(drawn, expected);
    DrawPageFrame(drawn, expected);
    EXPECT_TRUE(test.window->surface().image() == expected.image());
}

// With the thermometer automatic and the barometer fixed by the user, the start used to
// throw the fixed barometer limits away.
TEST_F(Readout, StartKeepsTheLimitsOfAFixedBarometer)
{
    state().ThermometerAuto = -1;
    state().BarometerAuto = 0;
    state().ThermometerMax = 100;
    state().ThermometerMin = -10;
    state().BarometerMax = 1100;
    state().BarometerMin = 950;
    test.port->replies = {Byte(75)};
    ProgramState computed = state();
    computed.RawTemperature = 75;
    ComputeAutoScale(computed);

    test.window->Timer1Start();
    EXPECT_EQ(state().BarometerMax, 1100);
    EXPECT_EQ(state().BarometerMin, 950);
    EXPECT_EQ(state().ThermometerMax, computed.ThermometerMax);
    EXPECT_EQ(state().ThermometerMin, computed.ThermometerMin);
}

TEST_F(Readout, StartRescalesAnAutomaticBarometerToo)
{
    state().ThermometerAuto = -1;
    state().BarometerAuto = -1;
    state().BarometerMax = 1100;
    state().BarometerMin = 950;
    ProgramState computed = state();
    ComputeAutoScale(computed);

    test.window->Timer1Start();
    EXPECT_EQ(state().BarometerMax, computed.BarometerMax);
    EXPECT_EQ(state().BarometerMin, computed.BarometerMin);
}
