#include "files/CalibrationTables.h"
#include "files/Conversion.h"
#include "files/CustomizationFile.h"

// Placeholder bodies; each moves to its own file when the file readers land.
void LoadCalibrationTables(ProgramState&, Surface&, const QDir&) {}
void LoadCustomizationFile(ProgramState&, Surface&, const QDir&) {}
std::optional<int16_t> ReadLeadingNumber(QStringView) { return 0; }
std::optional<float> ConvertReading(QByteArrayView reply, const CalibrationTable& table, int16_t& rawByte)
{
    if (reply.isEmpty())
        return std::nullopt;
    rawByte = static_cast<uint8_t>(reply[0]);
    return static_cast<float>(table[rawByte]);
}
void SelectTemperatureTable(ProgramState&) {}
void SelectPressureTable(ProgramState&) {}
void ComputeAutoScale(ProgramState&) {}
