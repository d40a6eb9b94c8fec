#include "device/PortNames.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A folder standing for /dev with the named device files; "serial/by-id/NAME>TARGET" makes a
// link as udev does.
struct Devices {
    explicit Devices(const QStringList& entries)
    {
        QDir(folder.path()).mkpath("serial/by-id");
        for (const QString& entry : entries) {
            const QStringList link = entry.split('>');
            if (link.size() == 2)
                QFile::link("../../" + link[1], folder.filePath(link[0]));
            else
                QFile(folder.filePath(entry)).open(QIODevice::WriteOnly);
        }
    }
    QStringList Candidates(int16_t port) const
    {
        QStringList names = PortCandidates(port, folder.path());
        for (QString& name : names)
            name = QDir(folder.path()).relativeFilePath(name);
        return names;
    }
    QTemporaryDir folder;
};

} // namespace

#ifndef Q_OS_WIN
// Port n is the nth serial adapter as a teacher counts them, then the built-in port n.
TEST(PortCandidates, NthAdapterInStableOrderThenTheBuiltInPort)
{
    const Devices usbAndBuiltIn({"ttyUSB3", "ttyUSB1", "ttyACM0", "ttyS0", "ttyS1", "ttyS2",
                                 "serial/by-id/usb-FTDI_B-if00>ttyUSB3",
                                 "serial/by-id/usb-Prolific_A-if00>ttyUSB1"});
    const std::vector<std::pair<int16_t, QStringList>> expected = {
        {1, {"ttyUSB3", "ttyS0"}},   // by-id order, not the kernel's numbers
        {2, {"ttyUSB1", "ttyS1"}},
        {3, {"ttyACM0", "ttyS2"}},   // not listed in by-id: after those that are
        {4, {"ttyS3"}},              // nothing: the built-in name, which fails to open
    };
    for (const auto& [port, candidates] : expected)
        EXPECT_EQ(usbAndBuiltIn.Candidates(port), candidates) << port;

    const Devices unlisted({"ttyUSB10", "ttyACM1", "ttyUSB2"});
    EXPECT_EQ(unlisted.Candidates(1), QStringList{"ttyUSB2"});
    EXPECT_EQ(unlisted.Candidates(2), QStringList{"ttyUSB10"});
    EXPECT_EQ(unlisted.Candidates(3), QStringList{"ttyACM1"});
}

// The adapter pulled out and plugged in again while its old number is still held.
TEST(PortCandidates, AdapterBackUnderTheNextNumberIsStillPortOne)
{
    const Devices back({"ttyS0", "ttyUSB1", "serial/by-id/usb-FTDI_B-if00>ttyUSB1"});
    EXPECT_EQ(back.Candidates(1), (QStringList{"ttyUSB1", "ttyS0"}));
    const Devices gone({"ttyS0", "ttyS1"});
    EXPECT_EQ(gone.Candidates(1), QStringList{"ttyS0"});
}

TEST(PortCandidates, NumbersOutsideTwoToFourMeanPortOne)
{
    const Devices none({});
    for (int16_t port : {1, 0, -3, 5})
        EXPECT_EQ(none.Candidates(port), QStringList{"ttyS0"}) << port;
}
#endif

TEST(NamedDevice, RelativePathToAnExistingFileBecomesAbsolute)
{
    QTemporaryDir folder;
    QFile(folder.filePath("poruka-tty")).open(QIODevice::WriteOnly);
    const QString before = QDir::currentPath();
    QDir::setCurrent(folder.path());
    const QString named = NamedDevice("poruka-tty");
    QDir::setCurrent(before);
    EXPECT_EQ(named, QDir(folder.path()).absoluteFilePath("poruka-tty"));
    // Plain device names are left for the serial port to resolve.
    EXPECT_EQ(NamedDevice("ttyUSB0"), "ttyUSB0");
    EXPECT_EQ(NamedDevice("/dev/ttyS0"), "/dev/ttyS0");
}
