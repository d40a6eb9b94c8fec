#include "device/SerialCommPort.h"
#include "support/TestTerminal.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <unistd.h>

TEST(SerialCommPort, DeviceThatDoesNotExistFailsToOpenAndStaysQuiet)
{
    SerialCommPort port(QStringLiteral("/nonexistent/poruka-tty"));
    EXPECT_FALSE(port.Open(1));
    EXPECT_FALSE(port.IsOpen());
    port.Write(0xF3);
    EXPECT_TRUE(port.ReadAvailable().isEmpty());
    EXPECT_TRUE(port.WaitForReply(500, 6).isEmpty());
}

TEST(SerialCommPort, BytesTravelRawBothWays)
{
    TestTerminal box;
    ASSERT_FALSE(box.device.isEmpty());
    SerialCommPort port(box.device);
    ASSERT_TRUE(port.Open(3));
    EXPECT_EQ(port.deviceName(), box.device);

    // Line ends, flow-control characters and NUL pass unchanged.
    const QByteArray awkward("\x00\x0d\x0a\x11\x13\x7f\xff", 7);
    for (char byte : awkward)
        port.Write(static_cast<uint8_t>(byte));
    EXPECT_EQ(box.Receive(awkward.size()), awkward);

    box.Send(awkward);
    const QByteArray reply = port.WaitForReply(1000, awkward.size());
    EXPECT_EQ(reply, awkward);
}

TEST(SerialCommPort, StaleBytesFromBeforeTheOpenAreDropped)
{
    TestTerminal box;
    SerialCommPort port(box.device);
    ASSERT_TRUE(port.Open(1));
    port.Write(0x00);
    ASSERT_EQ(box.Receive(1).size(), 1);   // the port is set up, so the box is heard raw
    box.Send("stale");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !port.ReadAvailable().isEmpty(); }, 2000));

    box.Send("stale");
    ASSERT_TRUE(port.Open(1));   // reopening clears what waits in the line
    box.Send("Q");
    EXPECT_EQ(port.WaitForReply(1000, 1), "Q");
}

TEST(SerialCommPort, ReadsTakeOnlyWhatHasArrivedWithoutWaiting)
{
    TestTerminal box;
    SerialCommPort port(box.device);
    ASSERT_TRUE(port.Open(1));
    EXPECT_TRUE(port.ReadAvailable().isEmpty());
    port.Write(0xF3);
    EXPECT_TRUE(port.ReadAvailable().isEmpty()) << "the answer comes on a later tick";
    ASSERT_EQ(box.Receive(1), QByteArray(1, '\xf3'));
    box.Send("\x42");
    QByteArray later;
    ASSERT_TRUE(QTest::qWaitFor([&] { later += port.ReadAvailable(); return !later.isEmpty(); }, 2000));
    EXPECT_EQ(later, "\x42");

    // A burst arrives whole and in order, however Qt splits it between reads.
    QByteArray burst;
    for (int i = 0; i < 3000; ++i)
        burst += static_cast<char>(i * 7);
    box.Send(burst);
    later.clear();
    ASSERT_TRUE(QTest::qWaitFor([&] { later += port.ReadAvailable(); return later.size() >= burst.size(); }, 2000));
    EXPECT_EQ(later, burst);

    // An answer that is there before the read but came after its request is a later read's,
    // however quickly the box gives it: the readout pairs bytes with channels by that order.
    port.Write(0xF2);
    ASSERT_EQ(box.Receive(1), QByteArray(1, '\xf2'));
    box.Send("\x43");
    QTest::qWait(20);
    EXPECT_TRUE(port.ReadAvailable().isEmpty());
    later.clear();
    ASSERT_TRUE(QTest::qWaitFor([&] { port.Write(0xF3); later += port.ReadAvailable(); return !later.isEmpty(); }, 2000));
    EXPECT_EQ(later, "\x43");
}

// The readout takes what has arrived at its next tick, so an answer must not wake the event
// loop on its own, not even after the start-up probe's wait, which reads through Qt.
TEST(SerialCommPort, AnswersDoNotWakeTheEventLoop)
{
    struct SocketActivations : QObject {
        SocketActivations() { QCoreApplication::instance()->installEventFilter(this); }
        bool eventFilter(QObject*, QEvent* event) override
        {
            count += event->type() == QEvent::SockAct;
            return false;
        }
        int count = 0;
    };
    TestTerminal box;
    SerialCommPort port(box.device);
    ASSERT_TRUE(port.Open(1));
    box.Send("Q");
    ASSERT_EQ(port.WaitForReply(1000, 1), "Q");
    EXPECT_TRUE(port.ReadAvailable().isEmpty());

    SocketActivations activations;
    box.Send("\x42");
    QTest::qWait(100);
    EXPECT_EQ(activations.count, 0);
    EXPECT_EQ(port.ReadAvailable(), "\x42");
}

TEST(SerialCommPort, VanishedDeviceClosesThePortForGood)
{
    TestTerminal box;
    SerialCommPort port(box.device);
    ASSERT_TRUE(port.Open(1));
    box.CloseMaster();   // like an adapter pulled out
    ASSERT_TRUE(QTest::qWaitFor([&] {
        port.Write(0xF2);
        port.ReadAvailable();
        return !port.IsOpen();
    }, 5000));
    port.Write(0xF3);
    EXPECT_TRUE(port.ReadAvailable().isEmpty());
    EXPECT_FALSE(port.IsOpen());
}

// Qt reports both causes as a permission error; the device's access rights tell them apart.
TEST(SerialCommPort, OpenFailureTellsAMissingDeviceFromABusyOne)
{
    SerialCommPort missing(QStringLiteral("/nonexistent/poruka-tty"));
    ASSERT_FALSE(missing.Open(1));
    EXPECT_EQ(missing.LastOpenFailure(), OpenFailure::Unavailable);

    TestTerminal box;
    ASSERT_FALSE(box.device.isEmpty());
    SerialCommPort first(box.device);
    ASSERT_TRUE(first.Open(1));
    EXPECT_EQ(first.LastOpenFailure(), OpenFailure::None);
    SerialCommPort second(box.device);   // another program holding the port, as far as it can tell
    EXPECT_FALSE(second.Open(1));
    EXPECT_EQ(second.LastOpenFailure(), OpenFailure::Busy);
}
