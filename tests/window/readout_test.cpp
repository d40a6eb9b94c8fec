#include "support/Fakes.h"

#include "files/AutoScale.h"
#include "render/Barometer.h"
#include "render/GraphFrame.h"
#include "render/Thermometer.h"

#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <gtest/gtest.h>

#include <random>

namespace {

constexpr uint8_t kF3 = 0xF3;   // temperature request
constexpr uint8_t kF2 = 0xF2;   // pressure request

// A window whose port is open and whose tables say plainly which byte was read:
// temperature = byte - 50 °C, pressure = 900 + byte hPa.
void PlainTablesOpenPort(TestWindow& test)
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

struct Readout : ::testing::Test {
    Readout() { PlainTablesOpenPort(test); }

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

// The readout as it was before answers were paired with requests: a temperature step every
// second tick, each step taking the first byte waiting. A box that always answers before the
// next tick must see the same requests and give the same values as it did then.
struct AlternatingReadout {
    void Tick(const QByteArray& waiting)
    {
        if (step < 2)
            ++step;
        written.push_back(step == 1 ? kF3 : kF2);
        if (waiting.isEmpty())
            return;
        (step == 1 ? temperatureByte : pressureByte) = static_cast<uint8_t>(waiting[0]);
        if (step != 1)
            step = 0;
    }
    int step = 0;
    std::vector<uint8_t> written;
    int temperatureByte = -1;
    int pressureByte = -1;
};

TEST_F(Readout, BoxThatAlwaysAnswersInTimeGetsTheRequestsAndValuesOfTheAlternation)
{
    AlternatingReadout before;
    std::minstd_rand random(7);
    QByteArray answer;   // the box's answer to the last request, waiting at the next tick
    for (int tick = 0; tick < 60; ++tick) {
        test.port->replies = {answer};
        before.Tick(answer);
        Ticks(1);
        ASSERT_EQ(test.port->written, before.written) << "tick " << tick;
        if (before.temperatureByte >= 0) {
            ASSERT_EQ(Text1(), DecimalText(double(before.temperatureByte - 50))) << "tick " << tick;
        }
        if (before.pressureByte >= 0) {
            ASSERT_EQ(Text3(), DecimalText(double(900 + before.pressureByte))) << "tick " << tick;
        }
        // 0xF2 is answered with a temperature byte, 0xF3 with a pressure byte.
        answer = Byte(test.port->written.back() == kF2 ? 60 + random() % 20 : 100 + random() % 30);
    }
    EXPECT_GE(before.temperatureByte, 0);
    EXPECT_GE(before.pressureByte, 0);
}

// After a silence the old readout took the temperature answer to its last pressure request
// for the pressure (a 955 hPa sample in a 1013 hPa room).
TEST_F(Readout, AnswerThatComesTicksLateIsTakenForTheChannelItAnswers)
{
    for (int late : {1, 2, 5}) {
        TestWindow t;
        PlainTablesOpenPort(t);
        const auto ticks = [&t](int count) {
            for (int i = 0; i < count; ++i)
                t.window->Timer1_Timer();
        };
        ticks(1);
        ASSERT_EQ(t.port->written, std::vector<uint8_t>{kF3});
        ticks(late);   // nothing arrives; nothing else is asked meanwhile
        EXPECT_EQ(t.port->written, std::vector<uint8_t>{kF3}) << late;
        t.port->replies = {Byte(113)};
        ticks(1);
        EXPECT_EQ(t.window->Text3->text(), " 1013") << late;
        EXPECT_EQ(t.window->Text1->text(), "Text1") << late;
        EXPECT_EQ(t.port->written.back(), kF2) << "the temperature's turn, after " << late;
        t.port->replies = {Byte(70)};
        ticks(1);
        EXPECT_EQ(t.window->Text1->text(), " 20") << late;
    }
}

TEST_F(Readout, BytesBeyondTheAnswerAwaitedAreDropped)
{
    test.port->replies = {{}, QByteArray("\x7b\x01\x02", 3), QByteArray("\x55\x10", 2)};
    Ticks(3);
    EXPECT_EQ(state().RawPressure, 0x7b);
    EXPECT_EQ(Text3(), " 1023");
    EXPECT_EQ(state().RawTemperature, 0x55);
    EXPECT_EQ(Text1(), " 35");
}

TEST_F(Readout, RawZeroAndTwoFiftyFiveIndexTheTableEnds)
{
    state().TemperatureTable[255] = 99;
    state().PressureTable[0] = 850;
    AnswerUntilTemperatureAsked(*test.window, *test.port, 0);
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
    AnswerUntilTemperatureAsked(*test.window, *test.port, 113);
    test.port->replies = {Byte(70), Byte(113)};
    Ticks(2);
    state().TemperatureHistory[0] = 2000;
    state().PressureHistory[0] = 10130;
    state().SampleCount = 1;

    test.port->open = false;   // the adapter is pulled out
    test.port->replies = {Byte(90), Byte(90)};
    const size_t written = test.port->written.size();
    Ticks(10);
    EXPECT_EQ(test.port->written.size(), written);
    EXPECT_EQ(Text1(), " 20");
    EXPECT_EQ(Text3(), " 1013");
    EXPECT_EQ(state().TemperatureHistory[0], 2000);
    EXPECT_EQ(state().PressureHistory[0], 10130);
    EXPECT_EQ(state().SampleCount, 1);
}

// A byte waiting before the first request answers nothing the readout asked: it is no reading.
TEST_F(Readout, StartWithAutomaticThermometerAsksOnceBeforeTheTimerAndTakesNoStrayByte)
{
    state().ThermometerAuto = -1;
    test.port->replies = {Byte(75)};
    test.window->Timer1Start();
    EXPECT_EQ(test.port->written, std::vector<uint8_t>{kF3});
    EXPECT_EQ(Text1(), "Text1");
    EXPECT_EQ(state().RawTemperature, 0);
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
    state().RawTemperature = 75;
    ProgramState computed = state();
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
