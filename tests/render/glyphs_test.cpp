#include "render/Glyphs.h"

#include "base/ProgramState.h"
#include "render/Palette.h"
#include "render/Surface.h"

#include <QDir>
#include <QSet>
#include <QString>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

constexpr QRgb kBackdrop = kPalette[6];   // the graph's usual backdrop
constexpr QRgb kField = kPalette[14];     // a coloured area the glyphs are drawn over
constexpr QRgb kInk = kPalette[4];

ProgramState StateWithBackdrop()
{
    ProgramState state;
    state.GraphBackColor = kBackdrop;
    return state;
}

// Pixels of the given colour inside a rectangle, as offsets from (originX, originY).
QSet<std::pair<int, int>> PixelsOf(Surface& surface, QRgb colour, int originX, int originY)
{
    QSet<std::pair<int, int>> found;
    for (int y = originY - 12; y <= originY + 12; ++y)
        for (int x = originX - 4; x <= originX + 60; ++x)
            if (surface.pixel(x, y) == colour)
                found.insert({x - originX, y - originY});
    return found;
}

void FillField(Surface& surface, int originX, int originY)
{
    surface.FilledBox(originX - 4, originY - 12, originX + 60, originY + 12, kField);
}

} // namespace

TEST(DrawSegmentNumber, AdvancesBySignPositionAndDigitWidths)
{
    const ProgramState state = StateWithBackdrop();
    const struct { int16_t value; int advance; } cases[] = {
        {0, 18},      // space 6 + "0" 12
        {-10, 31},    // "-" 10 + "1" 9 + "0" 12, no space in front
        {1000, 51},   // 6 + 9 + 12 + 12 + 12
        {5, 17},      // 6 + "5" 11
        {-32768, 10 + 10 + 10 + 10 + 11 + 11},   // "-32768"
    };
    for (const auto& c : cases) {
        Surface surface;
        surface.Point(100, 200, kBackdrop);
        DrawSegmentNumber(state, surface, c.value, kInk);
        EXPECT_EQ(surface.pen(), QPointF(100 + c.advance, 200)) << c.value;
    }
}

TEST(DrawSegmentNumber, DrawsTheZeroGlyphStrokeForStroke)
{
    const ProgramState state = StateWithBackdrop();
    Surface surface;
    FillField(surface, 100, 100);
    surface.Point(94, 100, kBackdrop);
    DrawSegmentNumber(state, surface, 0, kInk);   // " 0": the "0" starts at x = 100

    // '#' ink, 'b' backdrop, '.' untouched field; rows y = -6..9, columns x = 0..12.
    const char* const picture[] = {
        ".....#####...",
        "....#.....#..",
        "...#.......#.",
        "...#.......#.",
        "...#.......#.",
        "...#.......#.",
        "b..#.......#b",
        "...#.......#.",
        "...#.......#.",
        "...#.......#.",
        "...#.......#.",
        "...#.......#.",
        "...#.......#.",
        "...#.......#.",
        "....#.....#..",
        ".....#####...",
    };
    for (int row = 0; row < 16; ++row) {
        for (int column = 0; column < 13; ++column) {
            const char want = picture[row][column];
            const QRgb expected = want == '#' ? kInk : want == 'b' ? kBackdrop : kField;
            EXPECT_EQ(surface.pixel(100 + column, 100 - 6 + row), expected)
                << "x " << column << " y " << row - 6;
        }
    }
}

TEST(DrawSegmentNumber, DrawsTheOneGlyphAndNothingElse)
{
    const ProgramState state = StateWithBackdrop();
    Surface surface;
    FillField(surface, 100, 100);
    surface.Point(100, 100, kBackdrop);
    DrawSegmentNumber(state, surface, 1, kInk);   // " 1": the "1" starts at x = 106

    QSet<std::pair<int, int>> expected = {{9, -4}, {10, -5}};   // the flag, up to the stem
    for (int y = -6; y <= 9; ++y)
        expected.insert({11, y});
    for (int x = 9; x <= 13; ++x)
        expected.insert({x, 9});
    EXPECT_EQ(PixelsOf(surface, kInk, 100, 100), expected);
}

// Drawn in the colour of the area beneath, a glyph shows only the backdrop pixels its pen
// moves leave behind (a move whose pixel a later stroke paints over is hidden again).
TEST(DrawSegmentNumber, EveryPenMoveLeavesABackdropPixelOverColour)
{
    const ProgramState state = StateWithBackdrop();
    const struct { int16_t value; QSet<std::pair<int, int>> moves; } cases[] = {
        {1000, {{6, 0}, {15, 0}, {27, 0}, {39, 0}, {51, 0}}},
        {-10, {{10, 0}, {19, 0}, {31, 0}}},
        {2345, {{6, 0}, {16, 0}, {26, 0}, {36, 0}, {47, 0}}},
        {-678, {{10, 0}, {21, 0}, {31, 0}, {42, 0}}},
        {9, {{6, 0}}},   // "9" ends on a dot in its own colour
    };
    for (const auto& c : cases) {
        Surface surface;
        FillField(surface, 100, 100);
        surface.setPen(QPointF(100, 100));
        DrawSegmentNumber(state, surface, c.value, kField);
        EXPECT_EQ(PixelsOf(surface, kBackdrop, 100, 100), c.moves) << c.value;
    }
}

TEST(DrawUnitSymbols, AdvancesAndIgnoresOtherLetters)
{
    const ProgramState state = StateWithBackdrop();
    const struct { const char16_t* text; QPointF advance; } cases[] = {
        {u"D", {16, 0}}, {u"C", {14, 1}}, {u"S", {22, -1}}, {u"M", {16, 0}}, {u"H", {17, 0}},
        {u"xDd", {16, 0}}, {u"", {0, 0}},
    };
    for (const auto& c : cases) {
        Surface surface;
        surface.setPen(QPointF(200, 200));
        DrawUnitSymbols(state, surface, QStringView(c.text), kInk);
        EXPECT_EQ(surface.pen(), QPointF(200, 200) + c.advance) << QString::fromUtf16(c.text).toStdString();
    }

    Surface surface;
    const QImage before = surface.image().copy();
    surface.setPen(QPointF(200, 200));
    DrawUnitSymbols(state, surface, u"cdshm", kInk);   // lower case is not a symbol
    EXPECT_EQ(surface.pen(), QPointF(200, 200));
    EXPECT_EQ(surface.image(), before);
}

TEST(DrawUnitSymbols, EveryPenMoveLeavesABackdropPixelOverColour)
{
    const ProgramState state = StateWithBackdrop();
    const struct { const char16_t* letter; QSet<std::pair<int, int>> moves; } cases[] = {
        {u"C", {{14, 1}}},
        {u"S", {{22, -1}}},
        {u"M", {{20, -2}, {10, 9}, {5, 0}, {16, 0}}},
        {u"H", {{11, 1}, {15, 6}, {12, 0}, {17, 0}}},
        {u"D", {{16, 0}}},
    };
    for (const auto& c : cases) {
        Surface surface;
        FillField(surface, 100, 100);
        surface.setPen(QPointF(100, 100));
        DrawUnitSymbols(state, surface, QStringView(c.letter), kField);
        EXPECT_EQ(PixelsOf(surface, kBackdrop, 100, 100), c.moves)
            << QString::fromUtf16(c.letter).toStdString();
    }
}

TEST(DrawUnitSymbols, DayIsABoxWithAMiddleBar)
{
    const ProgramState state = StateWithBackdrop();
    Surface surface;
    surface.setPen(QPointF(100, 100));
    DrawUnitSymbols(state, surface, u"D", kInk);
    QSet<std::pair<int, int>> expected;
    for (int y = -6; y <= 9; ++y) {
        expected.insert({6, y});
        if (y != 0)   // the pen's last move leaves the backdrop on the right side
            expected.insert({16, y});
    }
    for (int x = 7; x <= 15; ++x) {
        expected.insert({x, -6});
        expected.insert({x, 1});
        expected.insert({x, 9});
    }
    EXPECT_EQ(PixelsOf(surface, kInk, 100, 100), expected);
}

// Every digit and unit mark, enlarged, for a person to look at. Set PORUKA_PICTURES to a
// folder to keep the picture (docs/glyphs.png is made this way).
TEST(Glyphs, SheetOfEveryGlyphStaysInsideItsRows)
{
    const ProgramState state = StateWithBackdrop();
    Surface surface;
    surface.FilledBox(0, 0, 100, 124, kBackdrop);
    const struct { int16_t value; const char16_t* unit; QRgb colour; } rows[] = {
        {1234, u"S", kPalette[15]}, {5678, u"M", kPalette[15]}, {-90, u"H", kPalette[14]},
        {20, u"C", kPalette[11]},   {7, u"D", kPalette[10]},
    };
    for (int row = 0; row < 5; ++row) {
        surface.Point(2, 12 + 24 * row, kBackdrop);
        DrawSegmentNumber(state, surface, rows[row].value, rows[row].colour);
        DrawUnitSymbols(state, surface, QStringView(rows[row].unit), rows[row].colour);
    }
    const QImage sheet = surface.image().copy(0, 0, 101, 125);
    // Nothing spills past the backdrop area.
    for (int y = 0; y < 130; ++y)
        EXPECT_EQ(surface.pixel(101, y), Surface::kBackground) << y;
    for (int x = 0; x < 110; ++x)
        EXPECT_EQ(surface.pixel(x, 125), Surface::kBackground) << x;

    const QString folder = qEnvironmentVariable("PORUKA_PICTURES");
    if (!folder.isEmpty()) {
        EXPECT_TRUE(sheet.scaled(sheet.size() * 4).save(QDir(folder).filePath("glyphs.png")));
    }
}
