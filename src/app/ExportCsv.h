#pragma once

// The recorded run as a CSV file for spreadsheet programs: built from the program state alone,
// so it can be checked without a window or a disk.

#include <QByteArray>
#include <QString>

struct ProgramState;

// Number of history slots a CSV holds, from slot 0: the samples the graph shows.
// - While recording, slots 0 .. SampleCount - 1; slot SampleCount is the one the next sample
//   goes to.
// - Once stopped, stopping has stepped SampleCount back by one so that a continued run
//   overwrites the last sample, but that sample is still there and the whole-run graph shows
//   it: slots 0 .. SampleCount (none when SampleCount is 0, which the graph shows empty too).
// - At the 12000 cap, slot 12000 holds whichever sample came last and its moment is not
//   known, so it is left out rather than stamped with a wrong time.
int ExportedSampleCount(const ProgramState& state, bool recording);

// UTF-8 with a byte-order mark (Japanese spreadsheet programs need it to read UTF-8), CRLF
// line ends, plain comma-separated fields:
//   番号,経過時間(秒),時刻,温度(℃),気圧(hPa)
//   0,0,2026-12-07 09:30,23.00,1013.0
// The clock time is filled in minute mode only (from StartTime); in the 0.1-s mode there is
// no start moment to count from, so the field stays empty.
QByteArray BuildSamplesCsv(const ProgramState& state, bool recording);

// One history value as written: hundredths of a degree -> "23.45", tenths of a hPa -> "1013.2".
// A value that is not finite gives an empty field.
QString HistoryValueText(float historyValue, int decimals);

// File name suggested for an export: "poruka-2026-12-07-0930.csv" for the given moment.
QString SuggestedExportName(double dateTimeValue, const QString& suffix);
