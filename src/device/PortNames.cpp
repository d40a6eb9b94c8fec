#include "device/PortNames.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

int PortIndex(int16_t portNumber)
{
    return portNumber >= 2 && portNumber <= 4 ? portNumber : 1;
}

// ttyUSB before ttyACM, each by its number: ttyUSB2 before ttyUSB10.
bool AdapterBefore(const QString& a, const QString& b)
{
    const auto key = [](const QString& name) {
        const bool usb = name.startsWith(QLatin1String("ttyUSB"));
        return std::pair(usb ? 0 : 1, name.mid(6).toInt());
    };
    return key(a) < key(b);
}

QStringList UsbAdapters(const QString& devices)
{
    QStringList adapters;
    const QDir byId(devices + QStringLiteral("/serial/by-id"));
    const QDir::Filters entries = QDir::Files | QDir::System | QDir::NoDotAndDotDot;
    for (const QFileInfo& link : byId.entryInfoList(entries, QDir::Name)) {
        const QString target = QDir::cleanPath(link.symLinkTarget());
        if (!target.isEmpty() && QFileInfo::exists(target) && !adapters.contains(target))
            adapters << target;
    }
    const QDir folder(devices);
    QStringList unlisted = folder.entryList({QStringLiteral("ttyUSB*"), QStringLiteral("ttyACM*")}, entries);
    std::sort(unlisted.begin(), unlisted.end(), AdapterBefore);
    for (const QString& name : unlisted) {
        const QString path = QDir::cleanPath(folder.filePath(name));
        if (!adapters.contains(path))
            adapters << path;
    }
    return adapters;
}

}   // namespace

QStringList PortCandidates(int16_t portNumber, const QString& devices)
{
    const int n = PortIndex(portNumber);
#ifdef Q_OS_WIN
    Q_UNUSED(devices);
    return {QStringLiteral("COM%1").arg(n)};
#else
    QStringList candidates;
    const QStringList adapters = UsbAdapters(devices);
    if (adapters.size() >= n)
        candidates << adapters[n - 1];
    const QString builtIn = QDir::cleanPath(devices + QStringLiteral("/ttyS%1").arg(n - 1));
    if (candidates.isEmpty() || QFileInfo::exists(builtIn))
        candidates << builtIn;
    return candidates;
#endif
}

QString NamedDevice(const QString& device)
{
    const QFileInfo info(device);
    if (info.isRelative() && info.exists())
        return info.absoluteFilePath();
    return device;
}
