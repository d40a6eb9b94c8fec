#pragma once

// Reading a saved run back: the journal and the export as this program writes them, and as a
// spreadsheet program saves them again (Shift_JIS without a byte-order mark, or UTF-16 with one
// and tab separated; times such as "2026/12/7 6:23", "6:23:00" or "23:04.7"; every field quoted;
// rows or columns deleted). Columns are found by their header names, so only a time column (時刻
// or 経過時間(秒)) and one value column (温度(℃) or 気圧(hPa)) must be left. Reading never changes a
// file.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

enum class RunInterval : quint8 {
    Unknown,
    Minute,   // one sample a minute
    Tenth,    // one sample every 0.1 s
};

// One row of a run file, kept small: a file of a million rows is a day of 0.1-s samples.
struct RunFileSample {
    enum Flag : quint8 {
        HasTemperature = 1,
        HasPressure = 2,
        Gap = 4,   // taken while the box was not answering: its values are no measurement
        HasAlerts = 8,
        FullTime = 16,    // clock: milliseconds of the local wall clock since 1970-01-01 00:00
        TimeOfDay = 32,   // clock: the time of day in milliseconds plus whole days since the
                          // file's first day, whose date the file does not tell
        Elapsed = 64,     // clock: milliseconds since the export's first slot (or since the
                          // first row, for times of minutes and seconds alone), the only time
    };

    qint64 clock = 0;             // meaning set by FullTime, TimeOfDay or Elapsed; 0 without them
    float temperatureValue = 0;   // °C, when HasTemperature
    float pressureValue = 0;      // hPa, when HasPressure
    qint32 slot = -1;             // the history slot (番号); -1 when the file does not tell
    quint8 flags = 0;

    bool has(Flag flag) const { return (flags & flag) != 0; }
    bool gap() const { return has(Gap); }
    std::optional<float> temperature() const;
    std::optional<float> pressure() const;
    // The local date and time the sample was taken; invalid when the file has no date for it.
    QDateTime time() const;
};

struct RunFileError {
    int line = 0;     // 1-based line of the file; 0 when the file itself could not be read
    QString reason;   // in Japanese, for the teacher: "時刻がありません"

    // "3 行目を読めません: 時刻がありません", or the reason alone when no line is meant.
    QString text() const;
};

struct RunFileResult {
    // In file order; after an error, the rows read before the line that could not be read.
    std::vector<RunFileSample> samples;
    // Alert messages of the samples that have HasAlerts, by sample index, in rising order.
    std::vector<std::pair<qsizetype, QStringList>> alerts;
    QDateTime start;   // the first sample's moment, when the file tells it
    RunInterval interval = RunInterval::Unknown;
    std::optional<RunFileError> error;

    bool ok() const { return !error.has_value(); }
    QStringList alertsOf(qsizetype sampleIndex) const;
};

// Reads a journal or an export from its bytes. `fileName` (the name alone is enough) gives the
// date to rows that hold a time of day only, when it is named like "poruka-2026-12-07-...".
RunFileResult ReadRunFile(const QByteArray& bytes, const QString& fileName = {});

// Largest file ReadRunFileAt reads: about a week of 0.1-s journal rows.
inline constexpr qint64 kMostRunFileBytes = qint64(256) << 20;

// Opens the file read-only and reads it; a file that is missing, not a regular file, or larger
// than kMostRunFileBytes gives an error without line.
RunFileResult ReadRunFileAt(const QString& path);
