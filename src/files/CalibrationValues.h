#pragma once

// Reading the text of one calibration file: a header line, then the values for raw bytes
// 0..255. Kept apart from the file handling so that tests and the fuzzer call it with bytes.

#include <QByteArrayView>

#include <cstdint>
#include <optional>
#include <string_view>

#include "base/ProgramState.h"

// Error numbers left in FileError by a failed read.
inline constexpr int16_t kFileErrorOverflow = 6;       // a number beyond 16 bits
inline constexpr int16_t kFileErrorNotANumber = 13;    // a value that is not a number
inline constexpr int16_t kFileErrorPastEnd = 62;       // the file ended before 256 values

// One value as written in the file, blanks already removed. A whole number that fits 16 bits
// is taken as it is; a number with decimals or an exponent ("21.5", "2.2e1") is rounded to the
// nearest whole number, halves to the even neighbour as everywhere in the program. Anything
// else is no value: a text that is not a number as a whole ("12abc", "-", "nan"), and a number
// outside -32768..32767 after rounding (99999): the error says which.
struct CalibrationValue {
    std::optional<int16_t> value;
    int16_t error = 0;   // kFileErrorNotANumber or kFileErrorOverflow when there is no value
};
CalibrationValue ParseCalibrationValue(std::string_view token);

// Discards the first line (ended by LF, CR LF or CR, whatever it holds), then reads the next
// value into entry 0, 1, ... 255. Values are separated by commas, line breaks, blanks or tabs,
// in any mix; separators in a row (blank lines, ",,") separate once, so an empty field is not
// a value. A failed read (no value left, or a value that cannot be stored) leaves its entry as
// it was, sets fileError and moves on to the next entry with the next value. Values after the
// 256th are not read.
void ReadCalibrationValues(QByteArrayView content, CalibrationTable& table, int16_t& fileError);
