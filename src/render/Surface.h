#pragma once

// The drawing surface: one raster image of the main window's picture area and one pen.
// Every coordinate is mapped to a whole pixel the same way (round half up) before drawing,
// so lines, boxes and points agree; a line paints both of its end pixels and a box both corners.
// The surface also remembers which pixels its operations changed since the picture was last
// shown, so that the view repaints only those.

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QRect>
#include <QRgb>
#include <QString>

class Surface {
public:
    static constexpr int kWidth = 529;    // 7935 twips
    static constexpr int kHeight = 425;   // 6375 twips
    static constexpr QRgb kBackground = qRgb(192, 192, 192);

    Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    // The operations the pictures are drawn with; each takes its colour explicitly.
    void Line(float x1, float y1, float x2, float y2, QRgb colour);
    void LineTo(float dx, float dy, QRgb colour);            // from the pen, relative
    void Box(float x1, float y1, float x2, float y2, QRgb colour);
    void FilledBox(float x1, float y1, float x2, float y2, QRgb colour);
    void Point(float x, float y, QRgb colour);
    void PointRelative(float dx, float dy, QRgb colour);
    void Circle(float cx, float cy, float radius, QRgb colour);
    // Writes a start-up text line at the pen in the surface font, black; the pen moves to the
    // left edge of the next line. An empty text writes nothing but still moves the pen.
    void PrintLine(const QString& text);

    QPointF pen() const { return m_pen; }
    void setPen(QPointF pen) { m_pen = pen; }

    // The picture as it stands; finishes any pending painting first.
    const QImage& image();
    QRgb pixel(int x, int y);   // for tests and export: the colour at a pixel

    // The rectangle (in surface pixels, inside the image) that holds every pixel changed since
    // the last takeChanged(); empty when nothing changed. Taking it starts a new one.
    QRect changed() const;
    QRect takeChanged();

    static QFont surfaceFont();
    static int PixelOf(float coordinate);   // round half up

private:
    QPainter& painter();
    void usePen(QRgb colour);
    // Paints the pixels [left, right] x [top, bottom], clipped to the image, straight into its
    // memory: the same pixels a one-pixel pen or a filled rectangle covers, without the
    // painter's per-call cost (the pictures are mostly marks, grid lines and boxes).
    void fillPixels(int left, int top, int right, int bottom, QRgb colour);
    // Adds the pixels [left, right] x [top, bottom], clipped to the image, to what changed.
    void touch(int left, int top, int right, int bottom);
    static bool ClipToImage(int& left, int& top, int& right, int& bottom);

    QImage m_image;
    QPainter m_painter;
    bool m_penSet = false;   // the painter's pen is a one-pixel pen of m_penColour
    QRgb m_penColour = 0;
    QPointF m_pen{0, 0};
    QFont m_font;
    int m_lineHeight;
    // What changed, as inclusive pixel bounds; left > right while nothing has.
    int m_changedLeft = 0;
    int m_changedTop = 0;
    int m_changedRight = -1;
    int m_changedBottom = -1;
};
