#include "render/SurfaceView.h"

#include "render/Surface.h"

#include <QPainter>
#include <QPaintEvent>

#include <cmath>

namespace {

bool IsWhole(double value)
{
    return value == std::floor(value);
}

} // namespace

SurfaceView::SurfaceView(Surface& surface, QWidget* parent)
    : QWidget(parent)
    , m_surface(surface)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SurfaceView::setScale(double scale)
{
    if (scale == m_scale || !(scale > 0))
        return;
    m_scale = scale;
    update();
}

QRect SurfaceView::viewRect(const QRect& surfaceRect) const
{
    if (m_scale == 1)
        return surfaceRect;
    // A smoothed picture spreads a changed pixel into its neighbours' share of the view.
    const int spread = IsWhole(m_scale) ? 0 : 1;
    const int left = static_cast<int>(std::floor(surfaceRect.left() * m_scale)) - spread;
    const int top = static_cast<int>(std::floor(surfaceRect.top() * m_scale)) - spread;
    const int right = static_cast<int>(std::ceil((surfaceRect.right() + 1) * m_scale)) + spread;
    const int bottom = static_cast<int>(std::ceil((surfaceRect.bottom() + 1) * m_scale)) + spread;
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

void SurfaceView::showChanges()
{
    const QRect changed = m_surface.takeChanged();
    if (!changed.isEmpty())
        update(viewRect(changed));
}

// The surface pixels that show in this part of the view.
QRect SurfaceView::surfaceRect(const QRect& viewRect) const
{
    const int left = static_cast<int>(std::floor(viewRect.left() / m_scale));
    const int top = static_cast<int>(std::floor(viewRect.top() / m_scale));
    const int right = static_cast<int>(std::ceil((viewRect.right() + 1) / m_scale));
    const int bottom = static_cast<int>(std::ceil((viewRect.bottom() + 1) / m_scale));
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

void SurfaceView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QImage& image = m_surface.image();
    const double devicePixels = m_scale * devicePixelRatioF();
    if (!IsWhole(devicePixels)) {
        // Blocks could only alternate in size; a smoothed picture reads better. The painter
        // keeps to the region being repainted.
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRectF(0, 0, image.width() * m_scale, image.height() * m_scale), image);
        return;
    }
    // A whole number of device pixels to the surface pixel: each one an exact block, and only
    // the surface pixels under the region are drawn.
    for (const QRect& area : event->region()) {
        const QRect source = surfaceRect(area);
        painter.drawImage(QRectF(source.x() * m_scale, source.y() * m_scale,
                                 source.width() * m_scale, source.height() * m_scale),
                          image, source);
    }
}
