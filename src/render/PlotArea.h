#pragma once

// The part of the graph a curve may cover: the columns of the graph and the rows between the
// instruments' scale limits. A curve beyond a limit is cut off at the limit, so nothing of it
// lands on the time labels, on the strip above the graph or on the instruments.

#include <optional>

struct PlotSegment {
    float x1, y1, x2, y2;
};

// The part of the segment inside the plotting area, or nothing. A segment wholly inside comes
// back unchanged, so every curve within its scale is drawn exactly as before. The area reaches
// half a unit past the limits, so that a value on a limit is never cut by a rounding.
std::optional<PlotSegment> ClipToPlotArea(const PlotSegment& segment);
bool InPlotArea(float x, float y);
