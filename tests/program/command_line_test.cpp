#include "program/CommandLine.h"

#include <QDir>
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
    EXPECT_EQ(options->classViewPort, -1);
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
    EXPECT_EQ(ParseCommandLine({"--class-view"})->classViewPort, 0);
    EXPECT_EQ(ParseCommandLine({"--class-view=9000"})->classViewPort, 9000);
    EXPECT_TRUE(ParseCommandLine({"--help"})->showHelp);
    EXPECT_TRUE(ParseCommandLine({"--version"})->showVersion);

    // Files after the options are runs to review, and only with --review.
    const auto review = ParseCommandLine({"--review", "a.csv", "--quit-after", "1", "b.csv"});
    ASSERT_TRUE(review);
    EXPECT_TRUE(review->review);
    EXPECT_EQ(review->reviewFiles, QStringList({"a.csv", "b.csv"}));
    EXPECT_TRUE(ParseCommandLine({"--review"})->reviewFiles.isEmpty());
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
        {"--class-view=http"},
        {"--class-view=70000"},
        {"-platform", "offscreen"},   // Qt's own are taken out before
    };
    for (const QStringList& arguments : refused)
        EXPECT_FALSE(ParseCommandLine(arguments)) << arguments.join(' ').toStdString();
}
