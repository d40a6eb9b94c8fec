#include "device/PortNames.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

auto Existing(QSet<QString> devices)
{
    return [devices](const QString& path) { return devices.contains(path); };
}

} // namespace

#ifndef Q_OS_WIN
TEST(PortDeviceName, PrefersUsbThenAcmThenBuiltInPort)
{
    const QSet<QString> all{"/dev/ttyUSB1", "/dev/ttyACM1", "/dev/ttyS1"};
    EXPECT_EQ(PortDeviceName(2, Existing(all)), "/dev/ttyUSB1");
    EXPECT_EQ(PortDeviceName(2, Existing({"/dev/ttyACM1", "/dev/ttyS1"})), "/dev/ttyACM1");
    EXPECT_EQ(PortDeviceName(2, Existing({"/dev/ttyS1"})), "/dev/ttyS1");
    // Nothing there: the built-in port's name, which then fails to open.
    EXPECT_EQ(PortDeviceName(4, Existing({})), "/dev/ttyS3");
}

TEST(PortDeviceName, NumbersOutsideTwoToFourMeanPortOne)
{
    const auto none = Existing({});
    EXPECT_EQ(PortDeviceName(1, none), "/dev/ttyS0");
    EXPECT_EQ(PortDeviceName(0, none), "/dev/ttyS0");
    EXPECT_EQ(PortDeviceName(-3, none), "/dev/ttyS0");
    EXPECT_EQ(PortDeviceName(5, none), "/dev/ttyS0");
    EXPECT_EQ(PortDeviceName(3, none), "/dev/ttyS2");
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
