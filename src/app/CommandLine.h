#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Options for demos and tests; with none the program behaves as it always has.
struct CommandLine {
    QString screenshotFile;      // --screenshot FILE: save the window as PNG when time is up
    double quitAfterSeconds = -1;   // --quit-after SECONDS: end the program after that time
    QString portDevice;          // --port DEVICE: open this device instead of port n
    double zoom = 1;             // --zoom FACTOR: start shown at 1, 1.5, 2 or 3 times the size
};

// Reads the arguments after the program name; no value when they are not understood.
std::optional<CommandLine> ParseCommandLine(const QStringList& arguments);

inline constexpr double kLongestQuitAfter = 2000000;   // seconds, about 23 days

inline constexpr const char* kUsage =
    "usage: poruka [--port DEVICE] [--zoom 1|1.5|2|3] [--screenshot FILE] [--quit-after SECONDS]";
