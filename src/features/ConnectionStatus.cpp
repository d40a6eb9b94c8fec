#include "features/ConnectionStatus.h"

#include "device/PortStatus.h"
#include "run/StatusBoard.h"

namespace {

QString StatusText(const PortStatus& port)
{
    if (port.answering())
        return {};
    switch (port.LastOpenFailure()) {
    case OpenFailure::NoPermission:
        return QString::fromUtf8(kNoPermissionStatus);
    case OpenFailure::Busy:
        return QString::fromUtf8(kPortBusyStatus);
    default:
        return QString::fromUtf8(kNotConnectedStatus);
    }
}

}   // namespace

void ShowConnectionStatus(PortStatus& port, StatusBoard& status)
{
    QObject::connect(&port, &PortStatus::changed, &status,
                     [&port, &status] { status.set(StatusSource::Port, StatusText(port)); });
    status.set(StatusSource::Port, StatusText(port));
}
