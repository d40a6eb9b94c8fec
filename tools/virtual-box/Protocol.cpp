#include "Protocol.h"

#include "Model.h"

namespace {

constexpr unsigned char kProbe = 0xFF;
// The program reads each answer one tick later, on the other channel's step: the byte sent for
// 0xF2 (its pressure request) is what it takes as the temperature, and the other way round.
constexpr unsigned char kTemperatureAnswerTo = 0xF2;
constexpr unsigned char kPressureAnswerTo = 0xF3;

} // namespace

Protocol::Protocol(const BoxOptions& options, const RawTable& temperatureTable, const RawTable& pressureTable)
    : m_options(options)
    , m_temperature(temperatureTable)
    , m_pressure(pressureTable)
{
}

std::string Protocol::Answer(unsigned char received, double modelSeconds)
{
    if (received == kProbe)
        return "QUIRAN";
    Channel channel = Channel::None;
    if (received == kTemperatureAnswerTo)
        channel = Channel::Temperature;
    else if (received == kPressureAnswerTo)
        channel = Channel::Pressure;
    if (channel == Channel::None || channel == m_options.silent || DropThisAnswer())
        return {};
    const Reading reading = ModelReading(m_options.scenario, modelSeconds);
    const unsigned char raw = channel == Channel::Temperature
        ? NearestByte(m_temperature, reading.celsius)
        : NearestByte(m_pressure, reading.hectopascals);
    return std::string(1, static_cast<char>(raw));
}

bool Protocol::DropThisAnswer()
{
    ++m_answers;
    return m_options.dropEvery > 0 && m_answers % m_options.dropEvery == 0;
}
