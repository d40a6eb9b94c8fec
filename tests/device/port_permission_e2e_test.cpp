// A device the user may not open is named as such in the caption. File permissions do not stop
// root, so when the suite runs as root (as CI does) the test runs itself again as nobody.

#include "device/SerialCommPort.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <unistd.h>

TEST(SerialCommPort, DeviceWithoutPermissionSaysSo)
{
    if (::geteuid() == 0) {
        // File permissions do not stop root: the test runs again as an unprivileged user.
        QProcess child;
        // The parent's runtime folder and screen file are root's own.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        child.setProcessEnvironment(environment);
        child.start(QStringLiteral("setpriv"),
                    {QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                     QStringLiteral("--clear-groups"), QCoreApplication::applicationFilePath(),
                     QStringLiteral("--gtest_filter=SerialCommPort.DeviceWithoutPermissionSaysSo")});
        ASSERT_TRUE(child.waitForFinished(60000));
        const QByteArray output = child.readAll();
        EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
        EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
        return;
    }
    QTemporaryDir folder;
    const QString device = folder.filePath(QStringLiteral("poruka-tty"));
    QFile file(device);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    ASSERT_TRUE(QFile::setPermissions(device, QFileDevice::Permissions()));
    SerialCommPort port(device);
    EXPECT_FALSE(port.Open(1));
    EXPECT_EQ(port.LastOpenFailure(), OpenFailure::NoPermission);
}
