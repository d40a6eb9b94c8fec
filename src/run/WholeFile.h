#pragma once

// Writing a file all or nothing: the bytes go to a temporary file beside the target, which
// replaces the target only when everything was written, so a full disk, a missing folder or a
// crash never leaves half a file behind.

#include <QByteArray>
#include <QString>

struct WriteResult {
    bool ok = false;
    QString error;   // the system's reason when not ok
};

WriteResult WriteWholeFile(const QString& path, const QByteArray& bytes);
