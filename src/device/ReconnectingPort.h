#pragma once

// A comm port that finds its way back to the box. While the box answers it passes every write
// and read through to the port it wraps, unchanged, so a box that is there and never lost
// sees exactly the bytes it always saw. It adds:
// - whether the box is answering: false from each opening until the box's first byte, and
//   from the moment the port is found closed or the box has let kUnansweredWrites bytes in a
//   row go unanswered (the cable pulled from the box, or the box switched off, while the
//   adapter stays in the computer);
// - while the box is not answering, an attempt once a second, on a timer of its own, to open
//   the port again: the wrapped port resolves the port number anew each time, so an adapter
//   that comes back under another name is found, and a device that has not answered is
//   abandoned for the next one the number may name. Each attempt that opens a device sends
//   the box's probe; until its answer arrives the port counts as closed, so the readout never
//   sees the answer, and a device that does not answer within kProbeMilliseconds is abandoned.
//   The window never waits for any of it.
// While the port will not open, it also keeps why (no permission, held by another program),
// as of the latest attempt, so a permission granted meanwhile shows at the next one.

#include "device/CommPort.h"
#include "device/PortStatus.h"

#include <QDeadlineTimer>
#include <QTimer>

#include <memory>

class ReconnectingPort final : public PortStatus, public CommPort {
    Q_OBJECT
public:
    static constexpr int kRetryMilliseconds = 1000;
    // The three probe bytes and a request, or four requests: a box that is there answers at
    // least one of them.
    static constexpr int kUnansweredWrites = 4;
    static constexpr int kProbeMilliseconds = 500;
    static constexpr int kProbeLookMilliseconds = 20;

    explicit ReconnectingPort(std::unique_ptr<CommPort> port);

    bool Open(int16_t portNumber) override;
    bool IsOpen() const override;
    OpenFailure LastOpenFailure() const override { return m_failure; }
    void Write(uint8_t byte) override;
    QByteArray ReadAvailable() override;
    QByteArray WaitForReply(int maxMilliseconds, qsizetype wantedBytes) override;
    unsigned Openings() const override { return m_openings; }

    // Notices a port that was closed since the last look (a device that went away) or a box
    // that stopped answering, and starts looking for the box. The owner calls it after every
    // exchange.
    void Check() override;
    // One attempt to find the box; the retry timer calls it.
    void Reopen();
    // One look for the answer to the probe sent by Reopen; a timer calls it while probing().
    void LookForProbeAnswer();

    bool answering() const override { return m_answering; }
    bool probing() const { return m_probeLook.isActive(); }
    const QTimer& retryTimer() const { return m_retry; }
    CommPort& wrapped() { return *m_port; }

signals:
    void answeringChanged(bool answering);

private:
    void Found();
    void SetAnswering(bool answering);
    void NoteOpening(bool opened);
    void Lost();

    std::unique_ptr<CommPort> m_port;
    QTimer m_retry;
    QTimer m_probeLook;   // runs while a probe's answer is awaited
    QDeadlineTimer m_probeDeadline;
    QByteArray m_probeReply;
    int16_t m_portNumber = 0;
    bool m_opened = false;      // Open was called: from then on a closed port is a lost one
    bool m_answering = true;    // nothing to report before the first opening
    OpenFailure m_failure = OpenFailure::None;
    int m_unanswered = 0;   // bytes written since the last byte arrived
    unsigned m_openings = 0;
};
