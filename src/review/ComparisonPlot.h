#pragma once

// The graph of the compared runs, drawn with QPainter for whatever pixels it is given: the
// frame and axes, each shown run's temperature (solid) and pressure (dashed) in its colour, the
// alerts marked on their curves, a legend; over that the reading line with every run's values,
// and a selected stretch with each run's statistics and least-squares line. The curves are
// drawn from each run reduced to the pixel columns once per view; moving the reading line only
// draws the overlay on a kept picture.

#include "run/RunColumns.h"
#include "run/RunStatistics.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>

#include <array>
#include <memory>
#include <optional>
#include <vector>

class QPainter;

struct PlotRun {
    std::shared_ptr<RunSeries> series;
    QString name;
    QColor colour;
    bool visible = true;
};

struct PlotView {
    double fromMs = 0;   // the time axis: since each run's start, or the time of day
    double toMs = 60000;
    bool clockTime = false;
    bool pressure = true;
};

class ComparisonPlot {
public:
    std::vector<PlotRun>& runs() { return m_runs; }
    const std::vector<PlotRun>& runs() const { return m_runs; }
    PlotView& view() { return m_view; }
    const PlotView& view() const { return m_view; }

    // Where a run's sample lies on the time axis.
    double offsetOf(const RunSeries& series) const;
    // The time axis covering every shown run (a minute when there is none).
    std::pair<double, double> wholeSpan() const;

    // The reading line and the selection, in time-axis milliseconds.
    std::optional<double> reading;
    std::optional<std::pair<double, double>> selection;

    // Draws into `size` logical pixels of a painter that maps them to `pixelRatio` device pixels
    // each; `font` is the text at the window's zoom.
    void paint(QPainter& painter, QSizeF size, double pixelRatio, const QFont& font);
    // The same, kept as a picture until the view, the runs or the size change (the window's way).
    void paintKept(QPainter& painter, QSize size, double pixelRatio, const QFont& font);

    // The plot area of the last paint, and the mapping of its x to the time axis.
    QRectF area() const { return m_area; }
    double msAt(double x) const;
    double xOf(double ms) const;
    // The alert messages of the mark near `point`, if any.
    QStringList alertsNear(QPointF point) const;

private:
    struct Scale {
        double low = 0;
        double high = 1;
    };
    struct AlertMark {
        QPointF at;
        QStringList messages;
    };
    void layOut(QSizeF size, const QFont& font);
    void findScales();
    void paintBase(QPainter& painter, double pixelRatio, const QFont& font);
    void paintAxes(QPainter& painter, const QFont& font);
    void paintCurve(QPainter& painter, const PlotRun& run, RunChannel channel, double pixelRatio);
    void paintDenseCurve(QPainter& painter, const PlotRun& run, RunChannel channel,
                         const std::vector<ColumnSpan>& spans, double pixelRatio);
    void paintAlerts(QPainter& painter, const PlotRun& run);
    void paintLegend(QPainter& painter, const QFont& font);
    void paintOverlay(QPainter& painter, const QFont& font);
    void paintSelection(QPainter& painter, const QFont& font);
    void paintReading(QPainter& painter, const QFont& font);
    double yOf(double value, RunChannel channel) const;
    QByteArray baseKey(QSize size, double pixelRatio, const QFont& font) const;

    std::vector<PlotRun> m_runs;
    PlotView m_view;
    QSizeF m_size;
    QRectF m_area;
    double m_unit = 10;   // the text's height, which every margin follows
    Scale m_temperature;
    Scale m_pressure;
    bool m_showsPressure = false;
    std::vector<AlertMark> m_alerts;
    QImage m_kept;
    QByteArray m_keptKey;
    // Statistics of the selection per run (temperature, pressure), for the key they were made for.
    std::vector<std::array<std::optional<StretchStatistics>, 2>> m_statistics;
    QByteArray m_statisticsKey;
};
