#pragma once

#include "device/CommPort.h"

#include <QPointer>
#include <QSerialPort>
#include <QSocketNotifier>
#include <QString>

// The comm port on a real serial device through Qt SerialPort: 9600 baud, 8 data bits,
// no parity, 1 stop bit, no flow control, raw bytes.
//
// Writes go to the device at once when it takes them and queue otherwise, and a read takes
// what had arrived when the last byte was written (or, with nothing written since the read
// before, what has arrived), so neither ever waits. When the device fails
// (a USB adapter pulled out, the far end of a pseudo-terminal gone), Qt reports the error
// again and again while the port stays open; the port is closed at the first such error
// and stays closed, so the readout skips its exchange instead of spinning.
class SerialCommPort final : public CommPort {
public:
    // A device named here (the --port option) is opened whatever the port number says;
    // otherwise the number names a device in `devices`, which stands for /dev (PortNames.h).
    explicit SerialCommPort(QString namedDevice = {}, QString devices = QStringLiteral("/dev"));

    bool Open(int16_t portNumber) override;
    bool IsOpen() const override;
    OpenFailure LastOpenFailure() const override { return m_failure; }
    void Write(uint8_t byte) override;
    QByteArray ReadAvailable() override;
    QByteArray WaitForReply(int maxMilliseconds, qsizetype wantedBytes) override;
    unsigned Openings() const override { return m_openings; }
    void Abandon() override;

    QString deviceName() const { return m_deviceName; }   // last opened or tried

private:
    bool OpenDevice(const QString& device);
    void OnError(QSerialPort::SerialPortError error);
    QByteArray TakeArrived();
    void KeepReadNotifierOff();

    QString m_namedDevice;
    QString m_devices;
    QString m_deviceName;
    QString m_abandoned;   // the device last abandoned: the next opening tries it last
    unsigned m_openings = 0;
    OpenFailure m_failure = OpenFailure::None;
    QSerialPort m_port;
    QByteArray m_arrived;   // taken from the device before a write, for the next read
    bool m_wroteSinceRead = false;
    QPointer<QSocketNotifier> m_readNotifier;   // Qt's own, for reading in the background
};
