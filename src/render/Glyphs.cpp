#include "render/Glyphs.h"

#include "base/ProgramState.h"
#include "render/Surface.h"

#include <QString>

#include <initializer_list>

namespace {

// One pen operation of a glyph, relative to the glyph's origin.
//   Move: set the pixel at the destination in the backdrop colour (a pen move that still marks)
//   Dot:  set the pixel at the destination in the glyph colour
//   Line: line in the glyph colour from the pen to the destination
enum class Op : char { Move, Dot, Line };

struct Step {
    Op op;
    signed char x;
    signed char y;
};

constexpr Step M(int x, int y) { return {Op::Move, static_cast<signed char>(x), static_cast<signed char>(y)}; }
constexpr Step D(int x, int y) { return {Op::Dot, static_cast<signed char>(x), static_cast<signed char>(y)}; }
constexpr Step L(int x, int y) { return {Op::Line, static_cast<signed char>(x), static_cast<signed char>(y)}; }

using Glyph = std::initializer_list<Step>;

// Digits reach from y = -6 to y = 9 of their origin; the last step of each glyph puts the pen
// on the next glyph's origin.
const Glyph kDigit0 = {M(3, 0), L(3, -4), L(5, -6), L(9, -6), L(11, -4), L(11, 7), L(9, 9),
                       L(5, 9), L(3, 7), L(3, -1), M(12, 0)};
const Glyph kDigit1 = {M(3, -4), L(5, -6), L(5, 9), L(3, 9), L(7, 9), M(9, 0)};
const Glyph kDigit2 = {M(2, -3), L(2, -4), L(4, -6), L(8, -6), L(10, -4), L(10, -1), L(2, 7),
                       L(2, 9), L(11, 9), M(10, 0)};
const Glyph kDigit3 = {M(2, -3), L(2, -4), L(4, -6), L(8, -6), L(10, -4), L(10, -1), L(8, 1),
                       L(5, 1), M(8, 1), D(8, 1), L(10, 3), L(10, 7), L(8, 9), L(4, 9), L(1, 6),
                       M(10, 0)};
// The diagonal is a staircase of one-unit steps, with one step down at (6,-4) to (6,-3).
const Glyph kDigit4 = {M(1, 5), L(10, 5), M(1, 5), L(2, 4), L(2, 3), L(3, 2), L(3, 1), L(4, 0),
                       L(4, -1), L(5, -2), L(5, -3), L(6, -4), L(6, -3), L(7, -4), L(7, -5),
                       L(8, -6), L(8, 9), M(10, 0)};
const Glyph kDigit5 = {M(3, 2), L(3, -6), L(11, -6), M(3, 2), L(5, 0), L(9, 0), L(11, 2),
                       L(11, 7), L(9, 9), L(5, 9), L(2, 6), M(11, 0)};
const Glyph kDigit6 = {M(3, 2), L(3, -4), L(5, -6), L(9, -6), L(10, -5), D(3, 2), L(3, 6),
                       D(3, 2), L(5, 0), L(9, 0), L(11, 2), L(11, 7), L(9, 9), L(5, 9), L(3, 7),
                       L(3, 5), M(11, 0)};
const Glyph kDigit7 = {M(2, -3), L(2, -6), L(10, -6), L(10, -2), L(8, 0), L(8, 2), L(6, 4),
                       L(6, 9), M(10, 0)};
const Glyph kDigit8 = {M(3, -2), L(3, -4), L(5, -6), L(9, -6), L(11, -4), L(11, -2), L(9, 0),
                       L(5, 0), L(3, -2), M(9, 0), L(11, 2), L(11, 7), L(9, 9), L(5, 9), L(3, 7),
                       L(3, 2), L(5, 0), M(11, 0)};
const Glyph kDigit9 = {M(3, 0), L(3, -4), L(5, -6), L(9, -6), L(11, -4), L(11, 0), L(9, 2),
                       L(5, 2), L(3, 0), D(11, 1), D(11, 1), L(11, 7), L(9, 9), L(5, 9), L(3, 7),
                       D(11, 0)};
const Glyph kSpace = {M(6, 0)};
const Glyph kMinus = {D(2, 0), L(8, 0), L(8, -1), L(2, -1), M(10, 0)};

// Unit marks reach from y = -8 to y = 10. They are wider than their advance, and ℃ and 秒 end
// one unit off their origin's height; each is only ever drawn last, after a number.
const Glyph kCelsius = {M(8, 0), L(8, -4), L(10, -6), L(14, -6), L(16, -4), L(16, -2), M(16, 5),
                        L(16, 7), L(14, 9), L(10, 9), L(8, 7), L(8, 0), M(10, 0), L(10, -4),
                        L(12, -6), L(15, -6), L(17, -4), L(17, -2), M(17, 5), L(17, 7), L(15, 9),
                        L(12, 9), L(10, 7), L(10, 0), D(3, -7), L(4, -8), L(5, -8), L(6, -7),
                        L(6, -6), L(5, -5), L(4, -5), L(3, -6), L(3, -7), M(14, 1)};
const Glyph kSecond = {M(9, -8), L(4, -3), D(4, 0), L(10, 0), D(7, 0), L(7, -5), L(7, 9),
                       D(7, 0), L(5, 2), L(5, 6), L(3, 8), D(7, 0), L(10, 3), D(12, 0),
                       L(13, -1), L(13, -4), D(16, -8), L(16, 3), D(19, -3), L(19, -2), L(20, 0),
                       D(20, 2), L(20, 4), L(17, 7), L(16, 7), L(15, 8), L(14, 8), M(22, -1)};
const Glyph kMinute = {M(3, 0), L(10, -7), M(13, -7), L(20, 0), M(20, -2), M(18, -2), L(6, -2),
                       M(17, -2), L(17, 4), L(16, 5), L(16, 8), L(14, 10), L(13, 9), M(10, 9),
                       M(10, -2), L(10, 2), L(9, 3), L(9, 5), L(7, 7), L(7, 8), L(5, 10), M(5, 0),
                       M(16, 0)};
const Glyph kHour = {M(5, 0), M(5, 1), L(5, -6), L(9, -6), L(9, 8), L(5, 8), L(5, 1), L(9, 1),
                     M(11, 1), M(11, -1), L(21, -1), M(16, -1), L(16, -7), M(16, -5), L(13, -5),
                     L(19, -5), M(19, 2), M(21, 2), L(11, 2), M(18, 2), L(18, 1), L(18, 9),
                     L(17, 8), M(15, 6), M(14, 6), L(12, 4), M(12, 0), M(17, 0)};
const Glyph kDay = {M(6, 0), M(6, 1), L(6, -6), L(16, -6), L(16, 9), L(6, 9), L(6, 1), L(16, 1),
                    M(16, 0)};

const Glyph* DigitGlyph(QChar c)
{
    static const Glyph* const digits[] = {&kDigit0, &kDigit1, &kDigit2, &kDigit3, &kDigit4,
                                          &kDigit5, &kDigit6, &kDigit7, &kDigit8, &kDigit9};
    if (c >= u'0' && c <= u'9')
        return digits[c.unicode() - u'0'];
    if (c == u' ')
        return &kSpace;
    if (c == u'-')
        return &kMinus;
    return nullptr;
}

const Glyph* SymbolGlyph(QChar c)
{
    switch (c.unicode()) {
    case u'C': return &kCelsius;
    case u'S': return &kSecond;
    case u'M': return &kMinute;
    case u'H': return &kHour;
    case u'D': return &kDay;
    default: return nullptr;
    }
}

// Runs the steps with the pen position at the start as origin, so the glyph lands wherever a
// caller placed the pen.
void DrawGlyph(Surface& surface, const Glyph& glyph, QRgb colour, QRgb backdrop)
{
    const QPointF origin = surface.pen();
    for (const Step& step : glyph) {
        const float x = float(origin.x() + step.x);
        const float y = float(origin.y() + step.y);
        switch (step.op) {
        case Op::Move: surface.Point(x, y, backdrop); break;
        case Op::Dot: surface.Point(x, y, colour); break;
        case Op::Line: {
            const QPointF pen = surface.pen();
            surface.Line(float(pen.x()), float(pen.y()), x, y, colour);
            break;
        }
        }
    }
}

} // namespace

void DrawSegmentNumber(const ProgramState& state, Surface& surface, int16_t value, QRgb colour)
{
    // A sign position in front: a space for zero and above, "-" below.
    const QString text = value < 0 ? QString::number(value) : QLatin1Char(' ') + QString::number(value);
    for (QChar c : text) {
        if (const Glyph* glyph = DigitGlyph(c))
            DrawGlyph(surface, *glyph, colour, state.GraphBackColor);
    }
}

void DrawUnitSymbols(const ProgramState& state, Surface& surface, QStringView text, QRgb colour)
{
    for (QChar c : text) {
        if (const Glyph* glyph = SymbolGlyph(c))
            DrawGlyph(surface, *glyph, colour, state.GraphBackColor);
    }
}
