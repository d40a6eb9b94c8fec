// The window 記録を見る as a class uses it: the real program opens three runs written by the
// program's own journal writer and draws three curves in three colours; files that are no run
// each get their message, leave the window working, and are never changed.

#include "review/ReviewGraph.h"
#include "review/ReviewPalette.h"
#include "review/ReviewWindow.h"
#include "run/RunCsv.h"
#include "support/Fakes.h"
#include "support/Pictures.h"
#include "support/TestPaths.h"
#include "widgets/CommandRegistry.h"

#include <QCryptographicHash>
#include <QImage>
#include <QListWidget>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>

namespace {

// A heating run of `minutes` minute samples, each group's beaker warming at its own pace.
QString WriteJournal(const QString& folder, QDateTime start, double degreesPerMinute, int minutes)
{
    QByteArray bytes = JournalHeader();
    for (int i = 0; i < minutes; ++i) {
        const float temperature = static_cast<float>(2000 + 100 * degreesPerMinute * 10 * (1 - std::exp(-i / 10.0)));
        bytes += JournalRow({i, temperature, 10130.0f + i % 3, {start.addSecs(60 * i), false, true, {}}});
    }
    const QString path = folder + QLatin1Char('/') + JournalFileName(start);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    return path;
}

// Pixels of the colour, or so near it that only the smoothing of a line's edge made them differ.
int PixelsOf(const QImage& image, QRgb colour, QRect area)
{
    const auto near = [colour](QRgb pixel) {
        return std::abs(qRed(pixel) - qRed(colour)) + std::abs(qGreen(pixel) - qGreen(colour))
            + std::abs(qBlue(pixel) - qBlue(colour))
            <= 24;
    };
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += near(image.pixel(x, y)) ? 1 : 0;
    return count;
}

QByteArray HashOf(const QString& path)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    return file.open(QIODevice::ReadOnly) && hash.addData(&file) ? hash.result() : QByteArray();
}

}   // namespace

TEST(ReviewWindow, ProgramDrawsThreeRunsInThreeColours)
{
    QTemporaryDir folder;
    const QDate day(2026, 12, 7);
    const QStringList runs = {WriteJournal(folder.path(), QDateTime(day, QTime(9, 30)), 5, 40),
                              WriteJournal(folder.path(), QDateTime(day, QTime(10, 40)), 3, 35),
                              WriteJournal(folder.path(), QDateTime(day.addDays(1), QTime(9, 5)), 1.5, 45)};
    const QString shot = folder.filePath(QStringLiteral("review.png"));
    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(ProgramPath(), QStringList{QStringLiteral("-platform"), QStringLiteral("offscreen"), QStringLiteral("--folder"), folder.filePath(QStringLiteral("class")), QStringLiteral("--screenshot"), shot, QStringLiteral("--quit-after"), QStringLiteral("1"), QStringLiteral("--review")} + runs);
    ASSERT_TRUE(program.waitForFinished(60000));
    EXPECT_EQ(program.exitCode(), 0);
    const QImage picture(shot);
    ASSERT_FALSE(picture.isNull());
    SavePictureIfAsked(picture, QStringLiteral("review-three-runs.png"));
    // The graph, below its legend and above the lists.
    const QRect graph(picture.width() / 10, picture.height() * 12 / 100, picture.width() * 8 / 10, picture.height() * 6 / 10);
    for (int i = 0; i < 3; ++i)
        EXPECT_GT(PixelsOf(picture, kRunColours[size_t(i)], graph), 60) << "run " << i;
    EXPECT_EQ(PixelsOf(picture, kRunColours[3], picture.rect()), 0);
}

// The message about a file that is no run waits for the teacher; --quit-after still ends the
// program on time.
TEST(ReviewWindow, ProgramEndsOnTimeWhileAMessageWaits)
{
    QTemporaryDir folder;
    const QString garbage = folder.filePath(QStringLiteral("garbage.csv"));
    QFile file(garbage);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not,a\nrun\n");
    file.close();
    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(ProgramPath(), {QStringLiteral("-platform"), QStringLiteral("offscreen"), QStringLiteral("--folder"), folder.filePath(QStringLiteral("class")), QStringLiteral("--quit-after"), QStringLiteral("0.5"), QStringLiteral("--review"), garbage});
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitCode(), 0);
}

TEST(ReviewWindow, FilesThatAreNoRunEachGetTheirMessageAndStayUnchanged)
{
    QTemporaryDir folder;
    const QString garbage = folder.filePath(QStringLiteral("garbage.csv"));
    const QString empty = folder.filePath(QStringLiteral("empty.csv"));
    const QString binary = folder.filePath(QStringLiteral("binary.csv"));
    {
        QFile g(garbage);
        ASSERT_TRUE(g.open(QIODevice::WriteOnly));
        g.write("\x00\x01what,is\nthis\"\r\n,,,\n", 21);
        QFile e(empty);
        ASSERT_TRUE(e.open(QIODevice::WriteOnly));
        QFile b(binary);
        ASSERT_TRUE(b.open(QIODevice::WriteOnly));
        QByteArray block(1 << 20, Qt::Uninitialized);
        for (int i = 0; i < 50; ++i) {
            QRandomGenerator(i).fillRange(reinterpret_cast<quint32*>(block.data()), block.size() / 4);
            b.write(block);
        }
    }
    const QStringList files = {garbage, empty, binary};
    std::vector<QByteArray> before;
    for (const QString& path : files)
        before.push_back(HashOf(path));

    ScriptedQuestions questions;
    CommandRegistry commands;
    ReviewWindow window({questions, commands, folder.path(), folder.path()});
    window.show();
    for (const QString& path : files) {
        const size_t shown = questions.shown.size();
        window.openFiles({path});
        ASSERT_EQ(questions.shown.size(), shown + 1) << path.toStdString();
        EXPECT_TRUE(questions.shown.back().message.contains(QFileInfo(path).fileName()));
        EXPECT_EQ(window.comparedRuns().count(), 0);
    }
    EXPECT_TRUE(questions.shown[0].message.contains(QStringLiteral("行目"))) << questions.shown[0].message.toStdString();

    // The window still works: a run opened by the dialog is drawn.
    questions.openNames.push_back({WriteJournal(folder.path(), QDateTime(QDate(2026, 12, 7), QTime(9, 30)), 4, 30)});
    window.askToOpen();
    EXPECT_EQ(questions.shown.size(), 3u);
    ASSERT_EQ(window.comparedRuns().count(), 1);
    ComparisonPlot& plot = window.graph().plot();
    plot.selection = std::pair(5 * 60000.0, 20 * 60000.0);   // a stretch with its fit line
    plot.reading = 10 * 60000.0;
    window.graph().repaint();
    SavePictureIfAsked(window.graph().grab().toImage(), QStringLiteral("review-reading-values.png"));
    const QImage picture = window.graph().picture(800);
    EXPECT_GT(PixelsOf(picture, kRunColours[0], picture.rect()), 60);
    for (qsizetype i = 0; i < files.size(); ++i)
        EXPECT_EQ(HashOf(files[i]), before[size_t(i)]) << files[i].toStdString();
}
