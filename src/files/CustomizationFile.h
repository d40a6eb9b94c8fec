#pragma once

#include <QDir>

#include <optional>

struct ProgramState;
class Surface;

// Sets every setting to its default, then reads VORUM.TXT from the folder if it is there,
// printing its lines of progress on the surface. Returns the line (counted from 1) at which
// the reading stopped; no value when the whole file was read or there is none.
std::optional<int> LoadCustomizationFile(ProgramState& state, Surface& surface, const QDir& folder);
