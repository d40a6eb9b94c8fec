#include "device/SerialCommPort.h"

#include <QCoreApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>

namespace {

// A pseudo-terminal whose master side this test drives as the box would.
struct PseudoTerminal {
    PseudoTerminal()
    {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
            return;
        device = QString::fromLocal8Bit(ptsname(master));
        // Raw from the start, so bytes sent before the program opens the port are not echoed.
        const int slave = ::open(ptsname(master), O_RDWR | O_NOCTTY);
        termios raw{};
        tcgetattr(slave, &raw);
        cfmakeraw(&raw);
        tcsetattr(slave, TCSANOW, &raw);
        ::close(slave);
    }
    ~PseudoTerminal() { CloseMaster(); }

    void Send(const QByteArray& bytes) const
    {
        ASSERT_EQ(::write(master, bytes.constData(), bytes.size()), bytes.size());
    }
    // What the program wrote, waiting at most a second for count bytes.
    QByteArray Receive(int count) const
    {
        QByteArray received;
        while (received.size() < count) {
            pollfd wait{master, POLLIN, 0};
            QCoreApplication::processEvents();   // lets the queued write leave
            if (::poll(&wait, 1, 10) <= 0) {
                if (++idle > 100)
                    break;
                continue;
            }
            char buffer[64];
            const ssize_t n = ::read(master, buffer, sizeof buffer);
            if (n <= 0)
                break;
            received.append(buffer, n);
        }
        return received;
    }
    void CloseMaster()
    {
        if (master >= 0)
            ::close(master);
        master = -1;
    }

    int master = -1;
    mutable int idle = 0;
    QString device;
};

} // namespace

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
    PseudoTerminal box;
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
    PseudoTerminal box;
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
    PseudoTerminal box;
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
}

TEST(SerialCommPort, VanishedDeviceClosesThePortForGood)
{
    PseudoTerminal box;
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
