#pragma once

// Writing an export to disk: all or nothing. The bytes go to a temporary file beside the
// target, which replaces the target only when everything was written, so a full disk, a
// missing folder or a crash never leaves half a file behind.

#include <QByteArray>
#include <QImage>
#include <QString>

class Surface;

struct WriteResult {
    bool ok = false;
    QString error;   // the system's reason when not ok
};

WriteResult WriteWholeFile(const QString& path, const QByteArray& bytes);

// The three pictures as they stand: x 0..500, y 0..399 of the drawing surface.
QImage GraphPicture(Surface& surface);

// The picture as PNG bytes (empty when encoding fails).
QByteArray PngBytes(const QImage& image);
