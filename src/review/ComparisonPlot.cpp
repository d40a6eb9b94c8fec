#include "review/ComparisonPlot.h"

#include "review/PlotAxes.h"

#include <QDataStream>
#include <QFontMetricsF>
#include <QIODevice>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace {

constexpr QRgb kGrid = 0xFFE0E0E0;
constexpr QRgb kAxisText = 0xFF303030;
constexpr int kMostAlertMarks = 400;   // per run and view: more would only hide the curve

QString ValueText(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

QString SignedText(double value, int decimals)
{
    return (value >= 0 ? QStringLiteral("+") : QString()) + ValueText(value, decimals);
}

// A box of text lines with a white ground, kept inside `bounds`.
void PaintNote(QPainter& painter, QPointF at, const QStringList& lines, const QList<QColor>& colours,
               const QRectF& bounds, const QFont& font)
{
    if (lines.isEmpty())
        return;
    const QFontMetricsF metrics(font);
    double width = 0;
    for (const QString& line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    const double pad = metrics.height() / 3;
    QRectF box(at, QSizeF(width + 2 * pad, lines.size() * metrics.height() + 2 * pad));
    if (box.right() > bounds.right())
        box.moveRight(at.x() - 2 * pad);   // to the left of the line it reads
    if (box.left() < bounds.left())
        box.moveLeft(bounds.left());
    if (box.bottom() > bounds.bottom())
        box.moveBottom(bounds.bottom());
    painter.setPen(QPen(QColor(0x90, 0x90, 0x90), 1));
    painter.setBrush(QColor(255, 255, 255, 235));
    painter.drawRect(box);
    painter.setFont(font);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        painter.setPen(i < colours.size() ? colours[i] : QColor(kAxisText));
        painter.drawText(QPointF(box.left() + pad, box.top() + pad + metrics.ascent() + i * metrics.height()), lines[i]);
    }
}

// A long antialiased polyline in pieces of a few dozen points: the painter fills a stroked
// path over its whole bounding box, so one path across the graph costs a hundred times more
// than the same line in short pieces.
void DrawPolylineInPieces(QPainter& painter, const QPolygonF& line)
{
    constexpr qsizetype kPiece = 32;
    for (qsizetype from = 0; from + 1 < line.size(); from += kPiece)
        painter.drawPolyline(line.constData() + from, static_cast<int>(std::min(kPiece + 1, line.size() - from)));
}

}   // namespace

double ComparisonPlot::offsetOf(const RunSeries& series) const
{
    return m_view.clockTime ? static_cast<double>(series.startTimeOfDayMs().value_or(0)) : 0.0;
}

std::pair<double, double> ComparisonPlot::wholeSpan() const
{
    double from = 0;
    double to = 0;
    bool any = false;
    for (const PlotRun& run : m_runs) {
        if (!run.visible || !run.series || run.series->empty())
            continue;
        const double start = offsetOf(*run.series);
        const double end = start + static_cast<double>(run.series->durationMs());
        from = any ? std::min(from, start) : start;
        to = any ? std::max(to, end) : end;
        any = true;
    }
    if (to - from < 1000)
        to = from + 60000;
    return {from, to};
}

double ComparisonPlot::msAt(double x) const
{
    return m_view.fromMs + (x - m_area.left()) / std::max(1.0, m_area.width()) * (m_view.toMs - m_view.fromMs);
}

double ComparisonPlot::xOf(double ms) const
{
    return m_area.left() + (ms - m_view.fromMs) / (m_view.toMs - m_view.fromMs) * m_area.width();
}

double ComparisonPlot::yOf(double value, RunChannel channel) const
{
    const Scale& scale = channel == RunChannel::Temperature ? m_temperature : m_pressure;
    return m_area.bottom() - (value - scale.low) / (scale.high - scale.low) * m_area.height();
}

QStringList ComparisonPlot::alertsNear(QPointF point) const
{
    const double reach = m_unit * 0.8;
    for (const AlertMark& mark : m_alerts)
        if (std::abs(mark.at.x() - point.x()) <= reach && std::abs(mark.at.y() - point.y()) <= reach)
            return mark.messages;
    return {};
}

void ComparisonPlot::layOut(QSizeF size, const QFont& font)
{
    m_size = size;
    const QFontMetricsF metrics(font);
    m_unit = metrics.height();
    m_showsPressure = m_view.pressure && std::any_of(m_runs.begin(), m_runs.end(), [](const PlotRun& run) {
                          return run.visible && run.series && run.series->hasChannel(RunChannel::Pressure);
                      });
    const double side = metrics.horizontalAdvance(QStringLiteral("-1000.0")) + m_unit;
    m_area = QRectF(QPointF(side, 2.8 * m_unit),
                    QPointF(size.width() - (m_showsPressure ? side : m_unit), size.height() - 2.6 * m_unit));
    if (m_area.width() < 10 || m_area.height() < 10)
        m_area = QRectF(QPointF(0, 0), size);
    if (!(m_view.toMs > m_view.fromMs))
        m_view.toMs = m_view.fromMs + 1000;
}

void ComparisonPlot::findScales()
{
    std::array<std::pair<float, float>, 2> found{{{NAN, NAN}, {NAN, NAN}}};
    for (const PlotRun& run : m_runs) {
        if (!run.visible || !run.series)
            continue;
        const RunSeries& series = *run.series;
        const double offset = offsetOf(series);
        const qsizetype from = series.indexAtOrAfter(static_cast<qint64>(std::floor(m_view.fromMs - offset)));
        const qsizetype to = series.indexAtOrAfter(static_cast<qint64>(std::ceil(m_view.toMs - offset)) + 1);
        for (int c = 0; c < 2; ++c) {
            const auto [low, high] = series.range(from, to, RunChannel(c));
            if (!std::isnan(low)) {
                found[size_t(c)].first = std::isnan(found[size_t(c)].first) ? low : std::min(found[size_t(c)].first, low);
                found[size_t(c)].second = std::isnan(found[size_t(c)].second) ? high : std::max(found[size_t(c)].second, high);
            }
        }
    }
    const auto scaleOf = [](std::pair<float, float> range, double fallbackLow, double fallbackHigh, double least) {
        if (std::isnan(range.first))
            return Scale{fallbackLow, fallbackHigh};
        double low = range.first;
        double high = range.second;
        if (high - low < least) {
            const double middle = (low + high) / 2;
            low = middle - least / 2;
            high = middle + least / 2;
        }
        const double pad = (high - low) * 0.06;
        return Scale{low - pad, high + pad};
    };
    m_temperature = scaleOf(found[0], 0, 40, 1.0);
    m_pressure = scaleOf(found[1], 990, 1030, 2.0);
}

QByteArray ComparisonPlot::baseKey(QSize size, double pixelRatio, const QFont& font) const
{
    QByteArray key;
    QDataStream out(&key, QIODevice::WriteOnly);
    out << size << pixelRatio << font.toString() << m_view.fromMs << m_view.toMs << m_view.clockTime << m_view.pressure;
    for (const PlotRun& run : m_runs)
        out << quintptr(run.series.get()) << qint64(run.series ? run.series->size() : 0) << run.name << run.colour
            << run.visible;
    return key;
}

void ComparisonPlot::paintKept(QPainter& painter, QSize size, double pixelRatio, const QFont& font)
{
    const QByteArray key = baseKey(size, pixelRatio, font);
    if (key != m_keptKey || m_kept.isNull()) {
        m_kept = QImage((QSizeF(size) * pixelRatio).toSize(), QImage::Format_RGB32);
        m_kept.setDevicePixelRatio(pixelRatio);
        QPainter base(&m_kept);
        layOut(size, font);
        findScales();
        paintBase(base, pixelRatio, font);
        m_keptKey = key;
    }
    painter.drawImage(QPointF(0, 0), m_kept);
    paintOverlay(painter, font);
}

void ComparisonPlot::paint(QPainter& painter, QSizeF size, double pixelRatio, const QFont& font)
{
    layOut(size, font);
    findScales();
    paintBase(painter, pixelRatio, font);
    paintOverlay(painter, font);
}

void ComparisonPlot::paintBase(QPainter& painter, double pixelRatio, const QFont& font)
{
    painter.fillRect(QRectF(QPointF(0, 0), m_size), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing, true);
    paintAxes(painter, font);
    m_alerts.clear();
    painter.save();
    painter.setClipRect(m_area.adjusted(-1, -1, 1, 1));
    for (const PlotRun& run : m_runs) {
        if (!run.visible || !run.series)
            continue;
        paintCurve(painter, run, RunChannel::Temperature, pixelRatio);
        if (m_showsPressure)
            paintCurve(painter, run, RunChannel::Pressure, pixelRatio);
        paintAlerts(painter, run);
    }
    painter.restore();
    paintLegend(painter, font);
}

void ComparisonPlot::paintAxes(QPainter& painter, const QFont& font)
{
    const QFontMetricsF metrics(font);
    painter.setFont(font);
    const int most = std::max(2, static_cast<int>(m_area.height() / (m_unit * 2.2)));
    for (int c = 0; c < (m_showsPressure ? 2 : 1); ++c) {
        const RunChannel channel = RunChannel(c);
        const Scale& scale = c == 0 ? m_temperature : m_pressure;
        const std::vector<double> ticks = ValueTicks(scale.low, scale.high, most);
        const int decimals = ticks.size() > 1 ? TickDecimals(ticks[1] - ticks[0]) : 0;
        for (const double v : ticks) {
            const double y = yOf(v, channel);
            if (c == 0) {
                painter.setPen(QPen(QColor(kGrid), 1));
                painter.drawLine(QPointF(m_area.left(), y), QPointF(m_area.right(), y));
            }
            painter.setPen(QColor(kAxisText));
            const QString text = ValueText(v, decimals);
            const double x = c == 0 ? m_area.left() - m_unit * 0.3 - metrics.horizontalAdvance(text) : m_area.right() + m_unit * 0.3;
            painter.drawText(QPointF(x, y + metrics.ascent() / 2 - metrics.descent() / 2), text);
        }
    }
    painter.setPen(QColor(kAxisText));
    painter.drawText(QPointF(m_unit * 0.3, m_area.top() - m_unit * 0.4), QStringLiteral("温度(℃)"));
    if (m_showsPressure) {
        const QString title = QStringLiteral("気圧(hPa) - - -");
        painter.drawText(QPointF(m_size.width() - metrics.horizontalAdvance(title) - m_unit * 0.3, m_area.top() - m_unit * 0.4),
                         title);
    }

    const int mostTimes = std::max(2, static_cast<int>(m_area.width() / (m_unit * 6)));
    const std::vector<double> times = TimeTicks(m_view.fromMs, m_view.toMs, mostTimes);
    const double step = times.size() > 1 ? times[1] - times[0] : m_view.toMs - m_view.fromMs;
    for (const double t : times) {
        const double x = xOf(t);
        painter.setPen(QPen(QColor(kGrid), 1));
        painter.drawLine(QPointF(x, m_area.top()), QPointF(x, m_area.bottom()));
        painter.setPen(QColor(kAxisText));
        const QString text = TimeText(t, step, m_view.clockTime);
        painter.drawText(QPointF(x - metrics.horizontalAdvance(text) / 2, m_area.bottom() + m_unit * 1.1), text);
    }
    const QString title = m_view.clockTime ? QStringLiteral("時刻") : QStringLiteral("スタートからの時間");
    painter.drawText(QPointF(m_area.center().x() - metrics.horizontalAdvance(title) / 2, m_size.height() - m_unit * 0.3), title);
    painter.setPen(QPen(QColor(0xFF808080), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(m_area);
}

void ComparisonPlot::paintCurve(QPainter& painter, const PlotRun& run, RunChannel channel, double pixelRatio)
{
    const RunSeries& series = *run.series;
    const double offset = offsetOf(series);
    const int columns = std::max(1, static_cast<int>(std::lround(m_area.width() * pixelRatio)));
    const double msPerColumn = (m_view.toMs - m_view.fromMs) / columns;
    const std::vector<ColumnSpan> spans = ReduceToColumns(series, channel, {m_view.fromMs - offset, msPerColumn, columns});
    const qsizetype shown = series.indexAtOrAfter(static_cast<qint64>(std::ceil(m_view.toMs - offset)))
        - series.indexAtOrAfter(static_cast<qint64>(std::ceil(m_view.fromMs - offset)));
    if (shown >= columns) {
        paintDenseCurve(painter, run, channel, spans, pixelRatio);
        return;
    }

    // Temperature solid, pressure dashed: told apart without colour. Both pens are one device
    // pixel wide, which the painter strokes itself; a wider antialiased pen is stroked as a
    // path, ten times the cost for a dense curve.
    QPen pen(run.colour, 1, channel == RunChannel::Temperature ? Qt::SolidLine : Qt::DashLine, Qt::FlatCap);
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);

    // The curve joins each column's first value to the one before's last; the lowest to highest
    // of a column are a filled strip, which costs the painter far less than a line going up and
    // down in every column.
    QPolygonF line;
    std::vector<QRect> strips;   // in device pixels: x, top, 1, height
    const auto pointOf = [&](qsizetype i) {
        return QPointF(xOf(static_cast<double>(series.timeMs(i)) + offset), yOf(*series.value(i, channel), channel));
    };
    const auto flush = [&] {
        if (line.size() == 1 || std::all_of(line.begin(), line.end(), [&](QPointF p) { return p == line.front(); }))
            painter.drawPoint(line.front());   // a lone sample, drawn as a dot
        else
            DrawPolylineInPieces(painter, line);
        // The temperature again, shifted by most of a device pixel across and down: a line about
        // two pixels wide, bold enough for a projector, at the one-pixel pen's cost.
        if (channel == RunChannel::Temperature) {
            for (const QPointF shift : {QPointF(0.7, 0), QPointF(0, 0.7)}) {
                const QPolygonF moved = line.translated(shift / pixelRatio);
                if (moved.size() == 1)
                    painter.drawPoint(moved.front());
                else
                    DrawPolylineInPieces(painter, moved);
            }
        }
        line.clear();
    };
    qsizetype previous = -1;
    for (int c = 0; c < columns; ++c) {
        const ColumnSpan& span = spans[size_t(c)];
        if (!span.measured())
            continue;
        const double x = m_area.left() + (c + 0.5) / pixelRatio;
        if (previous < 0) {
            // Joined to the sample just before the view, off its left edge.
            const qsizetype before = span.first - 1;
            if (before >= 0 && series.value(before, channel) && series.joined(before, span.first))
                line << pointOf(before);
        } else if (!series.joined(previous, span.first)) {
            flush();
        }
        const int top = static_cast<int>(std::floor(yOf(span.high, channel) * pixelRatio));
        const int bottom = static_cast<int>(std::ceil(yOf(span.low, channel) * pixelRatio));
        if (bottom - top > 1)
            strips.emplace_back(static_cast<int>(std::floor(x * pixelRatio)), top, 1, bottom - top);
        line << QPointF(x, yOf(*series.value(span.first, channel), channel));
        if (span.last != span.first)
            line << QPointF(x, yOf(*series.value(span.last, channel), channel));
        previous = span.last;
    }
    if (previous >= 0) {
        const qsizetype after = previous + 1;
        if (after < series.size() && series.value(after, channel) && series.joined(previous, after))
            line << pointOf(after);
        flush();
    }
    // Whole device pixels, unsmoothed: each column's strip is exact.
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const QRect& strip : strips)
        painter.fillRect(QRectF(strip.x() / pixelRatio, strip.y() / pixelRatio, 1 / pixelRatio, strip.height() / pixelRatio),
                         run.colour);
    painter.setRenderHint(QPainter::Antialiasing, true);
}

void ComparisonPlot::paintDenseCurve(QPainter& painter, const PlotRun& run, RunChannel channel,
                                     const std::vector<ColumnSpan>& spans, double pixelRatio)
{
    // A sample or more in every column: the curve is one upright strip per device pixel column,
    // from the lowest to the highest value there and to the last value of the column before,
    // filled in one call. Stroking the same curve as a line costs several times more, and at
    // this density the two look alike. The temperature is two columns wide, bold enough for a
    // projector; the pressure one, its level stretches in dashes of a few columns.
    const RunSeries& series = *run.series;
    const bool temperature = channel == RunChannel::Temperature;
    const int width = temperature ? 2 : 1;
    constexpr int kDash = 6;
    const int left = static_cast<int>(std::floor(m_area.left() * pixelRatio));
    std::vector<QRect> strips;   // in device pixels
    strips.reserve(spans.size());
    QVector<QLineF> bridges;   // over columns that hold no sample of an unbroken line
    qsizetype previous = -1;
    int previousColumn = -1;
    for (int c = 0; c < static_cast<int>(spans.size()); ++c) {
        const ColumnSpan& span = spans[size_t(c)];
        if (!span.measured())
            continue;
        float low = span.low;
        float high = span.high;
        const double x = (left + c) / pixelRatio;
        if (previous >= 0 && series.joined(previous, span.first)) {
            const float last = *series.value(previous, channel);
            if (previousColumn == c - 1) {
                low = std::min(low, last);
                high = std::max(high, last);
            } else {
                bridges << QLineF((left + previousColumn) / pixelRatio, yOf(last, channel), x,
                                  yOf(*series.value(span.first, channel), channel));
            }
        }
        previous = span.last;
        previousColumn = c;
        const int top = static_cast<int>(std::floor(yOf(high, channel) * pixelRatio));
        const int bottom = std::max(top + 1, static_cast<int>(std::ceil(yOf(low, channel) * pixelRatio)));
        if (!temperature && (c / kDash) % 2 == 1 && bottom - top <= 1)
            continue;   // the gaps of the dashes, never in a rise or fall
        strips.emplace_back(left + c, top, width, bottom - top);
    }
    if (!bridges.isEmpty()) {
        QPen pen(run.colour, temperature ? 2 : 1);
        pen.setCosmetic(true);
        painter.setPen(pen);
        painter.drawLines(bridges);
    }
    // Whole device pixels: the painter's own fill of untransformed rectangles, its fastest.
    painter.save();
    painter.setWorldTransform(QTransform::fromScale(1 / pixelRatio, 1 / pixelRatio), true);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(run.colour);
    painter.drawRects(strips.data(), static_cast<int>(strips.size()));
    painter.restore();
}

void ComparisonPlot::paintAlerts(QPainter& painter, const PlotRun& run)
{
    const RunSeries& series = *run.series;
    const double offset = offsetOf(series);
    const qsizetype from = series.indexAtOrAfter(static_cast<qint64>(std::floor(m_view.fromMs - offset)));
    const qsizetype to = series.indexAtOrAfter(static_cast<qint64>(std::ceil(m_view.toMs - offset)) + 1);
    const auto& alerts = series.alerts();
    auto alert = std::lower_bound(alerts.begin(), alerts.end(), from, [](const auto& a, qsizetype i) { return a.first < i; });
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(run.colour);
    const double size = m_unit * 0.45;
    for (int drawn = 0; alert != alerts.end() && alert->first < to && drawn < kMostAlertMarks; ++alert, ++drawn) {
        const qsizetype i = alert->first;
        std::optional<float> value = series.sample(i).temperature();
        RunChannel channel = RunChannel::Temperature;
        if (!value) {
            value = series.sample(i).pressure();
            channel = RunChannel::Pressure;
        }
        const double x = xOf(static_cast<double>(series.timeMs(i)) + offset);
        const double y = value ? std::clamp(yOf(*value, channel), m_area.top(), m_area.bottom()) : m_area.top();
        // A small triangle pointing down at the sample.
        const QPointF tip(x, y - size * 0.3);
        painter.drawPolygon(QPolygonF{tip, tip + QPointF(-size, -1.7 * size), tip + QPointF(size, -1.7 * size)});
        m_alerts.push_back({tip + QPointF(0, -size), alert->second});
    }
}

void ComparisonPlot::paintLegend(QPainter& painter, const QFont& font)
{
    const QFontMetricsF metrics(font);
    painter.setFont(font);
    double x = m_area.left();
    const double y = m_unit * 1.1;
    for (const PlotRun& run : m_runs) {
        if (!run.visible || !run.series || run.series->empty())
            continue;
        const double width = m_unit * 1.6 + metrics.horizontalAdvance(run.name) + m_unit;
        if (x + width > m_size.width() && x > m_area.left())
            break;
        painter.setPen(QPen(run.colour, m_unit * 0.3, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QPointF(x, y - metrics.ascent() / 3), QPointF(x + m_unit * 1.2, y - metrics.ascent() / 3));
        painter.setPen(QColor(kAxisText));
        painter.drawText(QPointF(x + m_unit * 1.6, y), run.name);
        x += width;
    }
}

void ComparisonPlot::paintOverlay(QPainter& painter, const QFont& font)
{
    painter.setRenderHint(QPainter::Antialiasing, true);
    paintSelection(painter, font);
    paintReading(painter, font);
}

void ComparisonPlot::paintSelection(QPainter& painter, const QFont& font)
{
    if (!selection)
        return;
    const double from = std::min(selection->first, selection->second);
    const double to = std::max(selection->first, selection->second);
    const QRectF band(QPointF(std::max(xOf(from), m_area.left()), m_area.top()),
                      QPointF(std::min(xOf(to), m_area.right()), m_area.bottom()));
    painter.fillRect(band, QColor(0, 114, 178, 28));

    QByteArray key;
    QDataStream(&key, QIODevice::WriteOnly) << from << to << m_keptKey;
    if (key != m_statisticsKey) {
        m_statistics.clear();
        for (const PlotRun& run : m_runs) {
            auto& both = m_statistics.emplace_back();
            if (!run.visible || !run.series)
                continue;
            const double offset = offsetOf(*run.series);
            for (int c = 0; c < 2; ++c)
                both[size_t(c)] = StatisticsOf(*run.series, RunChannel(c), static_cast<qint64>(std::ceil(from - offset)),
                                               static_cast<qint64>(std::floor(to - offset)));
        }
        m_statisticsKey = key;
    }

    QStringList lines;
    QList<QColor> colours;
    painter.save();
    painter.setClipRect(m_area);
    for (size_t r = 0; r < m_runs.size() && r < m_statistics.size(); ++r) {
        const PlotRun& run = m_runs[r];
        for (int c = 0; c < (m_showsPressure ? 2 : 1); ++c) {
            const auto& s = m_statistics[r][size_t(c)];
            if (!s)
                continue;
            const RunChannel channel = RunChannel(c);
            const double offset = offsetOf(*run.series);
            QPen pen(run.colour.darker(130), 2.2, Qt::DashDotLine);
            painter.setPen(pen);
            painter.drawLine(QPointF(xOf(from), yOf(s->fitAt(from - offset), channel)),
                             QPointF(xOf(to), yOf(s->fitAt(to - offset), channel)));
            const int d = 1;
            const QString unit = c == 0 ? QStringLiteral("℃") : QStringLiteral("hPa");
            lines << QStringLiteral("%1 %2: 最低 %3  最高 %4  平均 %5  変化 %6%7  変化の速さ %8%7/分")
                         .arg(run.name, c == 0 ? QStringLiteral("温度") : QStringLiteral("気圧"), ValueText(s->lowest, d),
                              ValueText(s->highest, d), ValueText(s->mean, d + 1), SignedText(s->change, d), unit,
                              SignedText(s->ratePerMinute, 2));
            colours << run.colour.darker(115);
        }
    }
    painter.restore();
    PaintNote(painter, QPointF(m_area.left() + m_unit * 0.3, m_area.bottom() - m_unit * 0.3 - (lines.size() + 0.7) * QFontMetricsF(font).height()),
              lines, colours, m_area, font);
}

void ComparisonPlot::paintReading(QPainter& painter, const QFont& font)
{
    if (!reading || *reading < m_view.fromMs || *reading > m_view.toMs)
        return;
    const double x = xOf(*reading);
    painter.setPen(QPen(QColor(0x60, 0x60, 0x60), 1, Qt::DashLine));
    painter.drawLine(QPointF(x, m_area.top()), QPointF(x, m_area.bottom()));

    const double msPerPixel = (m_view.toMs - m_view.fromMs) / std::max(1.0, m_area.width());
    QStringList lines{TimeText(*reading, msPerPixel * 20, m_view.clockTime)};
    QList<QColor> colours{QColor(kAxisText)};
    QStringList alerts;
    for (const PlotRun& run : m_runs) {
        if (!run.visible || !run.series)
            continue;
        const RunSeries& series = *run.series;
        const double offset = offsetOf(series);
        const qint64 at = std::llround(*reading - offset);
        const qint64 tolerance = std::llround(std::max(msPerPixel * 4, series.interval() == RunInterval::Tenth ? 150.0 : 90000.0));
        QString line = run.name + QStringLiteral(": ");
        const auto t = series.nearest(at, tolerance, RunChannel::Temperature);
        const auto p = series.nearest(at, tolerance, RunChannel::Pressure);
        if (!t && !p) {
            line += QStringLiteral("値なし");
        } else {
            const qsizetype i = t ? *t : *p;
            line += TimeText(static_cast<double>(series.timeMs(i)), msPerPixel, false);
            if (t)
                line += QStringLiteral("  %1℃").arg(ValueText(*series.value(*t, RunChannel::Temperature), 2));
            if (p && m_showsPressure)
                line += QStringLiteral("  %1hPa").arg(ValueText(*series.value(*p, RunChannel::Pressure), 1));
            for (const QString& message : series.alertsOf(i))
                alerts << run.name + QStringLiteral(": ") + message;
            if (t) {
                painter.setPen(QPen(run.colour, 1.5));
                painter.setBrush(Qt::white);
                const double r = m_unit * 0.25;
                painter.drawEllipse(QPointF(x, yOf(*series.value(*t, RunChannel::Temperature), RunChannel::Temperature)), r, r);
            }
        }
        lines << line;
        colours << run.colour.darker(115);
    }
    for (const QString& alert : alerts) {
        lines << alert;
        colours << QColor(0xC0, 0x30, 0x00);
    }
    PaintNote(painter, QPointF(x + m_unit * 0.6, m_area.top() + m_unit * 0.3), lines, colours, m_area, font);
}
