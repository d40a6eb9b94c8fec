// The window that compares saved runs: a journal opened from disk and drawn (12000 rows, and a
// million: a 0.1-s run left recording for 28 hours), a redraw while the pointer moves and one
// per zoom step with ten such runs shown, and what a million-row run costs in memory.

#include "review/ComparisonPlot.h"
#include "run/RunCsv.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cmath>
#include <map>

#include <unistd.h>

namespace {

const QSize kGraph(1200, 700);

// A journal of `rows` 0.1-s samples written by the journal's own row writer, once per size.
const QString& JournalFile(int rows)
{
    static QTemporaryDir folder;
    static std::map<int, QString> written;
    QString& path = written[rows];
    if (path.isEmpty()) {
        QByteArray bytes = JournalHeader();
        bytes.reserve(static_cast<qsizetype>(rows) * 48);
        const QDateTime began(QDate(2026, 12, 7), QTime(6, 23, 4, 700));
        // Water heated and left to cool every two hours, the air pressure drifting, both with
        // the box's jitter of a step or two; the box away for a moment every few hours.
        for (int i = 0; i < rows; ++i) {
            const double hours = i / 36000.0;
            const float temperature = static_cast<float>(std::round(2000 + 7000 * std::pow(std::sin(hours * 1.5708), 2)) + i % 3);
            const float pressure = static_cast<float>(std::round(10130 + 30 * std::sin(hours / 3)) + i % 2);
            bytes += JournalRow({std::min(i, 12000), temperature, pressure, {began.addMSecs(qint64(i) * 100), true, i % 100000 != 5, {}}});
        }
        path = folder.filePath(QStringLiteral("run-%1.csv").arg(rows));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            path.clear();
    }
    return path;
}

std::shared_ptr<RunSeries> Open(const QString& path)
{
    return std::make_shared<RunSeries>(ReadRunFileAt(path));
}

void Draw(ComparisonPlot& plot, QImage& image)
{
    QPainter painter(&image);
    plot.paintKept(painter, image.size(), 1.0, QApplication::font());
}

void OpenAndDraw(benchmark::State& bench, int rows)
{
    const QString& path = JournalFile(rows);
    QImage image(kGraph, QImage::Format_RGB32);
    for (auto _ : bench) {
        ComparisonPlot plot;
        plot.runs().push_back({Open(path), QStringLiteral("1班"), Qt::blue, true});
        if (plot.runs()[0].series->size() != rows)
            bench.SkipWithError("the journal was not read whole");
        std::tie(plot.view().fromMs, plot.view().toMs) = plot.wholeSpan();
        Draw(plot, image);
    }
}

void BM_OpenAndDraw12000Rows(benchmark::State& bench) { OpenAndDraw(bench, 12000); }
BENCHMARK(BM_OpenAndDraw12000Rows)->Unit(benchmark::kMillisecond);

void BM_OpenAndDrawMillionRows(benchmark::State& bench) { OpenAndDraw(bench, 1000000); }
BENCHMARK(BM_OpenAndDrawMillionRows)->Unit(benchmark::kMillisecond)->Iterations(3);

// Ten million-row runs, each opened once and shared by the redraw benchmarks.
ComparisonPlot& TenRuns()
{
    static ComparisonPlot plot;
    if (plot.runs().empty()) {
        const auto series = Open(JournalFile(1000000));
        for (int i = 0; i < 10; ++i)
            plot.runs().push_back({i == 0 ? series : std::make_shared<RunSeries>(*series), QStringLiteral("%1班").arg(i + 1),
                                   QColor::fromHsv(36 * i, 255, 200), true});
        std::tie(plot.view().fromMs, plot.view().toMs) = plot.wholeSpan();
    }
    return plot;
}

// The pointer moves over the graph: the reading line and every run's values at it.
void BM_RedrawWhileHoveringTenRuns(benchmark::State& bench)
{
    ComparisonPlot& plot = TenRuns();
    QImage image(kGraph, QImage::Format_RGB32);
    Draw(plot, image);
    int step = 0;
    for (auto _ : bench) {
        plot.reading = plot.msAt(plot.area().left() + (step++ % 1000));
        Draw(plot, image);
    }
    plot.reading.reset();
}
BENCHMARK(BM_RedrawWhileHoveringTenRuns)->Unit(benchmark::kMillisecond);

// One wheel notch: each run reduced to the columns again and the graph drawn anew.
void BM_RedrawPerZoomStepTenRuns(benchmark::State& bench)
{
    ComparisonPlot& plot = TenRuns();
    QImage image(kGraph, QImage::Format_RGB32);
    const auto [from, to] = plot.wholeSpan();
    int step = 0;
    for (auto _ : bench) {
        const double span = (to - from) / std::pow(1.25, step++ % 30);
        plot.view().fromMs = from + (to - from - span) / 2;
        plot.view().toMs = plot.view().fromMs + span;
        Draw(plot, image);
    }
}
BENCHMARK(BM_RedrawPerZoomStepTenRuns)->Unit(benchmark::kMillisecond);

double ResidentMegabytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1 << 20) : 0;
}

// What a million-row run holds once it is open and drawn: resident memory before and after.
void BM_MemoryOfMillionRowRun(benchmark::State& bench)
{
    const QString& path = JournalFile(1000000);
    QImage image(kGraph, QImage::Format_RGB32);
    double grown = 0;
    {
        ComparisonPlot empty;   // fonts and the painter's caches, which any window has already
        Draw(empty, image);
    }
    for (auto _ : bench) {
        const double before = ResidentMegabytes();
        ComparisonPlot plot;
        plot.runs().push_back({Open(path), QStringLiteral("1班"), Qt::blue, true});
        std::tie(plot.view().fromMs, plot.view().toMs) = plot.wholeSpan();
        Draw(plot, image);
        grown = ResidentMegabytes() - before;
    }
    bench.counters["MB_more"] = grown;
}
BENCHMARK(BM_MemoryOfMillionRowRun)->Unit(benchmark::kMillisecond)->Iterations(1);

}   // namespace
