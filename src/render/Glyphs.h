#pragma once

// Stroke glyphs for every number and unit mark inside the pictures. Both renderers draw from
// the pen and leave it where the next glyph starts; each pen move leaves one pixel in the
// graph's background colour at its destination.

#include <QRgb>
#include <QStringView>

#include <cstdint>

struct ProgramState;
class Surface;

// " 5", " 0", "-15": a sign position, then the digits.
void DrawSegmentNumber(const ProgramState& state, Surface& surface, int16_t value, QRgb colour);

// "C" ℃, "S" 秒, "M" 分, "H" 時, "D" 日; any other character is skipped.
void DrawUnitSymbols(const ProgramState& state, Surface& surface, QStringView text, QRgb colour);
