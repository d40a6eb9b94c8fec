// The stand-in box on its own, talked to through the program's serial port.

#include "device/SerialCommPort.h"
#include "support/BoxProcess.h"

#include <gtest/gtest.h>

#include <csignal>

namespace {

struct VirtualBox : ::testing::Test {
    VirtualBox() { WriteTestTables(folder.path()); }

    // Sends the bytes and waits (boundedly) for `count` answer bytes.
    QByteArray Ask(SerialCommPort& port, const QByteArray& bytes, int count)
    {
        for (char byte : bytes)
            port.Write(static_cast<uint8_t>(byte));
        return port.WaitForReply(5000, count);
    }

    QTemporaryDir folder;
    BoxProcess box{folder.path()};
};

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (int value : values)
        bytes.append(static_cast<char>(value));
    return bytes;
}

} // namespace

TEST_F(VirtualBox, AnswersTheProbeAndBothRequestsCrossedAndLogsEveryByte)
{
    ASSERT_TRUE(box.Start({"--scenario", "steady"}));
    SerialCommPort port(box.link());
    ASSERT_TRUE(port.Open(1));
    EXPECT_EQ(Ask(port, Bytes({0x00, 0x00, 0xFF}), 6), "QUIRAN");
    // 0xF2 is answered with the temperature (20 °C is byte 80), 0xF3 with the pressure
    // (1013 hPa is byte 113): the program reads each answer on the other channel's step.
    EXPECT_EQ(Ask(port, Bytes({0xF2}), 1), Bytes({80}));
    EXPECT_EQ(Ask(port, Bytes({0xF3}), 1), Bytes({113}));
    // Other bytes go unanswered: the answer after them is the probe's alone.
    EXPECT_EQ(Ask(port, Bytes({0x41, 0x00, 0xF1, 0xFF}), 6), "QUIRAN");
    EXPECT_EQ(box.LoggedBytes(), QStringList({"00", "00", "FF", "F2", "F3", "41", "00", "F1", "FF"}));
}

TEST_F(VirtualBox, SilentChannelNeverAnswers)
{
    ASSERT_TRUE(box.Start({"--scenario", "steady", "--silent", "temperature"}));
    SerialCommPort port(box.link());
    ASSERT_TRUE(port.Open(1));
    EXPECT_EQ(Ask(port, Bytes({0xF2, 0xF2, 0xF3}), 1), Bytes({113}));
    EXPECT_EQ(Ask(port, Bytes({0xF2, 0xFF}), 6), "QUIRAN");
}

TEST_F(VirtualBox, DropsEveryNthAnswer)
{
    ASSERT_TRUE(box.Start({"--scenario", "steady", "--drop-every", "2"}));
    SerialCommPort port(box.link());
    ASSERT_TRUE(port.Open(1));
    EXPECT_EQ(Ask(port, Bytes({0xF3, 0xF2, 0xF3, 0xF2, 0xF3, 0xFF}), 9), Bytes({113, 113, 113}) + "QUIRAN");
}

TEST_F(VirtualBox, SurvivesTheProgramClosingAndReopeningThePort)
{
    ASSERT_TRUE(box.Start({"--scenario", "steady"}));
    {
        SerialCommPort first(box.link());
        ASSERT_TRUE(first.Open(1));
        EXPECT_EQ(Ask(first, Bytes({0xF2}), 1), Bytes({80}));
    }
    for (int again = 0; again < 3; ++again) {
        SerialCommPort next(box.link());
        ASSERT_TRUE(next.Open(1));
        EXPECT_EQ(Ask(next, Bytes({0xFF}), 6), "QUIRAN");
    }
    EXPECT_EQ(box.process->state(), QProcess::Running);
}

TEST_F(VirtualBox, HeatingScenarioWarmsTheBeaker)
{
    ASSERT_TRUE(box.Start({"--scenario", "heating", "--speed", "300"}));
    SerialCommPort port(box.link());
    ASSERT_TRUE(port.Open(1));
    const QByteArray first = Ask(port, Bytes({0xF2}), 1);
    ASSERT_EQ(first.size(), 1);
    EXPECT_LT(static_cast<uint8_t>(first[0]) / 2 - 20, 30) << "starts near room temperature";
    int warmest = 0;
    EXPECT_TRUE(QTest::qWaitFor([&] {
        const QByteArray now = Ask(port, Bytes({0xF2}), 1);
        if (!now.isEmpty())
            warmest = std::max(warmest, static_cast<uint8_t>(now[0]) / 2 - 20);
        return warmest >= 60;
    }, 10000)) << warmest;
    EXPECT_LE(warmest, 95);
}

TEST_F(VirtualBox, StopsCleanlyAndRemovesItsLink)
{
    ASSERT_TRUE(box.Start());
    EXPECT_TRUE(box.Stop());
    EXPECT_FALSE(QFileInfo(box.link()).isSymLink());

    ASSERT_TRUE(box.Start({"--exit-after", "0.2"}));
    EXPECT_TRUE(box.process->waitForFinished(10000));
    EXPECT_EQ(box.process->exitCode(), 0);
    EXPECT_FALSE(QFileInfo(box.link()).isSymLink());
}

TEST_F(VirtualBox, ReplacesALinkLeftBehind)
{
    // A box that could not clean up leaves its link, pointing at a device gone since.
    ASSERT_TRUE(QFile::link(folder.filePath("gone/pts"), box.link()));
    ASSERT_TRUE(box.Start({"--scenario", "steady"}));
    SerialCommPort port(box.link());
    ASSERT_TRUE(port.Open(1));
    EXPECT_EQ(Ask(port, Bytes({0xFF}), 6), "QUIRAN");
}

TEST_F(VirtualBox, RefusesBadOptionsAndMissingTables)
{
    const auto exitCode = [](const QStringList& arguments) {
        QProcess process;
        process.start(BoxPath(), arguments);
        process.waitForFinished(10000);
        return process.exitCode();
    };
    const QString link = folder.filePath("tty");
    EXPECT_EQ(exitCode({}), 2);
    EXPECT_EQ(exitCode({"--link", link, "--scenario", "storm"}), 2);
    EXPECT_EQ(exitCode({"--link", link, "--speed", "0"}), 2);
    EXPECT_EQ(exitCode({"--link", link, "--silent", "both"}), 2);
    EXPECT_EQ(exitCode({"--link", link, "--drop-every", "1.5"}), 2);
    EXPECT_EQ(exitCode({"--link", link, "--exit-after"}), 2);
    EXPECT_EQ(exitCode({"--link", link, "--data", folder.filePath("nowhere")}), 1);
    EXPECT_FALSE(QFileInfo::exists(link));
}

TEST_F(VirtualBox, HelpPrintsTheUsageAndEndsWell)
{
    for (const char* help : {"--help", "-h"}) {
        QProcess process;
        process.start(BoxPath(), {help, "--link"});
        ASSERT_TRUE(process.waitForFinished(10000));
        EXPECT_EQ(process.exitCode(), 0) << help;
        EXPECT_TRUE(process.readAllStandardOutput().startsWith("usage: poruka-box --link PATH")) << help;
        EXPECT_TRUE(process.readAllStandardError().isEmpty()) << help;
    }
}
