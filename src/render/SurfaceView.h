#pragma once

#include <QWidget>

class Surface;

// The widget at the drawing surface's place in the main window: it only paints the image,
// so the pictures survive being covered by another window. It can show the surface larger:
// at a scale of F each surface pixel covers F x F pixels of the view. It is opaque and paints
// only the region it is asked to, so a handler that changed a few pixels repaints a few pixels.
class SurfaceView : public QWidget {
    Q_OBJECT
public:
    SurfaceView(Surface& surface, QWidget* parent = nullptr);

    void setScale(double scale);
    double scale() const { return m_scale; }

    // The part of the view that shows these surface pixels, at the current scale.
    QRect viewRect(const QRect& surfaceRect) const;

    // Asks for a repaint of exactly what the surface changed since it was last shown; a
    // surface that changed nothing repaints nothing.
    void showChanges();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect surfaceRect(const QRect& viewRect) const;

    Surface& m_surface;
    double m_scale = 1;
};
