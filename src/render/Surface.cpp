#include "render/Surface.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>
#include <cstdlib>
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
    touch(0, 0, kWidth - 1, kHeight - 1);   // nothing of the new picture has been shown yet
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

// Cuts the pixels [left, right] x [top, bottom] down to the image; false when none is inside.
bool Surface::ClipToImage(int& left, int& top, int& right, int& bottom)
{
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, kWidth - 1);
    bottom = std::min(bottom, kHeight - 1);
    return left <= right && top <= bottom;
}

void Surface::fillPixels(int left, int top, int right, int bottom, QRgb colour)
{
    // No painter needed: scanLine() makes the pixels ours alone if a copy of the picture shares
    // them, and a painter that is open has made them ours already (image() closes it before
    // anyone can copy). A recording tick that only draws level steps begins no painter.
    if (!ClipToImage(left, top, right, bottom))
        return;
    touch(left, top, right, bottom);
    const QRgb value = colour | 0xff000000u;   // how an RGB32 image stores an opaque colour
    for (int y = top; y <= bottom; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(m_image.scanLine(y));
        std::fill(line + left, line + right + 1, value);
    }
}

void Surface::touch(int left, int top, int right, int bottom)
{
    if (!ClipToImage(left, top, right, bottom))
        return;
    if (m_changedLeft > m_changedRight) {
        m_changedLeft = left;
        m_changedTop = top;
        m_changedRight = right;
        m_changedBottom = bottom;
        return;
    }
    m_changedLeft = std::min(m_changedLeft, left);
    m_changedTop = std::min(m_changedTop, top);
    m_changedRight = std::max(m_changedRight, right);
    m_changedBottom = std::max(m_changedBottom, bottom);
}

QRect Surface::changed() const
{
    if (m_changedLeft > m_changedRight)
        return {};
    return QRect(QPoint(m_changedLeft, m_changedTop), QPoint(m_changedRight, m_changedBottom));
}

QRect Surface::takeChanged()
{
    const QRect taken = changed();
    m_changedLeft = 0;
    m_changedTop = 0;
    m_changedRight = -1;
    m_changedBottom = -1;
    return taken;
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
        // The painter's own line rule decides the pixels; a pixel of margin holds them all.
        touch(std::min(from.x(), to.x()) - 1, std::min(from.y(), to.y()) - 1,
              std::max(from.x(), to.x()) + 1, std::max(from.y(), to.y()) + 1);
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
    const QPoint centre(PixelOf(cx), PixelOf(cy));
    usePen(colour);
    QPainter& p = painter();
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, r, r);
    const int reach = std::abs(r) + 1;
    touch(centre.x() - reach, centre.y() - reach, centre.x() + reach, centre.y() + reach);
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
        // Glyphs may reach a little past their line; a line of margin either side holds them.
        touch(0, topLeft.y() - m_lineHeight, kWidth - 1, topLeft.y() + 2 * m_lineHeight);
    }
    m_pen = QPointF(0, m_pen.y() + m_lineHeight);
}
