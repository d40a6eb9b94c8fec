#include "review/ReviewGraph.h"

#include <QGestureEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QPainter>
#include <QPinchGesture>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kZoomStep = 1.25;
constexpr double kShortestSpanMs = 500;               // half a second across the graph
constexpr double kLongestSpanMs = 400 * 86400000.0;   // more than a year

}   // namespace

ReviewGraph::ReviewGraph(QWidget* parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(320, 200);
    grabGesture(Qt::PinchGesture);
}

void ReviewGraph::showAll()
{
    m_showsAll = true;
    const auto [from, to] = m_plot.wholeSpan();
    setSpan(from, to + (to - from) * 0.02);
}

void ReviewGraph::runsChanged()
{
    if (m_showsAll)
        showAll();
    else
        update();
}

void ReviewGraph::setSpan(double fromMs, double toMs)
{
    const double span = std::clamp(toMs - fromMs, kShortestSpanMs, kLongestSpanMs);
    const double middle = (fromMs + toMs) / 2;
    PlotView& view = m_plot.view();
    view.fromMs = std::clamp(middle - span / 2, -kLongestSpanMs, kLongestSpanMs);
    view.toMs = view.fromMs + span;
    update();
    emit viewChanged();
}

void ReviewGraph::zoomAround(double x, double factor)
{
    if (!(factor > 0))
        return;
    const PlotView& view = m_plot.view();
    const double at = m_plot.area().isEmpty() ? (view.fromMs + view.toMs) / 2 : m_plot.msAt(x);
    m_showsAll = false;
    setSpan(at - (at - view.fromMs) / factor, at + (view.toMs - at) / factor);
}

void ReviewGraph::pan(double fractionOfWidth)
{
    const PlotView& view = m_plot.view();
    const double shift = (view.toMs - view.fromMs) * fractionOfWidth;
    m_showsAll = false;
    setSpan(view.fromMs + shift, view.toMs + shift);
}

QImage ReviewGraph::picture(int width)
{
    const double scale = static_cast<double>(width) / std::max(1, this->width());
    QImage image(QSize(width, std::max(1, static_cast<int>(std::lround(height() * scale)))), QImage::Format_RGB32);
    QPainter painter(&image);
    painter.scale(scale, scale);
    const std::optional<double> reading = std::exchange(m_plot.reading, std::nullopt);
    m_plot.paint(painter, size(), scale, font());
    m_plot.reading = reading;
    return image;
}

void ReviewGraph::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    m_plot.paintKept(painter, size(), devicePixelRatioF(), font());
}

void ReviewGraph::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF at = event->position();
    if (m_panFrom) {
        const double dx = at.x() - m_panFrom->x();
        m_panFrom = at;
        pan(-dx / std::max(1.0, m_plot.area().width()));
        return;
    }
    m_plot.reading = m_plot.area().contains(at) ? std::optional<double>(m_plot.msAt(at.x())) : std::nullopt;
    if (m_pressAt)
        m_plot.selection = std::pair(*m_pressAt, m_plot.msAt(std::clamp(at.x(), m_plot.area().left(), m_plot.area().right())));
    const QStringList alerts = m_plot.alertsNear(at);
    if (alerts.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(event->globalPosition().toPoint(), alerts.join(QLatin1Char('\n')), this);
    update();
}

void ReviewGraph::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        m_panFrom = event->position();
    } else if (event->button() == Qt::LeftButton && m_plot.area().contains(event->position())) {
        m_pressAt = m_plot.msAt(event->position().x());
        m_plot.selection.reset();
        update();
    }
}

void ReviewGraph::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton)
        m_panFrom.reset();
    if (event->button() == Qt::LeftButton && m_pressAt) {
        // A click without a drag only clears the selection.
        if (m_plot.selection && std::abs(m_plot.xOf(m_plot.selection->second) - m_plot.xOf(m_plot.selection->first)) < 3)
            m_plot.selection.reset();
        m_pressAt.reset();
        update();
    }
}

void ReviewGraph::leaveEvent(QEvent*)
{
    m_plot.reading.reset();
    update();
}

void ReviewGraph::wheelEvent(QWheelEvent* event)
{
    m_wheelRest += event->angleDelta().y() / 120.0;
    if (std::abs(m_wheelRest) < 0.25)
        return;
    zoomAround(event->position().x(), std::pow(kZoomStep, m_wheelRest));
    m_wheelRest = 0;
}

bool ReviewGraph::event(QEvent* event)
{
    if (event->type() == QEvent::NativeGesture) {
        const auto* gesture = static_cast<QNativeGestureEvent*>(event);
        if (gesture->gestureType() == Qt::ZoomNativeGesture) {
            zoomAround(gesture->position().x(), 1 + gesture->value());
            return true;
        }
    } else if (event->type() == QEvent::Gesture) {
        auto* gestures = static_cast<QGestureEvent*>(event);
        if (auto* pinch = static_cast<QPinchGesture*>(gestures->gesture(Qt::PinchGesture))) {
            const QPointF at = mapFromGlobal(pinch->centerPoint());
            zoomAround(at.x(), pinch->scaleFactor());
            gestures->accept(pinch);
            return true;
        }
    }
    return QWidget::event(event);
}

void ReviewGraph::keyPressEvent(QKeyEvent* event)
{
    const bool control = event->modifiers() & Qt::ControlModifier;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const PlotView& view = m_plot.view();
    const double centre = m_plot.area().center().x();
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right: {
        const double direction = event->key() == Qt::Key_Left ? -1 : 1;
        if (!control) {
            pan(direction * 0.1);
            return;
        }
        // The reading line, moved by a hundredth of the view; with Shift it drags a selection.
        const double step = (view.toMs - view.fromMs) / 100;
        const double from = m_plot.reading.value_or((view.fromMs + view.toMs) / 2);
        const double to = std::clamp(from + direction * step, view.fromMs, view.toMs);
        if (shift) {
            if (!m_keyAnchor)
                m_keyAnchor = from;
            m_plot.selection = std::pair(*m_keyAnchor, to);
        } else {
            m_keyAnchor.reset();
        }
        m_plot.reading = to;
        update();
        return;
    }
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        zoomAround(m_plot.reading ? m_plot.xOf(*m_plot.reading) : centre, kZoomStep);
        return;
    case Qt::Key_Minus:
        zoomAround(m_plot.reading ? m_plot.xOf(*m_plot.reading) : centre, 1 / kZoomStep);
        return;
    case Qt::Key_Escape:
        m_plot.reading.reset();
        m_plot.selection.reset();
        m_keyAnchor.reset();
        update();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}
