#include "run/RunNames.h"

#include "run/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include <optional>

namespace {

// A class names some dozens of runs a year; a file far larger than that is not ours.
constexpr qint64 kMostNamesBytes = 1 << 20;

QString NamesPathOf(const QFileInfo& run)
{
    return run.absoluteDir().filePath(QString::fromUtf8(kRunNamesFileName));
}

// The names kept for the runs of a folder; nothing when the file is there but cannot be read,
// so that a write never replaces names it did not see. A file that is not a JSON object holds
// no names.
std::optional<QJsonObject> ReadNames(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QJsonObject();
    // Never a folder or a pipe, whose opening would wait for a writer.
    QFile file(path);
    if (!info.isFile() || info.size() > kMostNamesBytes || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return QJsonDocument::fromJson(file.read(kMostNamesBytes)).object();
}

QString Tidied(const QString& name)
{
    return name.simplified().left(kLongestRunName);
}

}   // namespace

QString RunName(const QString& runPath)
{
    const QFileInfo run(runPath);
    const std::optional<QJsonObject> names = ReadNames(NamesPathOf(run));
    return names ? Tidied(names->value(run.fileName()).toString()) : QString();
}

bool SetRunName(const QString& runPath, const QString& name)
{
    const QFileInfo run(runPath);
    const QString path = NamesPathOf(run);
    std::optional<QJsonObject> names = ReadNames(path);
    if (!names || run.fileName().isEmpty())
        return false;
    const QString tidied = Tidied(name);
    if (tidied.isEmpty())
        names->remove(run.fileName());
    else
        names->insert(run.fileName(), tidied);
    // Written whole to a new file that then takes the old one's place: a failure leaves the old.
    return WriteWholeFile(path, QJsonDocument(*names).toJson()).ok;
}
