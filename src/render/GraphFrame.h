#pragma once

struct ProgramState;
class Surface;

// The time graph between the instruments: the page view frame (while recording) and the
// whole-run view (frame plus every sample, while stopped).
void DrawPageFrame(ProgramState& state, Surface& surface);
void DrawRunGraph(ProgramState& state, Surface& surface);
