#pragma once

#include <QImage>
#include <QString>

// The text as a QR code: black modules on white, each `moduleSize` pixels square, with the
// four-module quiet zone a scanner needs. A null image when the text does not fit a QR code.
QImage QrCodeImage(const QString& text, int moduleSize);
