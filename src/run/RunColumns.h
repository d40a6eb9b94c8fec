#pragma once

// A run reduced to the pixel columns of a graph: for each column, the first, last, lowest and
// highest measured value of the samples whose time falls in it. Drawn as a vertical stroke from
// lowest to highest joined to its neighbours from last to first, it looks like every sample
// drawn, keeps every peak, and costs the same for a million rows as for a thousand.

#include "run/RunSeries.h"

#include <vector>

// The time the columns show, in the run's own milliseconds since its start.
struct ColumnWindow {
    double startMs = 0;
    double msPerColumn = 1;
    int columns = 0;
};

struct ColumnSpan {
    qsizetype first = -1;   // index of the first measured sample; -1: nothing measured here
    qsizetype last = -1;
    float low = 0;
    float high = 0;

    bool measured() const { return first >= 0; }
};

std::vector<ColumnSpan> ReduceToColumns(const RunSeries& series, RunChannel channel, const ColumnWindow& window);
