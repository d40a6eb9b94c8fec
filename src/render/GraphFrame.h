#pragma once

struct ProgramState;
class Surface;

// The time graph's frames between the instruments: the page view's (while recording) and the
// whole-run view's (while stopped). They draw no curves; GraphCurves plots on them.
void DrawPageFrame(ProgramState& state, Surface& surface);
void DrawRunFrame(ProgramState& state, Surface& surface);
