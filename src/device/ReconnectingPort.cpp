#include "device/ReconnectingPort.h"

#include "device/BoxLink.h"

ReconnectingPort::ReconnectingPort(std::unique_ptr<CommPort> port)
    : m_port(std::move(port))
{
    m_retry.setInterval(kRetryMilliseconds);
    connect(&m_retry, &QTimer::timeout, this, &ReconnectingPort::Reopen);
    m_probeLook.setInterval(kProbeLookMilliseconds);
    connect(&m_probeLook, &QTimer::timeout, this, &ReconnectingPort::LookForProbeAnswer);
}

// Start-up's opening: the caller sends the probe and waits for the answer itself.
bool ReconnectingPort::Open(int16_t portNumber)
{
    m_opened = true;
    m_portNumber = portNumber;
    m_unanswered = 0;
    m_probeLook.stop();
    SetAnswering(false);
    const bool opened = m_port->Open(portNumber);
    NoteOpening(opened);
    if (opened) {
        ++m_openings;
        m_retry.stop();
    } else {
        Lost();
    }
    return opened;
}

bool ReconnectingPort::IsOpen() const
{
    return m_port->IsOpen() && !probing();
}

void ReconnectingPort::Write(uint8_t byte)
{
    if (!IsOpen())
        return;
    m_port->Write(byte);
    ++m_unanswered;
}

QByteArray ReconnectingPort::ReadAvailable()
{
    if (probing())
        return {};   // the probe's answer is no reading
    QByteArray bytes = m_port->ReadAvailable();
    if (!bytes.isEmpty()) {
        m_unanswered = 0;
        SetAnswering(true);
    }
    return bytes;
}

QByteArray ReconnectingPort::WaitForReply(int maxMilliseconds, qsizetype wantedBytes)
{
    QByteArray bytes = m_port->WaitForReply(maxMilliseconds, wantedBytes);
    if (!bytes.isEmpty()) {
        m_unanswered = 0;
        SetAnswering(true);
    }
    return bytes;
}

void ReconnectingPort::Check()
{
    if (!m_opened || probing())
        return;
    if (!m_port->IsOpen()) {
        Lost();
    } else if (m_unanswered >= kUnansweredWrites) {
        // Open, but nobody answers: the box is off, or this device is not the box.
        m_unanswered = 0;
        m_port->Abandon();
        Lost();
    }
}

void ReconnectingPort::Reopen()
{
    if (probing())
        return;
    if (m_port->IsOpen())
        m_port->Abandon();   // open and not answering: try again, the next device first
    const bool opened = m_port->Open(m_portNumber);
    NoteOpening(opened);
    if (!opened)
        return;   // still gone; the timer tries again
    m_retry.stop();
    m_unanswered = 0;
    // Whatever waits already is from before; the probe's answer must come after it.
    m_port->ReadAvailable();
    m_port->Write(0x00);
    m_port->Write(0x00);
    m_port->Write(0xFF);
    m_probeReply.clear();
    m_probeDeadline.setRemainingTime(kProbeMilliseconds);
    m_probeLook.start();
}

void ReconnectingPort::LookForProbeAnswer()
{
    m_probeReply += m_port->ReadAvailable();
    if (m_probeReply.contains(kBoxAnswer)) {
        Found();
        return;
    }
    if (m_port->IsOpen() && !m_probeDeadline.hasExpired())
        return;
    m_probeLook.stop();
    if (m_port->IsOpen())
        m_port->Abandon();   // a device that opens but does not answer the probe is not the box
    Lost();
}

void ReconnectingPort::Found()
{
    m_probeLook.stop();
    m_port->ReadAvailable();   // anything after the answer is no reading either
    m_unanswered = 0;
    ++m_openings;
    SetAnswering(true);
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
