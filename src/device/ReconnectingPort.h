#pragma once

// A comm port that finds its way back to the box. It passes every write and read through to
// the port it wraps, unchanged, so a box that is there and never lost sees exactly the bytes
// it always saw. It adds two things:
// - whether the box is answering: false from each opening until the first byte arrives, from
//   the moment the port is found closed, and after ten reads in a row that found nothing (the
//   cable pulled from the box while the adapter stays in the computer; a box that is there
//   drops at most an odd answer);
// - while the port is closed, an attempt to reopen the same device once a second, on a timer
//   of its own, so the window never waits. A reopened port starts with an empty input.
// While the port will not open, it also keeps why (no permission, held by another program),
// as of the latest attempt, so a permission granted meanwhile shows at the next one.
// No probe is sent after a reopen: the probe's answer would reach the readout as readings,
// and the first answer to an ordinary request proves the box is back just as well.

#include "device/CommPort.h"
#include "device/PortStatus.h"

#include <QTimer>

#include <memory>

class ReconnectingPort final : public PortStatus, public CommPort {
    Q_OBJECT
public:
    static constexpr int kRetryMilliseconds = 1000;
    static constexpr int kSilentReads = 10;

    explicit ReconnectingPort(std::unique_ptr<CommPort> port);

    bool Open(int16_t portNumber) override;
    bool IsOpen() const override;
    OpenFailure LastOpenFailure() const override { return m_failure; }
    void Write(uint8_t byte) override;
    QByteArray ReadAvailable() override;
    QByteArray WaitForReply(int maxMilliseconds, qsizetype wantedBytes) override;

    // Notices a port that was closed since the last look (a device that went away) and starts
    // the reopening. The owner calls it after every exchange.
    void Check() override;
    // One reopening attempt; the retry timer calls it.
    void Reopen();

    bool answering() const override { return m_answering; }
    OpenFailure openFailure() const override { return m_failure; }
    const QTimer& retryTimer() const { return m_retry; }
    CommPort& wrapped() { return *m_port; }

signals:
    void answeringChanged(bool answering);

private:
    void SetAnswering(bool answering);
    void NoteOpening(bool opened);
    void Lost();

    std::unique_ptr<CommPort> m_port;
    QTimer m_retry;
    int16_t m_portNumber = 0;
    bool m_opened = false;      // Open was called: from then on a closed port is a lost one
    bool m_answering = true;    // nothing to report before the first opening
    OpenFailure m_failure = OpenFailure::None;
    int m_emptyReads = 0;       // reads in a row that found nothing
};
