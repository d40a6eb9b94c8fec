#pragma once

// The command line of the stand-in box.

#include <optional>
#include <string>

enum class Channel { None, Temperature, Pressure };

struct BoxOptions {
    std::string link;                  // --link PATH: where the pseudo-terminal appears
    std::string dataFolder = ".";      // --data DIR: the calibration files
    std::string scenario = "room";     // --scenario NAME
    double speed = 1;                  // --speed X: model seconds per wall second
    Channel silent = Channel::None;    // --silent temperature|pressure
    long dropEvery = 0;                // --drop-every N: 0 = drop nothing
    std::string logFile;               // --log FILE
    double exitAfter = -1;             // --exit-after SECONDS: < 0 = serve until signalled
};

inline constexpr const char* kBoxUsage =
    "usage: poruka-box --link PATH [--data DIR] [--scenario room|heating|cooling|steady]\n"
    "                  [--speed X] [--silent temperature|pressure] [--drop-every N]\n"
    "                  [--log FILE] [--exit-after SECONDS]";

// No value when the arguments are not understood; error then says why.
std::optional<BoxOptions> ParseBoxOptions(int argc, char** argv, std::string& error);
