#pragma once

// An alert line of the customization file, looked at once prepared (see SettingLine.h).

#include "base/ProgramState.h"

#include <QString>
#include <QStringView>

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
