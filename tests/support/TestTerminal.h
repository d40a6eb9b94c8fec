#pragma once

// A pseudo-terminal whose master side a test drives as the box would.

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>

struct TestTerminal {
    TestTerminal()
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
    ~TestTerminal() { CloseMaster(); }

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
