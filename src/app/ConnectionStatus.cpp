#include "app/ConnectionStatus.h"

#include "app/Poruka.h"
#include "device/ReconnectingPort.h"

#include <QTimer>

void InstallConnectionStatus(Poruka& window)
{
    auto* link = dynamic_cast<ReconnectingPort*>(&window.port());
    if (!link)
        return;
    // Connected after the readout's own handler, so the look comes after the exchange.
    QObject::connect(window.Timer1, &QTimer::timeout, link, &ReconnectingPort::Check);
    QObject::connect(link, &ReconnectingPort::answeringChanged, &window, [&window](bool answering) {
        window.setStatus(StatusSource::Port, answering ? QString() : QString::fromUtf8(kNotConnectedStatus));
    });
    if (!link->answering())
        window.setStatus(StatusSource::Port, QString::fromUtf8(kNotConnectedStatus));
}
