#include "files/FileNames.h"

#include <QFile>
#include <QFileInfo>

QString PathInFolder(const QDir& folder, const QString& bareName)
{
    const QString exact = folder.filePath(bareName);
    if (QFileInfo::exists(exact))
        return exact;
    const QStringList names = folder.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& name : names) {
        if (name.compare(bareName, Qt::CaseInsensitive) == 0)
            return folder.filePath(name);
    }
    return exact;
}

std::optional<QByteArray> ReadWholeFile(const QString& path)
{
    if (QFileInfo(path).isDir())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}
