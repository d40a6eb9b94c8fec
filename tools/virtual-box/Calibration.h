#pragma once

// The calibration files the program reads, used backwards: a value becomes the raw byte whose
// table entry is nearest, so that the program shows what the model says.

#include <array>
#include <optional>
#include <string>

using RawTable = std::array<long, 256>;

// A header line, then 256 whole numbers separated by commas, blanks or line breaks.
// Missing values stay 0, like the program's tables; no value when the file cannot be read.
std::optional<RawTable> ReadRawTable(const std::string& path);
RawTable ParseRawTable(const std::string& content);

// The first byte whose entry is nearest to the value.
unsigned char NearestByte(const RawTable& table, double value);
