#include "render/SurfaceView.h"

#include "render/Surface.h"

#include <QPainter>
#include <QPaintEvent>

SurfaceView::SurfaceView(Surface& surface, QWidget* parent)
    : QWidget(parent)
    , m_surface(surface)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SurfaceView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.drawImage(event->rect(), m_surface.image(), event->rect());
}
