#pragma once

struct ProgramState;
class Surface;
class CommPort;

// Start-up: prints the instructions, opens the port, probes the box and sets BoxMissing.
void SetUpBoxLink(ProgramState& state, Surface& surface, CommPort& port);
// Prints the not-connected line.
void ShowNotConnected(Surface& surface);
