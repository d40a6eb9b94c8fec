#pragma once

// The run's two CSV forms, written here and nowhere else: the export, a CSV file for
// spreadsheet programs built from the program state and the moment of each slot alone, and the
// journal's rows, one per sample as it is recorded. Both can be checked without a window or a
// disk.

#include "run/RecordedSample.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <vector>

struct ProgramState;

// Every CSV the program writes is UTF-8 with a byte-order mark (Japanese spreadsheet programs
// need it to read UTF-8) and CRLF line ends.
inline constexpr char kCsvByteOrderMark[] = "\xEF\xBB\xBF";
inline constexpr char kCsvLineEnd[] = "\r\n";

// Number of history slots a CSV holds, from slot 0: the samples the graph shows.
// - While recording, slots 0 .. SampleCount - 1; slot SampleCount is the one the next sample
//   goes to.
// - Once stopped, stopping has stepped SampleCount back by one so that a continued run
//   overwrites the last sample, but that sample is still there and the whole-run graph shows
//   it: slots 0 .. SampleCount (none when SampleCount is 0, which the graph shows empty too).
// - At the 12000 cap, every later sample replaces the one in slot 12000, so that slot is left
//   out; the journal holds each of those samples.
int ExportedSampleCount(const ProgramState& state, bool recording);

// UTF-8 with a byte-order mark (Japanese spreadsheet programs need it to read UTF-8), CRLF
// line ends, comma-separated fields:
//   番号,経過時間(秒),時刻,温度(℃),気圧(hPa),状態,警報
//   0,0,2026-12-07 09:30:00,23.00,1013.0,,
// The time is the moment the slot's sample was taken, and the elapsed seconds count from slot
// 0's moment by those times; a slot without a known moment leaves both empty. `moments` holds
// one entry per history slot (fewer are taken as unknown).
QByteArray BuildSamplesCsv(const ProgramState& state, const std::vector<SampleMoment>& moments,
                           bool recording);

// One history value as written: hundredths of a degree -> "23.45", tenths of a hPa -> "1013.2".
// A value that is not finite gives an empty field.
QString HistoryValueText(float historyValue, int decimals);

// The fields a sample's moment gives, written the same in the export and the journal:
// "2026-12-07 09:30:00" (minute mode) or "2026-12-07 09:30:04.7" (0.1-s mode), empty when not
// known; "未接続" for a sample taken while the box was not answering, else empty; the alert
// messages, line breaks as spaces, several separated by " / ", quoted as CSV needs.
QString SampleTimeText(const SampleMoment& moment);
QString SampleStateText(const SampleMoment& moment);
QString SampleAlertsText(const SampleMoment& moment);

// Seconds from the first sample's moment to this one's, at the precision this one's time is
// written with ("0", "60"; "0.0", "12.3"); empty when either moment is not known.
QString ElapsedSecondsText(const SampleMoment& first, const SampleMoment& sample);

// File name suggested for an export: "poruka-2026-12-07-0930.csv" for the given moment.
QString SuggestedExportName(double dateTimeValue, const QString& suffix);

// The journal: "poruka-2026-12-07-062300.csv", named after the run's first sample; the
// byte-order mark and the header line, then one line per sample, CRLF-ended:
//   番号,時刻,温度(℃),気圧(hPa),状態,警報
//   0,2026-12-07 06:23:00.0,23.00,1013.0,,
QString JournalFileName(const QDateTime& runBegan);
QByteArray JournalHeader();
QByteArray JournalRow(const RecordedSample& sample);
