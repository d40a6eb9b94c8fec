#pragma once

#include <QDir>
#include <QStringView>

#include <cstdint>
#include <optional>

struct ProgramState;
class Surface;

// Sets every setting to its default, then reads VORUM.TXT from the folder if it is there.
void LoadCustomizationFile(ProgramState& state, Surface& surface, const QDir& folder);

// One setting value: digits and minus signs from the start, as a 16-bit integer;
// no value when the number does not fit 16 bits.
std::optional<int16_t> ReadLeadingNumber(QStringView text);
