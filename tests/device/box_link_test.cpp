#include "device/BoxLink.h"

#include "support/Fakes.h"

#include <QLineEdit>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

struct BoxLinkFixture : ::testing::Test {
    ProgramState state;
    Surface surface;
    FakeCommPort port;
};

std::vector<uint8_t> Probe()
{
    return {0x00, 0x00, 0xFF};
}

} // namespace

using SetUpBoxLinkTest = BoxLinkFixture;

TEST_F(SetUpBoxLinkTest, PrintsTheNineInstructionLines)
{
    SetUpBoxLink(state, surface, port);

    Surface expected;
    for (const char* line : {"「ぽるか」初期化中。", "",
                             "　「ぽるか」が接続されていないと、プログラムが",
                             "　起動しません。もし、プログラムが動かない場合に",
                             "　は、「ぽるか」の接続と、ポートの設定を確認して",
                             "　下さい。",
                             "　初期設定では接続ポートは「１」になっています。",
                             "　ポートの設定変更は「VORUM.TXT」で行って下さい。", ""})
        expected.PrintLine(QString::fromUtf8(line));
    EXPECT_EQ(surface.pen(), expected.pen());
    EXPECT_TRUE(surface.image() == expected.image());
}

TEST_F(SetUpBoxLinkTest, ClampsThePortNumberToOneToFour)
{
    for (const auto& [configured, opened] : {std::pair<int16_t, int16_t>{0, 1}, {-7, 1}, {1, 1},
                                              {3, 3}, {4, 4}, {9, 4}, {32767, 4}}) {
        state.PortNumber = configured;
        SetUpBoxLink(state, surface, port);
        EXPECT_EQ(port.openedPort, opened) << configured;
        EXPECT_EQ(state.PortNumber, opened) << configured;
    }
}

TEST_F(SetUpBoxLinkTest, MakesTheLiquidTableActiveAndClearsTheRawTemperature)
{
    for (int i = 0; i < kTableSize; ++i) {
        state.LiquidTemperatureTable[i] = static_cast<int16_t>(i - 30);
        state.AirTemperatureTable[i] = static_cast<int16_t>(i);
    }
    state.TemperatureTable = state.AirTemperatureTable;
    state.RawTemperature = 77;
    SetUpBoxLink(state, surface, port);
    EXPECT_EQ(state.TemperatureTable, state.LiquidTemperatureTable);
    EXPECT_EQ(state.RawTemperature, 0);
}

TEST_F(SetUpBoxLinkTest, ProbesWithThreeSingleByteWrites)
{
    port.replies = {"QUIRAN"};
    SetUpBoxLink(state, surface, port);
    EXPECT_EQ(port.written, Probe());
    EXPECT_EQ(state.BoxMissing, 0);
    EXPECT_TRUE(port.waitLimits.empty()) << "a complete answer needs no waiting";
}

TEST_F(SetUpBoxLinkTest, WaitsAtMostHalfASecondForAnAnswerNotYetThere)
{
    port.replies = {"", "QUIRAN"};
    SetUpBoxLink(state, surface, port);
    EXPECT_EQ(state.BoxMissing, 0);
    ASSERT_EQ(port.waitLimits.size(), 1u);
    EXPECT_LE(port.waitLimits[0], 500);

    port.replies = {"QUI", "RAN"};
    SetUpBoxLink(state, surface, port);
    EXPECT_EQ(state.BoxMissing, 0) << "an answer split over the two reads still counts";
}

TEST_F(SetUpBoxLinkTest, BoxIsMissingUnlessTheBytesBeginWithQuiran)
{
    const std::pair<QByteArray, int16_t> cases[] = {
        {"", -1}, {"QUIRA", -1}, {"XQUIRAN", -1}, {"quiran", -1}, {QByteArray("\0QUIRAN", 7), -1},
        {"QUIRAN", 0}, {"QUIRAN\xF3", 0},
    };
    for (const auto& [answer, missing] : cases) {
        port.replies = {answer};
        SetUpBoxLink(state, surface, port);
        EXPECT_EQ(state.BoxMissing, missing) << answer.toHex().constData();
        EXPECT_TRUE(port.replies.empty()) << "every byte of the answer is taken from the port";
    }
}

TEST_F(SetUpBoxLinkTest, PortThatCannotOpenLeavesTheBoxMissing)
{
    port.canOpen = false;
    port.replies = {"QUIRAN"};
    SetUpBoxLink(state, surface, port);
    EXPECT_EQ(state.BoxMissing, -1);
    EXPECT_TRUE(port.written.empty());
    EXPECT_EQ(state.TemperatureTable, state.LiquidTemperatureTable);
}

TEST(ShowNotConnected, PrintsTheNotConnectedLine)
{
    Surface surface;
    Surface expected;
    ShowNotConnected(surface);
    expected.PrintLine(QStringLiteral("ぽるかが接続されていません!"));
    EXPECT_EQ(surface.pen(), expected.pen());
    EXPECT_TRUE(surface.image() == expected.image());
    EXPECT_FALSE(surface.image() == Surface().image());
}

TEST(StartUpDeviceSteps, BoxThatAnswersIsFoundAndReadoutStarts)
{
    TestWindow test;
    test.port->replies = {"QUIRAN"};
    test.window->StartUp();
    EXPECT_EQ(test.window->state().BoxMissing, 0);
    EXPECT_TRUE(test.port->open);
    EXPECT_TRUE(test.window->Timer1->isActive());
}

TEST(StartUpDeviceSteps, MissingBoxOrPortStillStartsTheReadout)
{
    TestWindow without;
    without.window->StartUp();
    EXPECT_EQ(without.window->state().BoxMissing, -1);
    EXPECT_TRUE(without.window->Timer1->isActive());

    TestWindow noPort;
    noPort.port->canOpen = false;
    noPort.window->StartUp();
    EXPECT_EQ(noPort.window->state().BoxMissing, -1);
    EXPECT_TRUE(noPort.window->Timer1->isActive());
    EXPECT_TRUE(noPort.port->written.empty());
}
