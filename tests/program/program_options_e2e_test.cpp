// The real program run as a process: its options, the class folder it fills, and the size it
// starts at.

#include "files/FileNames.h"
#include "support/Pictures.h"
#include "support/TestPaths.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// Every whole F x F block of the picture area holds one colour.
int MixedBlocks(const QImage& picture, QRect area, int factor)
{
    int mixed = 0;
    for (int y = area.top(); y + factor - 1 <= area.bottom(); y += factor) {
        for (int x = area.left(); x + factor - 1 <= area.right(); x += factor) {
            const QRgb first = picture.pixel(x, y);
            for (int i = 0; i < factor * factor; ++i)
                mixed += picture.pixel(x + i % factor, y + i / factor) != first ? 1 : 0;
        }
    }
    return mixed;
}

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
        program.start(ProgramPath(), arguments);
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
    program.start(ProgramPath(),
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

// The real program, run from the build folder, fills a new class folder from data/.
TEST(ProgramOptions, FolderOptionFillsANewClassFolder)
{
    QTemporaryDir root;
    const QString folder = root.filePath("Poruka");
    QProcess program;
    program.start(ProgramPath(),
                  {"-platform", "offscreen", "--folder", folder, "--quit-after", "0", "--port",
                   root.filePath("no-box")});
    ASSERT_TRUE(program.waitForFinished(60000));
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    for (const char* name : kClassFileNames)
        EXPECT_EQ(ReadFile(QDir(folder).filePath(name)), ReadFile(SourcePath("/data/") + name)) << name;
}

// The program started larger than its screen (Qt's offscreen screen, 800 x 800) starts at the
// largest size that fits and says so once.
TEST(ProgramOptions, ZoomLargerThanTheScreenStartsAtTheLargestThatFits)
{
    QTemporaryDir folder;
    const QString picture = folder.filePath(QStringLiteral("window.png"));
    QProcess program;
    program.setWorkingDirectory(folder.path());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(environment);
    program.start(ProgramPath(),
                  {QStringLiteral("--zoom"), QStringLiteral("2"), QStringLiteral("--screenshot"), picture,
                   QStringLiteral("--quit-after"), QStringLiteral("0"), QStringLiteral("--port"),
                   folder.filePath(QStringLiteral("no-box"))});
    ASSERT_TRUE(program.waitForFinished(60000));
    ASSERT_EQ(program.exitCode(), 0);
    const QStringList said = QString::fromLocal8Bit(program.readAllStandardError()).split(u'\n', Qt::SkipEmptyParts).filter(QStringLiteral("--zoom"));
    ASSERT_EQ(said.size(), 1);
    EXPECT_EQ(said[0], QStringLiteral("poruka: --zoom 2 does not fit the screen; starting at 1"));
    EXPECT_EQ(QImage(picture).size(), QSize(645, 423));
}

// The program itself on a screen of two device pixels to the logical one: the window keeps its
// size in logical pixels and the pictures are drawn as exact 2 x 2 blocks, not smoothed.
TEST(ProgramOptions, HighDensityScreenShowsThePicturesAsExactBlocks)
{
    QTemporaryDir folder;
    const QString picture = folder.filePath(QStringLiteral("window.png"));
    const QDir data(SourcePath("/data"));
    for (const QString& name : data.entryList(QDir::Files))
        QFile::copy(data.filePath(name), folder.filePath(name));
    QProcess program;
    program.setWorkingDirectory(folder.path());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("2"));
    program.setProcessEnvironment(environment);
    program.start(ProgramPath(),
                  {QStringLiteral("--screenshot"), picture, QStringLiteral("--quit-after"), QStringLiteral("0"),
                   QStringLiteral("--port"), folder.filePath(QStringLiteral("no-box"))});
    ASSERT_TRUE(program.waitForFinished(60000));
    ASSERT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    const QImage shown(picture);
    SavePictureIfAsked(shown, QStringLiteral("zoom-device-pixel-ratio-2.png"));
    ASSERT_EQ(shown.size(), QSize(1290, 846));
    EXPECT_EQ(MixedBlocks(shown, QRect(240, 0, 1050, 846), 2), 0);
}
