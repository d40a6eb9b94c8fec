#include "render/Glyphs.h"

#include "base/ProgramState.h"
#include "render/Surface.h"

// Placeholder bodies; the glyph tables land with the drawing-surface work.
void DrawSegmentNumber(const ProgramState&, Surface&, int16_t, QRgb) {}
void DrawUnitSymbols(const ProgramState&, Surface&, QStringView, QRgb) {}
