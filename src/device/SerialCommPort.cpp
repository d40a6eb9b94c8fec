#include "device/SerialCommPort.h"

#include "device/PortNames.h"

#include <QDeadlineTimer>
#include <QFile>

#include <cerrno>
#include <unistd.h>
#include <utility>

namespace {

// Qt says PermissionError both when the user may not open the device and when another
// program holds it (its lock file, or exclusive use); the device's own access rights tell
// the two apart.
OpenFailure FailureOf(QSerialPort::SerialPortError error, const QString& device)
{
    if (error != QSerialPort::PermissionError)
        return OpenFailure::Unavailable;
    // A bare name (ttyUSB0) is a device under /dev, as Qt opens it.
    const QString path = device.startsWith(u'/') ? device : QStringLiteral("/dev/") + device;
    if (::access(QFile::encodeName(path).constData(), R_OK | W_OK) != 0 && errno == EACCES)
        return OpenFailure::NoPermission;
    return OpenFailure::Busy;
}

}   // namespace

SerialCommPort::SerialCommPort(QString namedDevice, QString devices)
    : m_namedDevice(std::move(namedDevice))
    , m_devices(std::move(devices))
{
    QObject::connect(&m_port, &QSerialPort::errorOccurred, &m_port,
                     [this](QSerialPort::SerialPortError error) { OnError(error); });
}

// The devices the number names are resolved again at every opening (an adapter plugged in
// again may come back under another name), and tried in turn from the one after the device
// abandoned last; the first that opens is kept.
bool SerialCommPort::Open(int16_t portNumber)
{
    const QStringList candidates = m_namedDevice.isEmpty() ? PortCandidates(portNumber, m_devices)
                                                           : QStringList{NamedDevice(m_namedDevice)};
    const qsizetype abandoned = candidates.indexOf(std::exchange(m_abandoned, {}));
    const qsizetype first = abandoned + 1;   // 0 when none was abandoned
    OpenFailure failure = OpenFailure::Unavailable;
    for (qsizetype i = 0; i < candidates.size(); ++i) {
        if (OpenDevice(candidates[(first + i) % candidates.size()])) {
            ++m_openings;
            return true;
        }
        // Why the port will not open: a cause the teacher can act on wins over a missing device.
        if (failure == OpenFailure::Unavailable)
            failure = m_failure;
    }
    m_failure = failure;
    return false;
}

void SerialCommPort::Abandon()
{
    m_abandoned = m_deviceName;
    if (m_port.isOpen())
        m_port.close();
}

bool SerialCommPort::OpenDevice(const QString& device)
{
    if (m_port.isOpen())
        m_port.close();
    m_deviceName = device;
    m_port.setPortName(m_deviceName);
    m_port.setBaudRate(QSerialPort::Baud9600);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!m_port.open(QIODevice::ReadWrite)) {
        m_failure = FailureOf(m_port.error(), m_deviceName);
        return false;
    }
    m_failure = OpenFailure::None;
    // An adapter or pseudo-terminal can hold bytes from before; they are no answers of ours.
    m_port.clear();
    m_arrived.clear();
    m_wroteSinceRead = false;
    // Qt reads the device in the background, waking the event loop for every answer only to
    // move its byte into a buffer, although the readout takes what has arrived at its next
    // tick anyway: fifteen more wake-ups a second. That notifier is the port's child; it stays
    // off, and the port reads the device itself. A Qt that keeps it elsewhere only costs
    // the wake-ups.
    m_readNotifier = nullptr;
    for (QSocketNotifier* notifier : m_port.findChildren<QSocketNotifier*>()) {
        if (notifier->type() == QSocketNotifier::Read && notifier->isEnabled()
            && notifier->socket() == m_port.handle())
            m_readNotifier = notifier;
    }
    KeepReadNotifierOff();
    return true;
}

bool SerialCommPort::IsOpen() const
{
    return m_port.isOpen();
}

void SerialCommPort::Write(uint8_t byte)
{
    if (!m_port.isOpen())
        return;
    // The next read takes what arrived before this request, never its answer, however
    // quickly the box gives it: the readout pairs bytes with channels by that order.
    m_arrived += TakeArrived();
    m_wroteSinceRead = true;
    if (!m_port.isOpen())
        return;   // that read found the device gone
    const char data = static_cast<char>(byte);
    // Straight to the device when nothing waits in Qt's queue: queueing wakes the event loop
    // twice a byte (write notifier on, then off), a large share of a live readout's CPU. A
    // byte the device does not take goes Qt's way, which retries it and reports any failure.
    if (m_port.bytesToWrite() == 0 && ::write(m_port.handle(), &data, 1) == 1)
        return;
    m_port.write(&data, 1);
}

QByteArray SerialCommPort::ReadAvailable()
{
    if (!m_port.isOpen())
        return {};
    if (!std::exchange(m_wroteSinceRead, false))
        m_arrived += TakeArrived();
    return std::exchange(m_arrived, {});
}

// Everything that has arrived, in order: what Qt took in first (the start-up probe's wait
// reads through Qt, and reading that turns Qt's notifier on again), then the device.
QByteArray SerialCommPort::TakeArrived()
{
    QByteArray bytes;
    if (m_port.bytesAvailable() > 0)
        bytes = m_port.readAll();
    KeepReadNotifierOff();
    char chunk[4096];
    for (;;) {
        const ssize_t got = ::read(m_port.handle(), chunk, sizeof chunk);
        if (got > 0) {
            bytes.append(chunk, got);
            if (got < static_cast<ssize_t>(sizeof chunk))
                break;
        } else if (got == 0 || errno == EAGAIN) {
            break;   // nothing more waits
        } else if (errno != EINTR) {
            m_port.close();   // the device is gone, as a read error from Qt says
            break;
        }
    }
    return bytes;
}

QByteArray SerialCommPort::WaitForReply(int maxMilliseconds, qsizetype wantedBytes)
{
    QByteArray reply = std::exchange(m_arrived, {});
    m_wroteSinceRead = false;
    if (!m_port.isOpen())
        return reply;
    const QDeadlineTimer deadline(maxMilliseconds);
    if (m_port.bytesToWrite() > 0)
        m_port.waitForBytesWritten(static_cast<int>(deadline.remainingTime()));
    reply += m_port.readAll();
    while (m_port.isOpen() && reply.size() < wantedBytes && !deadline.hasExpired()) {
        if (!m_port.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            break;
        reply += m_port.readAll();
    }
    // A wait that ran out is no fault of the port.
    if (m_port.error() == QSerialPort::TimeoutError)
        m_port.clearError();
    return reply;
}

void SerialCommPort::KeepReadNotifierOff()
{
    if (m_readNotifier && m_readNotifier->isEnabled())
        m_readNotifier->setEnabled(false);
}

void SerialCommPort::OnError(QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
    case QSerialPort::ResourceError:
    case QSerialPort::UnknownError:
        if (m_port.isOpen())
            m_port.close();
        break;
    default:
        // Failures to open are answered by Open's result; a timeout is only a wait ending.
        break;
    }
}
