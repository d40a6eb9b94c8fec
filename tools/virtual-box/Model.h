#pragma once

// What the box measures: a small physical model of one classroom scene, as a function of
// model time in seconds since the box started.

#include <string>

struct Reading {
    double celsius;
    double hectopascals;
};

bool IsScenario(const std::string& name);
// room: about 20 °C and 1013 hPa, both drifting slowly; heating: a beaker of water heated
// from room temperature towards 80 °C, then left to cool; cooling: hot water cooling down;
// steady: exactly 20 °C and 1013 hPa, for checks that need a known value.
Reading ModelReading(const std::string& scenario, double seconds);
