#pragma once

#include <QByteArray>

#include <cstdint>

// Why a port would not open, as far as it matters to the class: a missing adapter is told
// apart from one the user may not open and one that another program holds.
enum class OpenFailure { None,
                         Unavailable,
                         NoPermission,
                         Busy };

// The serial link to the box, as the program uses it: open a numbered port at 9600 8N1,
// write single bytes without waiting, and take whatever has arrived without waiting.
// A port that failed to open, or that was closed after an error, skips writes and reads.
class CommPort {
public:
    virtual ~CommPort() = default;

    virtual bool Open(int16_t portNumber) = 0;   // false when the port cannot be opened
    virtual bool IsOpen() const = 0;
    // Why the last Open failed; None after one that succeeded. A port that cannot tell the
    // causes apart says Unavailable.
    virtual OpenFailure LastOpenFailure() const { return IsOpen() ? OpenFailure::None : OpenFailure::Unavailable; }
    virtual void Write(uint8_t byte) = 0;        // queues the byte; never blocks
    virtual QByteArray ReadAvailable() = 0;      // all bytes received since the last read
    // Start-up probe only: sends what is queued, then waits at most maxMilliseconds until
    // wantedBytes more bytes have arrived, and returns what arrived by then.
    virtual QByteArray WaitForReply(int maxMilliseconds, qsizetype wantedBytes) = 0;
    // Counts the openings that reached the box. When it changes, requests written before
    // went to a port since closed and will not be answered.
    virtual unsigned Openings() const { return 0; }
    // Closes a port whose device turned out not to be the box; the next Open looks first at
    // the other devices the port number may name.
    virtual void Abandon() {}
};
