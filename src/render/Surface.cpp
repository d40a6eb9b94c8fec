#include "render/Surface.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Coordinates far outside the image are held to a band around it, so a wild value from a
// limit that makes no sense still draws (clipped) instead of overflowing an int.
constexpr float kCoordinateLimit = 100000.0f;

} // namespace

int Surface::PixelOf(float coordinate)
{
    if (std::isnan(coordinate))
        return 0;
    const float held = std::clamp(coordinate, -kCoordinateLimit, kCoordinateLimit);
    return static_cast<int>(std::floor(held + 0.5f));
}

QFont Surface::surfaceFont()
{
    QFont font(QStringLiteral("ＭＳ ゴシック"));
    font.setPointSizeF(9.75);
    font.setWeight(QFont::Normal);
    font.setStyleStrategy(QFont::NoAntialias);   // crisp text, like every other stroke here
    return font;
}

Surface::Surface()
    : m_image(kWidth, kHeight, QImage::Format_RGB32)
    , m_font(surfaceFont())
    , m_lineHeight(QFontMetrics(m_font).height())
{
    m_image.fill(kBackground);
}

QPainter& Surface::painter()
{
    if (!m_painter.isActive()) {
        m_painter.begin(&m_image);
        m_painter.setRenderHint(QPainter::Antialiasing, false);
    }
    return m_painter;
}

const QImage& Surface::image()
{
    if (m_painter.isActive())
        m_painter.end();
    return m_image;
}

QRgb Surface::pixel(int x, int y)
{
    const QImage& picture = image();
    if (!picture.valid(x, y))
        return 0;
    return picture.pixel(x, y) | 0xff000000u;
}

void Surface::Line(float x1, float y1, float x2, float y2, QRgb colour)
{
    QPainter& p = painter();
    p.setPen(QPen(QColor::fromRgb(colour), 0));   // cosmetic one-pixel pen, square end caps
    p.drawLine(QPoint(PixelOf(x1), PixelOf(y1)), QPoint(PixelOf(x2), PixelOf(y2)));
    m_pen = QPointF(x2, y2);
}

void Surface::LineTo(float dx, float dy, QRgb colour)
{
    const QPointF from = m_pen;
    Line(float(from.x()), float(from.y()), float(from.x() + dx), float(from.y() + dy), colour);
}

void Surface::Box(float x1, float y1, float x2, float y2, QRgb colour)
{
    const int left = std::min(PixelOf(x1), PixelOf(x2));
    const int right = std::max(PixelOf(x1), PixelOf(x2));
    const int top = std::min(PixelOf(y1), PixelOf(y2));
    const int bottom = std::max(PixelOf(y1), PixelOf(y2));
    QPainter& p = painter();
    p.setPen(QPen(QColor::fromRgb(colour), 0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(left, top, right - left, bottom - top);   // outline covers left..right inclusive
    m_pen = QPointF(x2, y2);
}

void Surface::FilledBox(float x1, float y1, float x2, float y2, QRgb colour)
{
    const QRect area(QPoint(std::min(PixelOf(x1), PixelOf(x2)), std::min(PixelOf(y1), PixelOf(y2))),
                     QPoint(std::max(PixelOf(x1), PixelOf(x2)), std::max(PixelOf(y1), PixelOf(y2))));
    painter().fillRect(area, QColor::fromRgb(colour));
    m_pen = QPointF(x2, y2);
}

void Surface::Point(float x, float y, QRgb colour)
{
    const int px = PixelOf(x);
    const int py = PixelOf(y);
    painter().fillRect(QRect(px, py, 1, 1), QColor::fromRgb(colour));
    m_pen = QPointF(x, y);
}

void Surface::PointRelative(float dx, float dy, QRgb colour)
{
    Point(float(m_pen.x() + dx), float(m_pen.y() + dy), colour);
}

void Surface::Circle(float cx, float cy, float radius, QRgb colour)
{
    const int r = PixelOf(radius);
    QPainter& p = painter();
    p.setPen(QPen(QColor::fromRgb(colour), 0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPoint(PixelOf(cx), PixelOf(cy)), r, r);
    m_pen = QPointF(cx, cy);
}

void Surface::PrintLine(const QString& text)
{
    if (!text.isEmpty()) {
        QPainter& p = painter();
        p.setFont(m_font);
        p.setPen(QColor(Qt::black));
        const QPoint topLeft(PixelOf(float(m_pen.x())), PixelOf(float(m_pen.y())));
        p.drawText(QRect(topLeft, QSize(kWidth * 4, m_lineHeight)),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    }
    m_pen = QPointF(0, m_pen.y() + m_lineHeight);
}
