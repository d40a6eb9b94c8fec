#pragma once

// Reading the customization file line by line. Each function looks at one prepared line
// (leading blanks removed, upper case) and is kept free of files so tests can call it.

#include "base/ProgramState.h"

#include <QString>
#include <QStringView>

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
