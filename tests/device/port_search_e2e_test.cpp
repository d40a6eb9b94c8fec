// Port 1 with the box on a USB adapter, in a folder standing for /dev that also holds a
// built-in port with nothing behind it: when the adapter is pulled the program tries the
// built-in port, finds no box there and keeps looking, and when the adapter comes back under
// the next number it finds the box on it.

#include "device/ReconnectingPort.h"
#include "device/SerialCommPort.h"
#include "features/ConnectionStatus.h"
#include "support/BoxProcess.h"
#include "support/Fakes.h"
#include "support/TestTerminal.h"

#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

// What the program has written to the silent port so far.
QByteArray Heard(const TestTerminal& terminal)
{
    QByteArray heard;
    char buffer[256];
    pollfd wait{terminal.master, POLLIN, 0};
    while (::poll(&wait, 1, 0) > 0 && (wait.revents & POLLIN)) {
        const ssize_t n = ::read(terminal.master, buffer, sizeof buffer);
        if (n <= 0)
            break;
        heard.append(buffer, n);
    }
    return heard;
}

void PlugIn(const QString& devices, const QString& name)
{
    QFile::link("../../" + name, devices + "/serial/by-id/usb-FTDI_FT232R_USB_UART_A1-if00-port0");
}

}   // namespace

TEST(PortSearchEndToEnd, AdapterPulledAndBackUnderTheNextNumberIsFoundPastASilentBuiltInPort)
{
    QTemporaryDir devices;
    WriteTestTables(devices.path());
    QDir(devices.path()).mkpath("serial/by-id");
    TestTerminal builtIn;
    ASSERT_TRUE(QFile::link(builtIn.device, devices.filePath("ttyS0")));
    QFile settings(devices.filePath("VORUM.TXT"));
    settings.open(QIODevice::WriteOnly);
    settings.write("Zikan=0\r\n");   // Port=1 by default
    settings.close();

    BoxProcess box{devices.path()};
    box.linkName = "ttyUSB0";
    ASSERT_TRUE(box.Start({"--scenario", "steady"}));
    PlugIn(devices.path(), "ttyUSB0");

    auto serialOwned = std::make_unique<SerialCommPort>(QString(), devices.path());
    SerialCommPort* serial = serialOwned.get();
    auto link = std::make_unique<ReconnectingPort>(std::move(serialOwned));
    PorukaEnvironment environment;
    environment.portStatus = link.get();
    environment.port = std::move(link);
    environment.questions = std::make_unique<ScriptedQuestions>();
    environment.workingFolder = QDir(devices.path());
    environment.endProgram = [] {};
    Program program(std::move(environment));
    Poruka& window = program.window();
    window.Form_Load();
    const QString connected = QString::fromUtf8(kConnectedCaption);
    EXPECT_EQ(window.windowTitle(), connected);
    EXPECT_EQ(serial->deviceName(), devices.filePath("ttyUSB0"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.Text1->text() == " 20"; }, 5000));

    // Pulled out: the built-in port is probed, found silent, and not kept.
    box.Kill();
    QFile::remove(devices.filePath("serial/by-id/usb-FTDI_FT232R_USB_UART_A1-if00-port0"));
    QFile::remove(box.link());
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.windowTitle() == QString::fromUtf8(kNotConnectedCaption); }, 5000));
    QByteArray heard;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        heard += Heard(builtIn);
        return heard.contains(QByteArray("\x00\x00\xFF", 3));
    },
                                5000));
    EXPECT_FALSE(heard.contains('\xF2') || heard.contains('\xF3')) << "only the probe goes to a device not yet found";

    // Back, while the old number is still held: ttyUSB1.
    BoxProcess back{devices.path()};
    back.linkName = "ttyUSB1";
    ASSERT_TRUE(back.Start({"--scenario", "cooling"}));
    PlugIn(devices.path(), "ttyUSB1");
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.windowTitle() == connected; }, 5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.Text1->text() == " 80"; }, 5000));
    EXPECT_EQ(serial->deviceName(), devices.filePath("ttyUSB1"));
}
