#pragma once

// Pictures for a person to look at: saved only when PORUKA_PICTURES names a folder.

#include <QDir>
#include <QImage>
#include <QString>

inline void SavePictureIfAsked(const QImage& picture, const QString& name)
{
    const QString folder = qEnvironmentVariable("PORUKA_PICTURES");
    if (!folder.isEmpty())
        picture.save(QDir(folder).filePath(name));
}
