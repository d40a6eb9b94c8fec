#include "device/ReadingExchange.h"

#include <chrono>
#include <utility>

namespace {

int64_t SteadyMilliseconds()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}   // namespace

ReadingExchange::ReadingExchange(Milliseconds now)
    : m_now(now ? std::move(now) : Milliseconds(SteadyMilliseconds))
{
}

std::vector<BoxReading> ReadingExchange::Exchange(CommPort& port, uint8_t temperatureRequest,
                                                  uint8_t pressureRequest)
{
    std::vector<BoxReading> readings;
    if (!port.IsOpen()) {
        m_awaited.reset();   // whatever was asked went with the port
        return readings;
    }
    if (port.Openings() != m_opening) {
        m_awaited.reset();   // asked on a port since closed: its answer will not come
        m_opening = port.Openings();
    }

    // Taken before this tick's request is written, so every byte answers an earlier one.
    const QByteArray arrived = port.ReadAvailable();
    for (const char byte : arrived) {
        if (!m_awaited)
            break;   // nothing left to answer: the rest is no reading
        readings.push_back({m_awaited->channel, static_cast<uint8_t>(byte)});
        m_awaited.reset();
    }
    const int64_t now = m_now();
    if (m_awaited && now - m_awaited->writtenAt > kAnswerLimitMs)
        m_awaited.reset();   // lost on the line, or the box is away

    if (!m_awaited && port.IsOpen()) {
        const BoxChannel next = m_lastAsked == BoxChannel::Temperature ? BoxChannel::Pressure
                                                                       : BoxChannel::Temperature;
        port.Write(next == BoxChannel::Temperature ? temperatureRequest : pressureRequest);
        m_awaited = Request{next, now};
        m_lastAsked = next;
    }
    return readings;
}
