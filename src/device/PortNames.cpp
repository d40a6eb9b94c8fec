#include "device/PortNames.h"

#include <QFileInfo>

namespace {

int PortIndex(int16_t portNumber)
{
    return portNumber >= 2 && portNumber <= 4 ? portNumber : 1;
}

} // namespace

QString PortDeviceName(int16_t portNumber)
{
    return PortDeviceName(portNumber, [](const QString& path) { return QFileInfo::exists(path); });
}

QString PortDeviceName(int16_t portNumber, const std::function<bool(const QString&)>& exists)
{
    const int n = PortIndex(portNumber);
#ifdef Q_OS_WIN
    Q_UNUSED(exists);
    return QStringLiteral("COM%1").arg(n);
#else
    const QString candidates[] = {
        QStringLiteral("/dev/ttyUSB%1").arg(n - 1),
        QStringLiteral("/dev/ttyACM%1").arg(n - 1),
        QStringLiteral("/dev/ttyS%1").arg(n - 1),
    };
    for (const QString& candidate : candidates) {
        if (exists(candidate))
            return candidate;
    }
    // None is there: name the built-in port so that opening fails in the usual way.
    return candidates[2];
#endif
}

QString NamedDevice(const QString& device)
{
    const QFileInfo info(device);
    if (info.isRelative() && info.exists())
        return info.absoluteFilePath();
    return device;
}
