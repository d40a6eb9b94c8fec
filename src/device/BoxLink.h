#pragma once

#include <QByteArray>

struct ProgramState;
class Surface;
class CommPort;

// What the box answers to the probe 0x00 0x00 0xFF.
inline const QByteArray kBoxAnswer = QByteArrayLiteral("QUIRAN");
// How long start-up waits for that answer after the immediate read found it incomplete.
inline constexpr int kBoxAnswerWaitMilliseconds = 500;

// Start-up: prints the instructions, makes the liquid table active, opens the port, probes
// the box and sets BoxMissing (-1 exactly when no box answered).
void SetUpBoxLink(ProgramState& state, Surface& surface, CommPort& port);
// Prints the not-connected line.
void ShowNotConnected(Surface& surface);
