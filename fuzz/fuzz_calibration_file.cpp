// Feeds arbitrary bytes as a calibration file. Whatever the bytes, the reading ends, the table
// keeps its 256 entries, a failed read is reported, and the table read back from its own
// plain text (header, one value per line) is the same table without any failure.

#include "files/CalibrationValues.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView content(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    CalibrationTable table{};
    int16_t fileError = 0;
    ReadCalibrationValues(content, table, fileError);
    Check(table.size() == kTableSize);
    Check(fileError == 0 || fileError == kFileErrorPastEnd || fileError == kFileErrorNotANumber
          || fileError == kFileErrorOverflow);
    if (size == 0)
        Check(fileError == kFileErrorPastEnd);

    QByteArray written = "header\r\n";
    for (int16_t value : table)
        written += QByteArray::number(value) + "\r\n";
    CalibrationTable again{};
    again.fill(1);
    int16_t againError = 0;
    ReadCalibrationValues(written, again, againError);
    Check(again == table);
    Check(againError == 0);
    return 0;
}
