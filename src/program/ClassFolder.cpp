#include "program/ClassFolder.h"

#include "files/FileNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString SampleFolder(const QString& programFolder)
{
    const QDir program(programFolder);
    const QString installed = program.absoluteFilePath(QStringLiteral("../share/poruka"));
    if (QFileInfo(installed).isDir())
        return QDir::cleanPath(installed);
    QFile note(program.filePath(QString::fromLatin1(kSampleFolderNote)));
    if (note.open(QIODevice::ReadOnly)) {
        const QString named = QString::fromUtf8(note.readAll()).trimmed();
        if (QFileInfo(named).isDir())
            return named;
    }
    return {};
}

bool PrepareClassFolder(const QString& folder, const QString& samples)
{
    QDir classFolder(folder);
    if (!classFolder.mkpath(QStringLiteral(".")))
        return false;
    for (const char* name : kClassFileNames) {
        const QString bareName = QString::fromLatin1(name);
        const QString present = PathInFolder(classFolder, bareName);
        if (QFileInfo::exists(present) || QFileInfo(present).isSymLink())
            continue;
        const QString sample = PathInFolder(QDir(samples), bareName);
        if (samples.isEmpty() || !QFile::copy(sample, present))
            continue;   // the caption then names the missing file
        // Installed samples are read-only; the class's copy is the teacher's to edit.
        QFile::setPermissions(present, QFile::permissions(present) | QFile::WriteOwner | QFile::ReadOwner);
    }
    return true;
}
