#pragma once

// The shape the thermometer and the barometer share: a backdrop, up to three passes of scale
// marks with numbers, a glass tube and an incrementally painted liquid column. Each instrument
// gives its figures and the state fields it draws from in one table.

#include <QRgb>

#include <array>
#include <cstdint>
#include <optional>

struct ProgramState;
class Surface;

struct InstrumentBox {
    float left, top, right, bottom;
};

// An outline in the frame colour with a ring one unit inside it in the liquid colour.
struct InstrumentBulb {
    float x, y, radius;
};

// Marks every `step` units from the rounded bottom limit, from x `left` to `right`.
struct MarkPass {
    int step;
    float left, right;
    double drawnBelow;      // the pass is drawn only while the scale's range is below this
    double numberedBelow;   // and its marks carry numbers only while the range is below this
};

struct Instrument {
    // Figures, in surface units.
    InstrumentBox backdrop;        // the strip above the graph's time labels
    InstrumentBox backdropBeside;  // the strip beside them
    std::optional<InstrumentBulb> bulb;
    std::array<MarkPass, 3> passes;    // coarsest first
    float numberLeft;                  // x of the pen for the numbers
    InstrumentBox glassOutline;
    InstrumentBox glass;
    bool liquidBelowScale;             // the tube is filled from its bottom up to the scale's
    float columnLeft, columnRight;     // x of the liquid column
    float glassBottom;                 // the column of a first reading fills up from here
    double smallestSpan;               // as the settings window keeps it

    // The program state the instrument reads and writes.
    double ProgramState::*max;
    double ProgramState::*min;
    float ProgramState::*scale;
    int16_t ProgramState::*level;
    float ProgramState::*value;
    QRgb ProgramState::*tickColour;
    QRgb ProgramState::*textColour;
    QRgb ProgramState::*frameColour;
    QRgb ProgramState::*glassColour;
    QRgb ProgramState::*liquidColour;
};

// The whole picture of the instrument; forgets the column. ColumnHeight must be set.
void DrawInstrument(ProgramState& state, Surface& surface, const Instrument& instrument);

// Widens the scale to the reading (automatic) or clips the reading to it, redrawing with
// `redraw` after a widening, then moves the column to the reading.
void ShowInstrumentReading(ProgramState& state, Surface& surface, const Instrument& instrument,
                           bool automatic, void (*redraw)(ProgramState&, Surface&), float& value);
