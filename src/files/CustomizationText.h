#pragma once

// The customization settings without the file: the defaults, and the reading of the file's
// bytes. Tests and the fuzzer call these directly.

#include <QByteArrayView>
#include <QString>

#include <functional>
#include <optional>

struct ProgramState;

// Handles the lines of the file's content in order, printing the threshold characters of
// each alert line through printLine. After a line with an item that could not be stored, no
// later line takes effect; that line's number (from 1) is returned, no value when every line
// was read.
std::optional<int> ApplyCustomizationText(ProgramState& state, QByteArrayView content,
                                          const std::function<void(const QString&)>& printLine);
