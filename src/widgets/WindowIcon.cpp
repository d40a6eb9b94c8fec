#include "widgets/WindowIcon.h"

#include <QPainter>
#include <QPixmap>

QImage DrawWindowIcon(int size)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(QColor(255, 255, 0));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.scale(size / 32.0, size / 32.0);
    // thermometer: glass, red column, bulb
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(6.5, 2.5, 6, 22), 3, 3);
    p.setBrush(QColor(255, 0, 0));
    p.drawEllipse(QPointF(9.5, 25.5), 5, 5);
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(8, 11, 3, 14));
    // barometer: glass and blue column
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(20.5, 2.5, 7, 27));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 255));
    p.drawRect(QRectF(21, 14, 6, 15));
    return image;
}

QIcon MakeWindowIcon()
{
    return QIcon(QPixmap::fromImage(DrawWindowIcon(32)));
}
