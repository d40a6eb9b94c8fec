#include "Model.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRoom = 20;   // °C

// Weather: the pressure wanders a couple of hectopascals over ten minutes.
double AirPressure(double seconds)
{
    return 1013 + 2 * std::sin(2 * kPi * seconds / 600);
}

// A room with a draught: a little under a degree either way over four minutes.
double RoomTemperature(double seconds)
{
    return kRoom + 0.8 * std::sin(2 * kPi * seconds / 240);
}

// Water on a hot plate approaches 95 °C with a ten-minute time constant; after fifteen minutes
// (about 78 °C) the plate is switched off and the beaker cools back to the room.
double HeatedBeaker(double seconds)
{
    constexpr double heatingEnds = 900;
    const auto heated = [](double t) { return kRoom + 75 * (1 - std::exp(-t / 600)); };
    if (seconds <= heatingEnds)
        return heated(seconds);
    return kRoom + (heated(heatingEnds) - kRoom) * std::exp(-(seconds - heatingEnds) / 1200);
}

double CoolingBeaker(double seconds)
{
    return kRoom + 60 * std::exp(-seconds / 900);
}

} // namespace

bool IsScenario(const std::string& name)
{
    return name == "room" || name == "heating" || name == "cooling" || name == "steady";
}

Reading ModelReading(const std::string& scenario, double seconds)
{
    if (scenario == "steady")
        return {kRoom, 1013};
    if (scenario == "heating")
        return {HeatedBeaker(seconds), AirPressure(seconds)};
    if (scenario == "cooling")
        return {CoolingBeaker(seconds), AirPressure(seconds)};
    return {RoomTemperature(seconds), AirPressure(seconds)};
}
