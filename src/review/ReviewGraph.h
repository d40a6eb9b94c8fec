#pragma once

// The graph of the review window and the ways to read it: the pointer shows the reading line,
// dragging selects a stretch, the wheel or a pinch zooms the time axis around the pointer,
// dragging with the right button pans. By keyboard: ← → pan, + - zoom, Ctrl+← → move the
// reading line, Ctrl+Shift+← → select from it, Escape clears both (Ctrl+0, showing everything,
// is the window's command).

#include "review/ComparisonPlot.h"

#include <QWidget>

#include <optional>

class ReviewGraph : public QWidget {
    Q_OBJECT
public:
    explicit ReviewGraph(QWidget* parent = nullptr);

    ComparisonPlot& plot() { return m_plot; }
    const ComparisonPlot& plot() const { return m_plot; }

    // The whole of every shown run, now and as the runs change, until the view is zoomed or
    // panned.
    void showAll();
    bool showsAll() const { return m_showsAll; }
    // The runs or the time axis changed: the view follows when it shows everything.
    void runsChanged();
    // Zooms the time axis by `factor` (> 1: closer) around the point at `x`.
    void zoomAround(double x, double factor);
    void pan(double fractionOfWidth);

    // The graph as a picture, `width` pixels wide (the same text and proportions as shown).
    QImage picture(int width);

signals:
    void viewChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    void setSpan(double fromMs, double toMs);

    ComparisonPlot m_plot;
    bool m_showsAll = true;
    std::optional<double> m_pressAt;     // left button: where the selection began
    std::optional<QPointF> m_panFrom;    // right button: where the pan was last moved to
    std::optional<double> m_keyAnchor;   // Ctrl+Shift selection: the fixed end
    double m_wheelRest = 0;              // wheel turns smaller than a notch, kept
};
