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
        m_painter.begin(&m_image);   // also makes the image's pixels ours alone
        m_painter.setRenderHint(QPainter::Antialiasing, false);
        m_penSet = false;
    }
    return m_painter;
}

void Surface::usePen(QRgb colour)
{
    QPainter& p = painter();
    if (m_penSet && m_penColour == colour)
        return;
    p.setPen(QPen(QColor::fromRgb(colour), 0));   // cosmetic one-pixel pen, square end caps
    m_penSet = true;
    m_penColour = colour;
}

void Surface::fillPixels(int left, int top, int right, int bottom, QRgb colour)
{
    painter();   // the painter is open from here on, so the pixels are not shared with a copy
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, kWidth - 1);
    bottom = std::min(bottom, kHeight - 1);
    if (left > right || top > bottom)
        return;
    const QRgb value = colour | 0xff000000u;   // how an RGB32 image stores an opaque colour
    for (int y = top; y <= bottom; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(m_image.scanLine(y));
        std::fill(line + left, line + right + 1, value);
    }
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
    const QPoint from(PixelOf(x1), PixelOf(y1));
    const QPoint to(PixelOf(x2), PixelOf(y2));
    if (from.x() == to.x() || from.y() == to.y()) {
        // Level and upright lines cover every pixel between their ends, both ends included.
        fillPixels(std::min(from.x(), to.x()), std::min(from.y(), to.y()),
                   std::max(from.x(), to.x()), std::max(from.y(), to.y()), colour);
    } else {
        usePen(colour);
        painter().drawLine(from, to);
    }
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
    // The outline covers left..right and top..bottom inclusive, like a one-pixel pen's rectangle.
    fillPixels(left, top, right, top, colour);
    fillPixels(left, bottom, right, bottom, colour);
    fillPixels(left, top, left, bottom, colour);
    fillPixels(right, top, right, bottom, colour);
    m_pen = QPointF(x2, y2);
}

void Surface::FilledBox(float x1, float y1, float x2, float y2, QRgb colour)
{
    fillPixels(std::min(PixelOf(x1), PixelOf(x2)), std::min(PixelOf(y1), PixelOf(y2)),
               std::max(PixelOf(x1), PixelOf(x2)), std::max(PixelOf(y1), PixelOf(y2)), colour);
    m_pen = QPointF(x2, y2);
}

void Surface::Point(float x, float y, QRgb colour)
{
    const int px = PixelOf(x);
    const int py = PixelOf(y);
    fillPixels(px, py, px, py, colour);
    m_pen = QPointF(x, y);
}

void Surface::PointRelative(float dx, float dy, QRgb colour)
{
    Point(float(m_pen.x() + dx), float(m_pen.y() + dy), colour);
}

void Surface::Circle(float cx, float cy, float radius, QRgb colour)
{
    const int r = PixelOf(radius);
    usePen(colour);
    QPainter& p = painter();
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
        m_penSet = false;
        const QPoint topLeft(PixelOf(float(m_pen.x())), PixelOf(float(m_pen.y())));
        p.drawText(QRect(topLeft, QSize(kWidth * 4, m_lineHeight)),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    }
    m_pen = QPointF(0, m_pen.y() + m_lineHeight);
}
