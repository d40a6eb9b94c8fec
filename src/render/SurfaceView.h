#pragma once

#include <QWidget>

class Surface;

// The widget at the drawing surface's place in the main window: it only paints the image,
// so the pictures survive being covered by another window.
class SurfaceView : public QWidget {
    Q_OBJECT
public:
    SurfaceView(Surface& surface, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Surface& m_surface;
};
