// The surface writes level lines, boxes and points straight into the image's memory; these
// cases check that those writes agree with the painter's and never reach a copy of the image.

#include "render/Surface.h"

#include <gtest/gtest.h>

namespace {
constexpr QRgb kRed = qRgb(255, 0, 0);
constexpr QRgb kBlue = qRgb(0, 0, 255);
}

TEST(SurfaceFastPaths, CopyTakenEarlierKeepsItsPixels)
{
    Surface surface;
    const QImage before = surface.image();
    surface.FilledBox(0, 0, 528, 424, kRed);
    surface.Point(3, 3, kBlue);
    surface.Line(5, 5, 50, 5, kBlue);
    EXPECT_EQ(before.pixel(3, 3) | 0xff000000u, Surface::kBackground);
    EXPECT_EQ(before.pixel(20, 5) | 0xff000000u, Surface::kBackground);
    EXPECT_EQ(surface.pixel(3, 3), kBlue);
    EXPECT_EQ(surface.pixel(20, 5), kBlue);

    // The same with the painter's lines in between, before and after the copy.
    surface.Line(0, 200, 100, 250, kBlue);
    const QImage middle = surface.image();
    surface.Point(3, 3, kRed);
    surface.Line(0, 100, 100, 150, kBlue);
    EXPECT_EQ(middle.pixel(3, 3) | 0xff000000u, kBlue);
    EXPECT_EQ(middle.pixel(50, 125) | 0xff000000u, kRed);
    EXPECT_EQ(surface.pixel(3, 3), kRed);
    EXPECT_EQ(surface.pixel(50, 125), kBlue);
}

TEST(SurfaceFastPaths, LevelUprightAndSlopedLinesMeetAtTheirEnds)
{
    Surface surface;
    surface.Line(10, 10, 40, 10, kRed);    // level, written directly
    surface.Line(40, 10, 40, 30, kBlue);   // upright, written directly
    surface.Line(40, 30, 10, 10, kRed);    // sloped, drawn by the painter
    EXPECT_EQ(surface.pixel(10, 10), kRed);
    EXPECT_EQ(surface.pixel(40, 30), kRed);
    EXPECT_EQ(surface.pixel(40, 20), kBlue);
    EXPECT_EQ(surface.pixel(41, 20), Surface::kBackground);
    surface.Line(60, 60, 60, 60, kBlue);   // a line of no length is its one pixel
    EXPECT_EQ(surface.pixel(60, 60), kBlue);
    EXPECT_EQ(surface.pixel(61, 60), Surface::kBackground);
}

TEST(SurfaceFastPaths, WritesOutsideTheImageAreClipped)
{
    Surface surface;
    surface.FilledBox(-50, -50, 2, 2, kRed);
    surface.Box(520, 420, 600, 500, kBlue);
    surface.Point(-1, 5, kRed);
    surface.Point(529, 5, kRed);
    EXPECT_EQ(surface.pixel(0, 0), kRed);
    EXPECT_EQ(surface.pixel(2, 2), kRed);
    EXPECT_EQ(surface.pixel(3, 3), Surface::kBackground);
    EXPECT_EQ(surface.pixel(520, 424), kBlue);
    EXPECT_EQ(surface.pixel(528, 420), kBlue);
    EXPECT_EQ(surface.pixel(0, 5), Surface::kBackground);
}
