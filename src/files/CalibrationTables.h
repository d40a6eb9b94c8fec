#pragma once

#include <QDir>

struct ProgramState;
class Surface;

// Reads EKION.CSV, KION.CSV, VORUM1.CSV and VORUM2.CSV from the folder into their tables,
// printing progress and shortage lines on the surface.
void LoadCalibrationTables(ProgramState& state, Surface& surface, const QDir& folder);
