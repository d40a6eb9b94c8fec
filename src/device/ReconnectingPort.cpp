#include "device/ReconnectingPort.h"

ReconnectingPort::ReconnectingPort(std::unique_ptr<CommPort> port)
    : m_port(std::move(port))
{
    m_retry.setInterval(kRetryMilliseconds);
    connect(&m_retry, &QTimer::timeout, this, &ReconnectingPort::Reopen);
}

bool ReconnectingPort::Open(int16_t portNumber)
{
    m_opened = true;
    m_portNumber = portNumber;
    m_emptyReads = 0;
    SetAnswering(false);
    const bool opened = m_port->Open(portNumber);
    NoteOpening(opened);
    if (opened)
        m_retry.stop();
    else
        Lost();
    return opened;
}

bool ReconnectingPort::IsOpen() const
{
    return m_port->IsOpen();
}

void ReconnectingPort::Write(uint8_t byte)
{
    m_port->Write(byte);
}

QByteArray ReconnectingPort::ReadAvailable()
{
    QByteArray bytes = m_port->ReadAvailable();
    if (!bytes.isEmpty()) {
        m_emptyReads = 0;
        SetAnswering(true);
    } else if (m_port->IsOpen() && ++m_emptyReads >= kSilentReads) {
        m_emptyReads = kSilentReads;
        SetAnswering(false);
    }
    return bytes;
}

QByteArray ReconnectingPort::WaitForReply(int maxMilliseconds, qsizetype wantedBytes)
{
    QByteArray bytes = m_port->WaitForReply(maxMilliseconds, wantedBytes);
    if (!bytes.isEmpty())
        SetAnswering(true);
    return bytes;
}

void ReconnectingPort::Check()
{
    if (m_opened && !m_port->IsOpen())
        Lost();
}

void ReconnectingPort::Reopen()
{
    if (m_port->IsOpen()) {
        m_retry.stop();
        return;
    }
    const bool opened = m_port->Open(m_portNumber);
    NoteOpening(opened);
    if (!opened)
        return;   // still gone; the timer tries again
    m_retry.stop();
    m_emptyReads = 0;
    // Whatever waits already is from before: the first byte the readout takes must be an
    // answer to one of its own requests.
    m_port->ReadAvailable();
}

void ReconnectingPort::Lost()
{
    SetAnswering(false);
    if (!m_retry.isActive())
        m_retry.start();
}

void ReconnectingPort::SetAnswering(bool answering)
{
    if (m_answering == answering)
        return;
    m_answering = answering;
    emit answeringChanged(answering);
    emit changed();
}

void ReconnectingPort::NoteOpening(bool opened)
{
    const OpenFailure failure = opened ? OpenFailure::None : m_port->LastOpenFailure();
    if (m_failure == failure)
        return;
    m_failure = failure;
    emit changed();
}
