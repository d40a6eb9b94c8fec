#include "app/ConnectionStatus.h"

#include "app/Poruka.h"
#include "device/PortStatus.h"

#include <QTimer>

namespace {

QString StatusText(const PortStatus& port)
{
    if (port.answering())
        return {};
    switch (port.openFailure()) {
    case OpenFailure::NoPermission:
        return QString::fromUtf8(kNoPermissionStatus);
    case OpenFailure::Busy:
        return QString::fromUtf8(kPortBusyStatus);
    default:
        return QString::fromUtf8(kNotConnectedStatus);
    }
}

}   // namespace

void InstallConnectionStatus(Poruka& window)
{
    PortStatus* port = window.portStatus();
    if (!port)
        return;
    // Connected after the readout's own handler, so the look comes after the exchange.
    QObject::connect(window.Timer1, &QTimer::timeout, port, &PortStatus::Check);
    QObject::connect(port, &PortStatus::changed, &window,
                     [&window, port] { window.setStatus(StatusSource::Port, StatusText(*port)); });
    window.setStatus(StatusSource::Port, StatusText(*port));
}
