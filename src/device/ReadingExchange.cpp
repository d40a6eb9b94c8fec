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

std::optional<BoxReading> ReadingExchange::Exchange(CommPort& port, uint8_t temperatureRequest,
                                                    uint8_t pressureRequest)
{
    if (!port.IsOpen()) {
        m_awaited.reset();   // whatever was asked went with the port
        return std::nullopt;
    }
    if (port.Openings() != m_opening) {
        m_awaited.reset();   // asked on a port since closed: its answer will not come
        m_opening = port.Openings();
    }

    // Taken before this tick's request is written, so every byte answers an earlier one. Only
    // the first can answer the awaited request; the rest answers nothing and is dropped.
    std::optional<BoxReading> reading;
    const QByteArray arrived = port.ReadAvailable();
    if (m_awaited && !arrived.isEmpty()) {
        reading = BoxReading{m_awaited->channel, static_cast<uint8_t>(arrived[0])};
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
    return reading;
}
