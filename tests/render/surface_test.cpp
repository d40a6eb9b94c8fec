#include "render/Surface.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
constexpr QRgb kRed = qRgb(255, 0, 0);
constexpr QRgb kBlue = qRgb(0, 0, 255);
}

TEST(Surface, StartsGreyWithThePenAtTheOrigin)
{
    Surface surface;
    EXPECT_EQ(surface.image().size(), QSize(529, 425));
    EXPECT_EQ(surface.pixel(0, 0), Surface::kBackground);
    EXPECT_EQ(surface.pen(), QPointF(0, 0));
}

TEST(Surface, LinePaintsBothEndPixelsAndLeavesThePenAtItsEnd)
{
    Surface surface;
    surface.Line(10, 10, 20, 10, kRed);
    EXPECT_EQ(surface.pixel(10, 10), kRed);
    EXPECT_EQ(surface.pixel(20, 10), kRed);
    EXPECT_EQ(surface.pixel(21, 10), Surface::kBackground);
    EXPECT_EQ(surface.pixel(9, 10), Surface::kBackground);
    surface.Line(30, 40, 30, 30, kRed);   // upwards
    EXPECT_EQ(surface.pixel(30, 40), kRed);
    EXPECT_EQ(surface.pixel(30, 30), kRed);
    EXPECT_EQ(surface.pen(), QPointF(30, 30));
    surface.LineTo(5, 5, kBlue);
    EXPECT_EQ(surface.pixel(35, 35), kBlue);
    EXPECT_EQ(surface.pen(), QPointF(35, 35));
}

TEST(Surface, CoordinatesRoundHalfUpTheSameWayForEveryOperation)
{
    Surface surface;
    surface.Point(10.5f, 20.49f, kRed);
    EXPECT_EQ(surface.pixel(11, 20), kRed);
    surface.FilledBox(40.5f, 40.5f, 42.4f, 42.4f, kBlue);
    EXPECT_EQ(surface.pixel(41, 41), kBlue);
    EXPECT_EQ(surface.pixel(42, 42), kBlue);
    EXPECT_EQ(surface.pixel(40, 40), Surface::kBackground);
    surface.Line(50.5f, 60.5f, 55.5f, 60.5f, kRed);
    EXPECT_EQ(surface.pixel(51, 61), kRed);
    EXPECT_EQ(surface.pixel(56, 61), kRed);
}

TEST(Surface, BoxesCoverBothCornersInEitherOrder)
{
    Surface surface;
    surface.Box(10, 7, 20, 365, kRed);
    EXPECT_EQ(surface.pixel(10, 7), kRed);
    EXPECT_EQ(surface.pixel(20, 365), kRed);
    EXPECT_EQ(surface.pixel(15, 100), Surface::kBackground);
    EXPECT_EQ(surface.pixel(21, 365), Surface::kBackground);
    surface.FilledBox(19, 365, 11, 350, kBlue);
    EXPECT_EQ(surface.pixel(11, 350), kBlue);
    EXPECT_EQ(surface.pixel(19, 365), kBlue);
    EXPECT_EQ(surface.pixel(15, 360), kBlue);
    EXPECT_EQ(surface.pixel(10, 360), kRed);
    EXPECT_EQ(surface.pen(), QPointF(11, 350));
}

TEST(Surface, CircleOutlineReachesItsRadius)
{
    Surface surface;
    surface.Circle(15, 370, 8, kRed);
    EXPECT_EQ(surface.pixel(15, 362), kRed);
    EXPECT_EQ(surface.pixel(15, 378), kRed);
    EXPECT_EQ(surface.pixel(7, 370), kRed);
    EXPECT_EQ(surface.pixel(23, 370), kRed);
    EXPECT_EQ(surface.pixel(15, 370), Surface::kBackground);
    EXPECT_EQ(surface.pen(), QPointF(15, 370));
}

TEST(Surface, PrintLineWritesBlackTextAndMovesToTheNextLine)
{
    Surface surface;
    surface.setPen(QPointF(40, 3));
    surface.PrintLine(QStringLiteral("設定終了"));
    const QPointF next = surface.pen();
    EXPECT_EQ(next.x(), 0);
    EXPECT_GT(next.y(), 3 + 8);
    int black = 0;
    for (int y = 3; y < next.y(); ++y)
        for (int x = 40; x < 120; ++x)
            black += surface.pixel(x, y) == qRgb(0, 0, 0);
    EXPECT_GT(black, 20);
    surface.PrintLine(QString());   // an empty line only moves the pen
    EXPECT_EQ(surface.pen().y(), 2 * next.y() - 3);
}

TEST(Surface, WildCoordinatesAreClippedNotFatal)
{
    Surface surface;
    surface.Line(-1e30f, 5, 1e30f, 5, kRed);
    surface.FilledBox(std::nanf(""), 0, 10, 10, kRed);
    surface.Point(1e9f, -1e9f, kRed);
    EXPECT_EQ(surface.pixel(100, 5), kRed);
}
