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
    , m_random(static_cast<std::mt19937::result_type>(options.garbageSeed < 0 ? 0 : options.garbageSeed))
    , m_chance(static_cast<std::mt19937::result_type>(options.seed))
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
    if (channel == Channel::None || channel == m_options.silent || m_options.silent == Channel::Both
        || DropThisAnswer())
        return {};
    if (m_options.garbageSeed >= 0)
        return Garbage();
    const Reading reading = ModelReading(m_options.scenario, modelSeconds);
    const unsigned char raw = channel == Channel::Temperature
        ? NearestByte(m_temperature, reading.celsius)
        : NearestByte(m_pressure, reading.hectopascals);
    return std::string(static_cast<std::size_t>(m_options.burst), static_cast<char>(raw));
}

// A box with a loose wire: one to eight random bytes instead of the reading.
std::string Protocol::Garbage()
{
    std::uniform_int_distribution<int> length(1, 8);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string bytes(static_cast<std::size_t>(length(m_random)), '\0');
    for (char& b : bytes)
        b = static_cast<char>(byte(m_random));
    return bytes;
}

bool Protocol::DropThisAnswer()
{
    ++m_answers;
    if (m_options.dropEvery > 0 && m_answers % m_options.dropEvery == 0)
        return true;
    return m_options.dropRate > 0 && std::uniform_real_distribution<double>(0, 1)(m_chance) < m_options.dropRate;
}
