#pragma once

// The runs kept in a folder, as a list to choose from: one line per file with its start, length,
// interval and temperature range. Reading every journal again for each listing would take
// seconds in a year of lessons, so the summaries are kept in a small hidden file beside the
// journals, each under its file's name, size and modification time; a file whose size or time
// changed (the run still being recorded) is read again. The run files themselves are never
// written.

#include "run/RunFile.h"

#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

struct RunSummary {
    QString path;            // absolute path of the file
    QDateTime start;         // the first sample's moment; invalid when the file has none
    qint64 durationMs = 0;   // first to last sample
    RunInterval interval = RunInterval::Unknown;
    qsizetype sampleCount = 0;                                    // rows read, gaps included
    std::optional<float> lowestTemperature, highestTemperature;   // over measured rows only
    // The file could not be read as a run; the fields above then describe the rows before the
    // line that could not be read.
    std::optional<RunFileError> error;
};

RunSummary SummarizeRun(const RunFileResult& read, const QString& path);

// The run files (*.csv) of `folder` (the journal folder), newest first: by start, or by the
// file's modification time when it tells none. A file that cannot be read is listed with its
// error so the window can say why. A missing folder has no runs.
std::vector<RunSummary> ListRuns(const QString& folder);

// The hidden file in a listed folder that keeps the summaries.
inline constexpr const char* kRunCatalogFileName = ".poruka-runs.json";
