#pragma once

// Turning the bytes of a text file written on any machine into its lines.

#include <QByteArrayView>
#include <QString>
#include <QStringList>

// The file's text: a UTF-8 byte-order mark is dropped; valid UTF-8 is read as UTF-8, anything
// else as Shift_JIS, the encoding of Japanese text files written on Windows.
QString DecodeFileText(QByteArrayView content);

// The lines of a text. CR LF, LF and a lone CR each end a line, so no line holds a CR;
// a last line without an ending still counts, and a text ending in a line break has no
// empty line after it.
QStringList SplitLines(QStringView text);
