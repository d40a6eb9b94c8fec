#pragma once

// The number rules every part of the program shares: how a number is written into a field,
// how a number is read back from a text, and the two roundings.

#include <QString>
#include <QStringView>

#include <cstdint>

// Decimal text: a space before values >= 0, "-" before negative ones, a full stop as the
// decimal separator and decimals only when the value has them (" 100", "-30", " 4.1", " 0.5").
QString DecimalText(double value);
QString DecimalText(float value);   // a Single keeps 7 significant digits, so 4.1f reads 4.1

// The number a text begins with. Blanks, tabs and line feeds are skipped anywhere; then an
// optional sign, digits, one full stop and an optional exponent. A text without a leading
// number gives 0; a number too large for a double ends in the largest finite double.
double LeadingNumber(QStringView text);

// Conversion to a 16-bit integer: halves go to the even neighbour (22.5 -> 22, 23.5 -> 24).
// Values beyond the 16-bit range end at its bounds instead of failing.
int16_t RoundToInteger(double value);

// Rounding to a 32-bit integer, halves to even, saturating at the bounds.
int32_t RoundToLong(double value);

// Int: the largest whole number not above the value (Int(-2.5) = -3).
double Int(double value);
