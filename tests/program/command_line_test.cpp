#include "TestPaths.h"
#include "program/CommandLine.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ParseCommandLine, NoOptionsMeansTheProgramAsUsual)
{
    const auto options = ParseCommandLine({});
    ASSERT_TRUE(options);
    EXPECT_TRUE(options->screenshotFile.isEmpty());
    EXPECT_LT(options->quitAfterSeconds, 0);
    EXPECT_TRUE(options->portDevice.isEmpty());
    EXPECT_TRUE(options->folder.isEmpty());
    EXPECT_EQ(options->zoom, 1);
    EXPECT_FALSE(options->showHelp || options->showVersion);
}

TEST(ParseCommandLine, ReadsEveryOptionWithItsValue)
{
    const auto options = ParseCommandLine(
        {"--port", "/tmp/poruka-tty", "--screenshot", "window.png", "--quit-after", "2.5"});
    ASSERT_TRUE(options);
    EXPECT_EQ(options->portDevice, QStringLiteral("/tmp/poruka-tty"));
    EXPECT_EQ(options->screenshotFile, QStringLiteral("window.png"));
    EXPECT_DOUBLE_EQ(options->quitAfterSeconds, 2.5);

    const auto joined = ParseCommandLine({"--folder=~/Poruka", "--zoom=1.5", "--quit-after=0"});
    ASSERT_TRUE(joined);
    EXPECT_EQ(joined->folder, QDir::homePath() + QStringLiteral("/Poruka"));
    EXPECT_EQ(joined->zoom, 1.5);
    EXPECT_EQ(joined->quitAfterSeconds, 0);
    EXPECT_EQ(ParseCommandLine({"--folder", "class/data"})->folder, QStringLiteral("class/data"));
    for (double factor : {1.0, 1.5, 2.0, 3.0})
        EXPECT_EQ(ParseCommandLine({"--zoom", QString::number(factor)})->zoom, factor);
    EXPECT_TRUE(ParseCommandLine({"--help"})->showHelp);
    EXPECT_TRUE(ParseCommandLine({"--version"})->showVersion);
}

TEST(WithoutQtOptions, LeavesOnlyOurs)
{
    EXPECT_EQ(WithoutQtOptions({"-platform", "offscreen", "--port", "/dev/ttyUSB0", "-style", "fusion",
                                "--style=fusion", "--display", ":1", "-reverse", "--zoom=2"}),
              QStringList({"--port", "/dev/ttyUSB0", "--zoom=2"}));
    EXPECT_EQ(WithoutQtOptions({"--colour", "red"}), QStringList({"--colour", "red"}));
}

TEST(ParseCommandLine, RefusesWhatItDoesNotUnderstand)
{
    const QStringList refused[] = {
        {"window.png"},
        {"--port", "/dev/ttyS0", "extra"},
        {"--port"},   // a value is missing
        {"--screenshot", "a.png", "--quit-after"},
        {"--quit-after", "soon"},
        {"--quit-after", "-1"},
        {"--quit-after", "nan"},
        {"--quit-after", "inf"},
        {"--quit-after", "1e300"},
        {"--PORT", "/dev/ttyS0"},
        {"--folder="},
        {"--zoom", "2.5"},
        {"--zoom", "0"},
        {"--zoom", "large"},
        {"-platform", "offscreen"},   // Qt's own are taken out before
    };
    for (const QStringList& arguments : refused)
        EXPECT_FALSE(ParseCommandLine(arguments)) << arguments.join(' ').toStdString();
}

namespace {

// The real program on the xcb platform with no display: only what needs no window can work.
struct ProgramRun {
    explicit ProgramRun(const QStringList& arguments)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(PORUKA_PROGRAM_PATH), arguments);
        finished = program.waitForFinished(60000) && program.exitStatus() == QProcess::NormalExit;
        exitCode = program.exitCode();
        output = program.readAllStandardOutput();
        error = program.readAllStandardError();
    }

    bool finished = false;
    int exitCode = -1;
    QByteArray output;
    QByteArray error;
};

}   // namespace

// A wrong option is a one-line usage message and exit code 2; --help and --version answer on
// standard output; all of them without a display.
TEST(ProgramOptions, AnsweredWithoutADisplay)
{
    const ProgramRun wrong({QStringLiteral("--colour"), QStringLiteral("red")});
    ASSERT_TRUE(wrong.finished);
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_TRUE(wrong.error.startsWith("usage: poruka")) << wrong.error.toStdString();
    EXPECT_EQ(wrong.error.count('\n'), 1);
    EXPECT_TRUE(wrong.output.isEmpty());

    const ProgramRun version({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^poruka \\d+\\.\\d+\\.\\d+\n$"))
                    .match(QString::fromUtf8(version.output))
                    .hasMatch())
        << version.output.toStdString();

    const ProgramRun help({QStringLiteral("-platform"), QStringLiteral("offscreen"), QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* option : {"--port", "--screenshot", "--quit-after", "--folder", "--zoom", "--version"})
        EXPECT_TRUE(help.output.contains(option)) << option;
}

TEST(ProgramOptions, QtsOwnOptionsRunTheProgramAndScreenshotSavesTheWindow)
{
    QTemporaryDir folder;
    const QString picture = folder.filePath(QStringLiteral("window.png"));
    QProcess program;
    program.setWorkingDirectory(folder.path());
    // Only Qt's own -platform option keeps the program off the (missing) display here.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    program.setProcessEnvironment(environment);
    // A device that does not exist keeps the program away from any real serial port here.
    program.start(QStringLiteral(PORUKA_PROGRAM_PATH),
                  {QStringLiteral("-platform"), QStringLiteral("offscreen"), QStringLiteral("-style"),
                   QStringLiteral("fusion"), QStringLiteral("--screenshot"), picture,
                   QStringLiteral("--quit-after=0"), QStringLiteral("--port"),
                   folder.filePath(QStringLiteral("no-box"))});
    ASSERT_TRUE(program.waitForFinished(60000));
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    EXPECT_EQ(QImage(picture).size(), QSize(645, 423));
    const QString pictures = qEnvironmentVariable("PORUKA_PICTURES");
    if (!pictures.isEmpty()) {
        QImage(picture).save(QDir(pictures).filePath("program.png"));
    }
}
