#pragma once

// The readout's exchange with the box, one step per tick: the answers that have arrived are
// given to the requests they answer, then the next request is written. The box answers 0xF2
// with the temperature byte and 0xF3 with the pressure byte, one byte each and in order, but
// a byte itself says nothing of its channel; so the exchange keeps the requests still awaiting
// an answer and never lets them be of two channels at once. While an answer is awaited no
// other request is written: a late answer can then only be the awaited one, and each channel
// gets its turn whatever the lateness. An answer that does not come within kAnswerLimitMs is
// given up. A byte that arrives with nothing awaited answers nothing the exchange can name,
// and is dropped. A port opened anew starts with nothing awaited.
//
// With a box that answers before the next tick this writes 0xF3, 0xF2, 0xF3, ... and reads
// each answer one tick after its request, as the readout always has.

#include "device/CommPort.h"

#include <cstdint>
#include <functional>
#include <optional>

enum class BoxChannel { Temperature,
                        Pressure };

struct BoxReading {
    BoxChannel channel;
    uint8_t raw;
};

class ReadingExchange {
public:
    // Far above the lateness of a box on a busy classroom PC, and short enough that a
    // request lost on the line holds the readout up for only a few ticks.
    static constexpr int64_t kAnswerLimitMs = 500;

    using Milliseconds = std::function<int64_t()>;   // a clock that never goes back

    explicit ReadingExchange(Milliseconds now = {});

    // One tick with the request bytes for the two channels: the reading that arrived since the
    // last tick, if any (at most one request is ever awaited, so at most one byte is a
    // reading). A closed port exchanges nothing.
    std::optional<BoxReading> Exchange(CommPort& port, uint8_t temperatureRequest, uint8_t pressureRequest);

    bool awaiting() const { return m_awaited.has_value(); }

private:
    struct Request {
        BoxChannel channel;
        int64_t writtenAt;
    };

    Milliseconds m_now;
    std::optional<Request> m_awaited;
    // The channel asked last; the first request of all is the pressure's 0xF3.
    BoxChannel m_lastAsked = BoxChannel::Temperature;
    unsigned m_opening = 0;   // the port's opening the awaited request was written on
};
