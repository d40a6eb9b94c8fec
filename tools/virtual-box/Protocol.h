#pragma once

// How the box answers one received byte.

#include "Calibration.h"
#include "Options.h"

#include <random>
#include <string>

class Protocol {
public:
    Protocol(const BoxOptions& options, const RawTable& temperatureTable, const RawTable& pressureTable);

    // The bytes to send back for one received byte at the given model time (often none).
    std::string Answer(unsigned char received, double modelSeconds);

private:
    bool DropThisAnswer();
    std::string Garbage();

    const BoxOptions& m_options;
    RawTable m_temperature;
    RawTable m_pressure;
    long m_answers = 0;
    std::mt19937 m_random;
    std::mt19937 m_chance;   // for --drop-rate
};
