#pragma once

#include <QDir>

struct ProgramState;
class Surface;

// Sets every setting to its default, then reads VORUM.TXT from the folder if it is there,
// printing its lines of progress on the surface.
void LoadCustomizationFile(ProgramState& state, Surface& surface, const QDir& folder);
