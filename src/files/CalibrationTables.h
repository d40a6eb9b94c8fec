#pragma once

#include <QDir>
#include <QStringList>

struct ProgramState;
class Surface;

// Reads EKION.CSV, KION.CSV, VORUM1.CSV and VORUM2.CSV from the folder into their tables,
// printing progress and shortage lines on the surface. Returns the names of the files that
// are missing, in that order (their tables keep what they hold).
QStringList LoadCalibrationTables(ProgramState& state, Surface& surface, const QDir& folder);
