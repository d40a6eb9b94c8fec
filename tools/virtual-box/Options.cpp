#include "Options.h"

#include "Model.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace {

bool ParseNumber(const char* text, double& number)
{
    char* end = nullptr;
    errno = 0;
    number = std::strtod(text, &end);
    return end != text && *end == '\0' && errno == 0 && std::isfinite(number);
}

} // namespace

std::optional<BoxOptions> ParseBoxOptions(int argc, char** argv, std::string& error)
{
    BoxOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--help" || option == "-h") {
            options.showHelp = true;
            return options;
        }
        if (i + 1 >= argc) {
            error = "option " + std::string(option) + " needs a value";
            return std::nullopt;
        }
        const char* value = argv[++i];
        double number = 0;
        if (option == "--link") {
            options.link = value;
        } else if (option == "--data") {
            options.dataFolder = value;
        } else if (option == "--scenario") {
            if (!IsScenario(value)) {
                error = "unknown scenario " + std::string(value);
                return std::nullopt;
            }
            options.scenario = value;
        } else if (option == "--speed") {
            if (!ParseNumber(value, number) || number <= 0) {
                error = "--speed needs a number above 0";
                return std::nullopt;
            }
            options.speed = number;
        } else if (option == "--silent") {
            const std::string_view channel = value;
            if (channel == "temperature") {
                options.silent = Channel::Temperature;
            } else if (channel == "pressure") {
                options.silent = Channel::Pressure;
            } else if (channel == "all") {
                options.silent = Channel::Both;
            } else {
                error = "--silent takes temperature, pressure or all";
                return std::nullopt;
            }
        } else if (option == "--drop-every") {
            if (!ParseNumber(value, number) || number < 1 || number != std::floor(number) || number > 1e9) {
                error = "--drop-every needs a whole number from 1";
                return std::nullopt;
            }
            options.dropEvery = static_cast<long>(number);
        } else if (option == "--drop-rate") {
            if (!ParseNumber(value, number) || number < 0 || number > 1) {
                error = "--drop-rate needs a number from 0 to 1";
                return std::nullopt;
            }
            options.dropRate = number;
        } else if (option == "--delay") {
            if (!ParseNumber(value, number) || number < 0 || number != std::floor(number) || number > 60000) {
                error = "--delay needs whole milliseconds from 0 to 60000";
                return std::nullopt;
            }
            options.delayMs = static_cast<long>(number);
        } else if (option == "--seed") {
            if (!ParseNumber(value, number) || number < 0 || number != std::floor(number) || number > 1e9) {
                error = "--seed needs a whole number from 0";
                return std::nullopt;
            }
            options.seed = static_cast<long>(number);
        } else if (option == "--burst") {
            if (!ParseNumber(value, number) || number < 1 || number != std::floor(number) || number > 4096) {
                error = "--burst needs a whole number from 1 to 4096";
                return std::nullopt;
            }
            options.burst = static_cast<long>(number);
        } else if (option == "--garbage") {
            if (!ParseNumber(value, number) || number < 0 || number != std::floor(number) || number > 1e9) {
                error = "--garbage needs a whole number seed from 0";
                return std::nullopt;
            }
            options.garbageSeed = static_cast<long>(number);
        } else if (option == "--answers") {
            options.answersFile = value;
        } else if (option == "--log") {
            options.logFile = value;
        } else if (option == "--exit-after") {
            if (!ParseNumber(value, number) || number < 0) {
                error = "--exit-after needs a number of seconds";
                return std::nullopt;
            }
            options.exitAfter = number;
        } else {
            error = "unknown option " + std::string(option);
            return std::nullopt;
        }
    }
    if (options.link.empty()) {
        error = "--link PATH is required";
        return std::nullopt;
    }
    return options;
}
