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

void SurfaceView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QImage& image = m_surface.image();
    const double devicePixels = m_scale * devicePixelRatioF();
    if (devicePixels == 1) {
        for (const QRect& area : event->region())
            painter.drawImage(area, image, area);
        return;
    }
    // The painter keeps to the region being repainted, so only that part is scaled. A whole
    // number of device pixels per surface pixel shows each one as an exact block; otherwise
    // blocks could only alternate in size, and a smoothed picture reads better.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, !IsWhole(devicePixels));
    painter.drawImage(QRectF(0, 0, image.width() * m_scale, image.height() * m_scale), image);
}
