#include "classview/QrCodeImage.h"

#include <QPainter>

#include <memory>
#include <qrencode.h>

namespace {

constexpr int kQuietModules = 4;

}   // namespace

QImage QrCodeImage(const QString& text, int moduleSize)
{
    const QByteArray bytes = text.toUtf8();
    // Level M: a tablet camera at the back of the room reads a slightly worn projection.
    const std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        QRcode_encodeString8bit(bytes.constData(), 0, QR_ECLEVEL_M), &QRcode_free);
    if (!code || moduleSize < 1)
        return {};
    const int side = (code->width + 2 * kQuietModules) * moduleSize;
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (int y = 0; y < code->width; ++y) {
        for (int x = 0; x < code->width; ++x) {
            if (code->data[y * code->width + x] & 1)   // the low bit is the module's colour
                painter.fillRect((x + kQuietModules) * moduleSize, (y + kQuietModules) * moduleSize,
                                 moduleSize, moduleSize, Qt::black);
        }
    }
    return image;
}
