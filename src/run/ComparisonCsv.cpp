#include "run/ComparisonCsv.h"

#include "run/RunCsv.h"

#include <QStringList>

#include <algorithm>

namespace {

// A name as one CSV field: quoted when it holds a comma, a quote or a line break.
QString Field(const QString& text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n'))
        && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString TimeText(const RunSeries& series, qsizetype i, bool clockTime)
{
    const bool tenths = series.interval() != RunInterval::Minute;
    if (!clockTime || !series.startTimeOfDayMs()) {
        const double seconds = static_cast<double>(series.timeMs(i)) / 1000.0;
        return QString::number(seconds, 'f', tenths ? 1 : 0);
    }
    const RunFileSample& sample = series.sample(i);
    const QString format = tenths ? QStringLiteral("HH:mm:ss.zzz") : QStringLiteral("HH:mm:ss");
    QString text = sample.has(RunFileSample::FullTime)
        ? sample.time().toString(QStringLiteral("yyyy-MM-dd ") + format)
        : QTime::fromMSecsSinceStartOfDay(int(sample.clock % 86400000)).toString(format);
    if (tenths)
        text.chop(2);   // tenths of a second, as the journal writes them
    return text;
}

}   // namespace

QByteArray ComparisonCsv(const std::vector<ComparedSeries>& runs, bool clockTime)
{
    struct Columns {
        const RunSeries& series;
        bool temperature;
        bool pressure;
    };
    std::vector<Columns> columns;
    QStringList header;
    qsizetype rows = 0;
    for (const ComparedSeries& run : runs) {
        if (!run.series)
            continue;
        const RunSeries& series = *run.series;
        columns.push_back({series, series.hasChannel(RunChannel::Temperature), series.hasChannel(RunChannel::Pressure)});
        const bool clock = clockTime && series.startTimeOfDayMs();
        header << Field(run.name + (clock ? QStringLiteral(" 時刻") : QStringLiteral(" 経過時間(秒)")));
        if (columns.back().temperature)
            header << Field(run.name + QStringLiteral(" 温度(℃)"));
        if (columns.back().pressure)
            header << Field(run.name + QStringLiteral(" 気圧(hPa)"));
        rows = std::max(rows, series.size());
    }

    QByteArray csv(kCsvByteOrderMark);
    csv += header.join(QLatin1Char(',')).toUtf8();
    csv += kCsvLineEnd;
    QStringList fields;
    for (qsizetype i = 0; i < rows; ++i) {
        fields.clear();
        for (const Columns& run : columns) {
            const bool has = i < run.series.size();
            fields << (has ? TimeText(run.series, i, clockTime) : QString());
            const auto value = [&](RunChannel channel, int decimals) {
                const auto v = has ? run.series.value(i, channel) : std::nullopt;
                return v ? QString::number(*v, 'f', decimals) : QString();
            };
            if (run.temperature)
                fields << value(RunChannel::Temperature, 2);
            if (run.pressure)
                fields << value(RunChannel::Pressure, 1);
        }
        csv += fields.join(QLatin1Char(',')).toUtf8();
        csv += kCsvLineEnd;
    }
    return csv;
}
