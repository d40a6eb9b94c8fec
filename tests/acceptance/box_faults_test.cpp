// The stand-in box's faulty modes and its record of what it sent, which the acceptance
// tests rely on.

#include "support/AcceptanceRun.h"

namespace {

QByteArray Ask(SerialCommPort& port, int request, int count)
{
    port.Write(static_cast<uint8_t>(request));
    return port.WaitForReply(5000, count);
}

struct BoxFaults : AcceptanceRun {
    bool Connect(const QStringList& options)
    {
        return StartBox(options) && port.Open(1) && Ask(port, 0xFF, 6) == "QUIRAN";
    }
    SerialCommPort port{box.link()};
};

} // namespace

TEST_F(BoxFaults, BurstRepeatsTheReadingAndTheAnswersAreRecorded)
{
    ASSERT_TRUE(Connect({"--scenario", "steady", "--burst", "100"}));
    const QByteArray temperature = Ask(port, 0xF2, 100);
    ASSERT_EQ(temperature.size(), 100);
    EXPECT_EQ(temperature, QByteArray(100, temperature[0]));
    const QByteArray pressure = Ask(port, 0xF3, 100);
    EXPECT_EQ(pressure, QByteArray(100, pressure[0]));
    ASSERT_TRUE(QTest::qWaitFor([&] { return BoxAnswers("F3").size() == 100; }, 5000));
    EXPECT_EQ(BoxAnswers("F2"), QList<int>(100, static_cast<uint8_t>(temperature[0])));
    EXPECT_EQ(BoxAnswers("F3"), QList<int>(100, static_cast<uint8_t>(pressure[0])));
    EXPECT_EQ(BoxAnswers("FF").size(), 6);
}

TEST_F(BoxFaults, GarbageAnswersEveryRequestWithRandomBytesButStillTheProbe)
{
    ASSERT_TRUE(Connect({"--garbage", "3"}));
    QByteArray received;
    for (int i = 0; i < 20; ++i) {
        port.Write(0xF2);
        port.Write(0xF3);
    }
    // Each answer is one to eight bytes. The box answers in order, so the probe's answer,
    // asked for last, comes after every one of them.
    port.Write(0xFF);
    const auto probeAnswered = [&] {
        received += port.ReadAvailable();
        return received.endsWith("QUIRAN");
    };
    ASSERT_TRUE(QTest::qWaitFor(probeAnswered, 5000));
    received.chop(6);
    EXPECT_GE(received.size(), 40);
    EXPECT_GT(QSet<char>(received.begin(), received.end()).size(), 10);
}

TEST_F(BoxFaults, SilentAllAnswersOnlyTheProbe)
{
    ASSERT_TRUE(Connect({"--silent", "all"}));
    port.Write(0xF2);
    port.Write(0xF3);
    EXPECT_EQ(Ask(port, 0xFF, 6), "QUIRAN");
}
