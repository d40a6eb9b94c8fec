#pragma once

// Reading the customization file line by line. Each function looks at one prepared line
// (leading blanks removed, upper case) and is kept free of files so tests can call it.

#include <QString>
#include <QStringView>

#include "base/ProgramState.h"

// The line the rules look at: leading blanks removed (spaces, and also tabs and the
// full-width space a Japanese keyboard types), letters in upper case.
QString PrepareLine(QStringView line);

enum class LineResult {
    NotMine,   // the line is not of this kind
    Stored,    // every item of the line was stored
    Failed,    // an item kept its value; later lines of the file must not take effect
};

// A line that begins with one of the setting keys ("MAX=", "ONDOKEIEKI=", ...): stores its
// value, or keeps the old value when it does not fit ("Zikan=" then gives 1), and applies the
// range rule of the key.
LineResult ApplySettingLine(ProgramState& state, QStringView prepared);

// Alert lines: "U" or "D" begins a temperature alert, "K" a pressure alert.
enum class AlertKind { None, Temperature, Pressure };
AlertKind AlertKindOf(QStringView prepared);

struct AlertLine {
    QString thresholdCharacters;   // as they stood, before scaling
    bool complete = true;          // false when an item did not fit and kept its value
};

// Fills entry `index` of the alert table from the line: direction, threshold (times 100 for
// temperature, 10 for pressure), then optionally "T" and display seconds, "C" and colour value.
AlertLine ReadAlertLine(QStringView prepared, AlertKind kind, AlertTable& alerts, int index);
