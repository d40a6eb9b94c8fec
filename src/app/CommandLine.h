#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Options for demos and tests; with none the program behaves as it always has.
struct CommandLine {
    QString screenshotFile;      // --screenshot FILE: save the window as PNG when time is up
    double quitAfterSeconds = -1;   // --quit-after SECONDS: end the program after that time
    QString portDevice;          // --port DEVICE: open this device instead of port n
};

// Reads the arguments after the program name; no value when they are not understood.
std::optional<CommandLine> ParseCommandLine(const QStringList& arguments);

inline constexpr double kLongestQuitAfter = 2000000;   // seconds, about 23 days

inline constexpr const char* kUsage =
    "usage: poruka [--port DEVICE] [--screenshot FILE] [--quit-after SECONDS]";
