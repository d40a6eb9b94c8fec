#pragma once

#include <QStringView>

#include <cstdint>
#include <optional>

// One setting value: the characters from the start while each is a digit or a minus sign,
// read as far as they form an optionally signed whole number ("5-3" gives 5, "" and "-" give
// 0). No value when that number does not fit 16 bits.
std::optional<int16_t> ReadLeadingNumber(QStringView text);

// How many characters from the start are digits or minus signs: the part ReadLeadingNumber
// looks at.
qsizetype CountNumberCharacters(QStringView text);
