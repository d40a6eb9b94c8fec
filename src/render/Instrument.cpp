#include "render/Instrument.h"

#include "base/Numbers.h"
#include "base/ProgramState.h"
#include "render/Glyphs.h"
#include "render/PictureGeometry.h"
#include "render/ScaleMarks.h"
#include "render/Surface.h"

namespace {

void FilledBox(Surface& surface, const InstrumentBox& box, QRgb colour)
{
    surface.FilledBox(box.left, box.top, box.right, box.bottom, colour);
}

float Row(const ProgramState& state, const Instrument& instrument, float value)
{
    return ScaleRow(value, state.*instrument.min, state.*instrument.scale);
}

void DrawMarks(ProgramState& state, Surface& surface, const Instrument& instrument)
{
    const int16_t lo = RoundToInteger(state.*instrument.min);
    const int16_t hi = RoundToInteger(state.*instrument.max);
    const double range = state.*instrument.max - state.*instrument.min;
    const float scale = state.*instrument.scale;
    const QRgb tick = state.*instrument.tickColour;
    const QRgb text = state.*instrument.textColour;

    for (const MarkPass& pass : instrument.passes) {
        if (!(range < pass.drawnBelow) || !MarksFit(pass.step, scale))
            continue;
        // The coarsest numbers are drawn even where they touch: a scale without numbers
        // cannot be read. Only the finer passes are left without numbers when too close.
        const bool coarsest = &pass == &instrument.passes.front();
        const bool numbers = range < pass.numberedBelow && (coarsest || NumbersFit(pass.step, scale));
        ForEachMark(lo, hi, pass.step, [&](int16_t v) {
            const float y = Row(state, instrument, v);
            surface.Line(pass.left, y, pass.right, y, tick);
            if (numbers) {
                surface.Point(instrument.numberLeft, y - 3, state.GraphBackColor);
                DrawSegmentNumber(state, surface, v, text);
            }
        });
    }
}

} // namespace

void DrawInstrument(ProgramState& state, Surface& surface, const Instrument& instrument)
{
    state.*instrument.level = 0;
    state.*instrument.value = 0;
    FilledBox(surface, instrument.backdrop, state.GraphBackColor);
    FilledBox(surface, instrument.backdropBeside, state.GraphBackColor);
    if (const auto& bulb = instrument.bulb) {
        surface.Circle(bulb->x, bulb->y, bulb->radius, state.*instrument.frameColour);
        surface.Circle(bulb->x, bulb->y, bulb->radius - 1, state.*instrument.liquidColour);
    }

    KeepTopAboveBottom(state.*instrument.max, state.*instrument.min, instrument.smallestSpan);
    state.*instrument.scale =
        static_cast<float>(state.ColumnHeight / (state.*instrument.max - state.*instrument.min));
    DrawMarks(state, surface, instrument);

    const InstrumentBox& outline = instrument.glassOutline;
    surface.Box(outline.left, outline.top, outline.right, outline.bottom, state.*instrument.frameColour);
    FilledBox(surface, instrument.glass, state.*instrument.glassColour);
    if (instrument.liquidBelowScale) {
        FilledBox(surface, {instrument.columnLeft, kScaleBottom, instrument.columnRight, instrument.glassBottom},
                  state.*instrument.liquidColour);
    }
}

void ShowInstrumentReading(ProgramState& state, Surface& surface, const Instrument& instrument,
                           bool automatic, void (*redraw)(ProgramState&, Surface&), float& value)
{
    double& min = state.*instrument.min;
    double& max = state.*instrument.max;
    if (value < min) {
        if (automatic) {
            min = static_cast<float>(Int((value - 5.0f) / 10.0f) * 10);
            redraw(state, surface);
        } else {
            value = static_cast<float>(min);
        }
    }
    if (value > max) {
        if (automatic) {
            max = static_cast<float>(Int((value + 10.0f) / 10.0f) * 10);
            redraw(state, surface);
        } else {
            value = static_cast<float>(max);
        }
    }

    // The column is painted incrementally: only the band between its last top and the new one.
    // The first reading after a full redraw (level 0) fills the column from the glass bottom
    // whatever its value, so a reading at or below 0 shows a column too. A falling column is
    // repainted in glass colour only down to its last top, never down to the glass bottom, so
    // a low reading never wipes the liquid below it.
    int16_t& level = state.*instrument.level;
    float& shown = state.*instrument.value;
    const float y = Row(state, instrument, value);
    const bool fresh = level == 0;
    const float from = fresh ? instrument.glassBottom : static_cast<float>(level);
    if (fresh || value > shown)
        surface.FilledBox(instrument.columnLeft, y, instrument.columnRight, from, state.*instrument.liquidColour);
    else if (value < shown)
        surface.FilledBox(instrument.columnLeft, y, instrument.columnRight, from, state.*instrument.glassColour);

    level = RoundToInteger(y);
    shown = value;
}
