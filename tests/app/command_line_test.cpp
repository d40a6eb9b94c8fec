#include "app/CommandLine.h"
#include "TestPaths.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ParseCommandLine, NoOptionsMeansTheProgramAsUsual)
{
    const auto options = ParseCommandLine({});
    ASSERT_TRUE(options);
    EXPECT_TRUE(options->screenshotFile.isEmpty());
    EXPECT_LT(options->quitAfterSeconds, 0);
    EXPECT_TRUE(options->portDevice.isEmpty());
}

TEST(ParseCommandLine, ReadsEveryOptionWithItsValue)
{
    const auto options = ParseCommandLine(
        {"--port", "/tmp/poruka-tty", "--screenshot", "window.png", "--quit-after", "2.5"});
    ASSERT_TRUE(options);
    EXPECT_EQ(options->portDevice, QStringLiteral("/tmp/poruka-tty"));
    EXPECT_EQ(options->screenshotFile, QStringLiteral("window.png"));
    EXPECT_DOUBLE_EQ(options->quitAfterSeconds, 2.5);
    EXPECT_EQ(options->zoom, 1);
    for (double factor : {1.0, 1.5, 2.0, 3.0})
        EXPECT_EQ(ParseCommandLine({"--zoom", QString::number(factor)})->zoom, factor);
}

TEST(ParseCommandLine, RefusesWhatItDoesNotUnderstand)
{
    const QStringList refused[] = {
        {"--help"},
        {"window.png"},
        {"--port"},                          // a value is missing
        {"--screenshot", "a.png", "--quit-after"},
        {"--quit-after", "soon"},
        {"--quit-after", "-1"},
        {"--quit-after", "nan"},
        {"--quit-after", "inf"},
        {"--quit-after", "1e300"},
        {"--PORT", "/dev/ttyS0"},
        {"--zoom", "2.5"},
        {"--zoom", "0"},
        {"--zoom", "large"},
    };
    for (const QStringList& arguments : refused)
        EXPECT_FALSE(ParseCommandLine(arguments)) << arguments.join(' ').toStdString();
}

// The real program: a wrong option is a one-line usage message and exit code 2, even without
// a display; a screenshot run saves the whole window and ends with 0.
TEST(ProgramOptions, UsageOnStderrAndExitCodeTwo)
{
    QProcess program;
    program.start(QStringLiteral(PORUKA_PROGRAM_PATH), {QStringLiteral("--colour"), QStringLiteral("red")});
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 2);
    const QByteArray error = program.readAllStandardError();
    EXPECT_TRUE(error.startsWith("usage: poruka")) << error.toStdString();
    EXPECT_EQ(error.count('\n'), 1);
    EXPECT_TRUE(program.readAllStandardOutput().isEmpty());
}

TEST(ProgramOptions, ScreenshotSavesTheWindowAndQuits)
{
    QTemporaryDir folder;
    const QString picture = folder.filePath(QStringLiteral("window.png"));
    QProcess program;
    program.setWorkingDirectory(folder.path());
    // A device that does not exist keeps the program away from any real serial port here.
    program.start(QStringLiteral(PORUKA_PROGRAM_PATH),
                  {QStringLiteral("--screenshot"), picture, QStringLiteral("--quit-after"), QStringLiteral("0"),
                   QStringLiteral("--port"), folder.filePath(QStringLiteral("no-box"))});
    ASSERT_TRUE(program.waitForFinished(60000));
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    EXPECT_EQ(QImage(picture).size(), QSize(645, 423));
    const QString pictures = qEnvironmentVariable("PORUKA_PICTURES");
    if (!pictures.isEmpty()) {
        QImage(picture).save(QDir(pictures).filePath("program.png"));
    }
}
