#pragma once

// The command line of the stand-in box.

#include <optional>
#include <string>

enum class Channel { None, Temperature, Pressure, Both };

struct BoxOptions {
    std::string link;                  // --link PATH: where the pseudo-terminal appears
    std::string dataFolder = ".";      // --data DIR: the calibration files
    std::string scenario = "room";     // --scenario NAME
    double speed = 1;                  // --speed X: model seconds per wall second
    Channel silent = Channel::None;    // --silent temperature|pressure|all
    long dropEvery = 0;                // --drop-every N: 0 = drop nothing
    double dropRate = 0;               // --drop-rate R: drops each answer with chance R (0..1)
    long delayMs = 0;                  // --delay MS: each answer 0..MS late at random, in order
    long seed = 1;                     // --seed N: for --drop-rate and --delay
    long burst = 1;                    // --burst N: each reading is sent N times over
    long garbageSeed = -1;             // --garbage SEED: random answers; < 0 = honest answers
    std::string logFile;               // --log FILE
    std::string answersFile;           // --answers FILE: every byte sent, with its request
    double exitAfter = -1;             // --exit-after SECONDS: < 0 = serve until signalled
    bool showHelp = false;             // --help: print the usage and end
};

inline constexpr const char* kBoxUsage =
    "usage: poruka-box --link PATH [--data DIR] [--scenario room|heating|cooling|steady]\n"
    "                  [--speed X] [--silent temperature|pressure|all] [--drop-every N]\n"
    "                  [--drop-rate R] [--delay MS] [--seed N]\n"
    "                  [--burst N] [--garbage SEED] [--log FILE] [--answers FILE]\n"
    "                  [--exit-after SECONDS] [--help]\n"
    "SIGUSR1 switches the box off (it hears and answers nothing), SIGUSR2 on again;\n"
    "the line stays.";

// No value when the arguments are not understood; error then says why.
std::optional<BoxOptions> ParseBoxOptions(int argc, char** argv, std::string& error);
