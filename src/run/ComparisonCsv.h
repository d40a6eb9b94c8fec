#pragma once

// Runs compared on one graph, taken away as one CSV for a spreadsheet: for each run a time
// column and its value columns, side by side, written as the export is (UTF-8 with a
// byte-order mark, CRLF line ends). A gap keeps its time and leaves its values empty.

#include "run/RunSeries.h"

#include <QByteArray>
#include <QString>

#include <vector>

struct ComparedSeries {
    QString name;   // heads the run's columns: "1班 温度(℃)"
    const RunSeries* series = nullptr;
};

// The time column holds the seconds since each run's start, or with `clockTime` the time of
// day (with the date when the run's file tells it).
QByteArray ComparisonCsv(const std::vector<ComparedSeries>& runs, bool clockTime);
