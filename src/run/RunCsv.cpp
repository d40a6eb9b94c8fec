#include "run/RunCsv.h"

#include "base/DateTime.h"
#include "base/ProgramState.h"

#include <cmath>
#include <utility>

namespace {

const QByteArray kByteOrderMark(kCsvByteOrderMark);
const QByteArray kLineEnd(kCsvLineEnd);

// Whole units since the epoch, rounded down, so that a time and the elapsed seconds agree
// with what the time field shows.
qint64 FloorUnits(const QDateTime& time, qint64 millisecondsPerUnit)
{
    const qint64 ms = time.toMSecsSinceEpoch();
    return ms >= 0 ? ms / millisecondsPerUnit : -((-ms + millisecondsPerUnit - 1) / millisecondsPerUnit);
}

// A field as CSV needs it: quoted when it holds a comma or a quote, quotes doubled.
QString CsvField(const QString& text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// Writes the value's digits, at least `width` of them with zeros in front; returns the end.
char* WriteDigits(char* out, unsigned long long value, int width)
{
    char reversed[20];
    int count = 0;
    do {
        reversed[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    for (; width > count; --width)
        *out++ = '0';
    while (count > 0)
        *out++ = reversed[--count];
    return out;
}

// Whole units of 10^-decimals written exactly: "-0.05", "1014.0". The journal writes a row ten
// times a second, so the digits are written here rather than through chains of arg().
QString FixedPointText(long long units, int decimals)
{
    unsigned long long scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    const unsigned long long magnitude = units < 0 ? 0ULL - static_cast<unsigned long long>(units) : units;
    char text[48];
    char* end = text;
    if (units < 0)
        *end++ = '-';
    end = WriteDigits(end, magnitude / scale, 1);
    *end++ = '.';
    end = WriteDigits(end, magnitude % scale, decimals);
    return QString::fromLatin1(text, end - text);
}

} // namespace

int ExportedSampleCount(const ProgramState& state, bool recording)
{
    const double count = state.SampleCount;
    if (!(count > 0))   // also NaN
        return 0;
    const double rows = recording ? count : count + 1;
    if (rows >= kLastHistorySlot)
        return kLastHistorySlot;
    return static_cast<int>(rows);
}

QString HistoryValueText(float historyValue, int decimals)
{
    const double value = historyValue;
    if (!std::isfinite(value))
        return QString();
    const double scale = decimals == 2 ? 100.0 : 10.0;
    // Whole history units are written exactly by integer arithmetic; values beyond what an
    // integer holds exactly fall back to the general formatting.
    if (std::fabs(value) >= 1e15)
        return QString::number(value / scale, 'f', decimals);
    return FixedPointText(std::llround(value), decimals);
}

QString SampleTimeText(const SampleMoment& moment)
{
    if (!moment.time.isValid())
        return QString();
    const QDate date = moment.time.date();
    const QTime time = moment.time.time();
    if (date.year() < 0 || date.year() > 9999)   // no clock of ours; Qt writes those years its way
        return moment.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    // Digit by digit: QDateTime::toString reads its format anew on every call.
    const std::pair<char, int> fields[] = {{'-', date.month()}, {'-', date.day()}, {' ', time.hour()}, {':', time.minute()}, {':', time.second()}};
    char text[32];
    char* end = WriteDigits(text, date.year(), 4);
    for (const auto& [separator, value] : fields) {
        *end++ = separator;
        end = WriteDigits(end, value, 2);
    }
    if (moment.tenths) {
        *end++ = '.';
        end = WriteDigits(end, time.msec() / 100, 1);
    }
    return QString::fromLatin1(text, end - text);
}

QString SampleStateText(const SampleMoment& moment)
{
    return moment.answering ? QString() : QStringLiteral("未接続");
}

QString SampleAlertsText(const SampleMoment& moment)
{
    if (moment.alerts.isEmpty())
        return QString();
    QString text = moment.alerts.join(QStringLiteral(" / "));
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return CsvField(text);
}

QString ElapsedSecondsText(const SampleMoment& first, const SampleMoment& sample)
{
    if (!first.time.isValid() || !sample.time.isValid())
        return QString();
    if (!sample.tenths)
        return QString::number(FloorUnits(sample.time, 1000) - FloorUnits(first.time, 1000));
    // Written exactly ("0.3", "1199.9") instead of through a float that would print
    // 0.30000000000000004.
    return FixedPointText(FloorUnits(sample.time, 100) - FloorUnits(first.time, 100), 1);
}

QByteArray BuildSamplesCsv(const ProgramState& state, const std::vector<SampleMoment>& moments,
                           bool recording)
{
    const int rows = ExportedSampleCount(state, recording);
    const SampleMoment unknown;
    const auto momentOf = [&](int slot) -> const SampleMoment& {
        return slot < static_cast<int>(moments.size()) ? moments[static_cast<size_t>(slot)] : unknown;
    };

    QByteArray csv = kByteOrderMark;
    csv.reserve(80 + rows * 64);
    csv += QStringLiteral("番号,経過時間(秒),時刻,温度(℃),気圧(hPa),状態,警報").toUtf8();
    csv += kLineEnd;
    for (int i = 0; i < rows; ++i) {
        const SampleMoment& moment = momentOf(i);
        const QString row = QStringLiteral("%1,%2,%3,%4,%5,%6,%7")
                                .arg(QString::number(i), ElapsedSecondsText(momentOf(0), moment),
                                     SampleTimeText(moment),
                                     HistoryValueText(state.TemperatureHistory[i], 2),
                                     HistoryValueText(state.PressureHistory[i], 1),
                                     SampleStateText(moment), SampleAlertsText(moment));
        csv += row.toUtf8();
        csv += kLineEnd;
    }
    return csv;
}

QString SuggestedExportName(double dateTimeValue, const QString& suffix)
{
    const QDateTime moment = DateTimeFromValue(dateTimeValue);
    return QStringLiteral("poruka-%1.%2")
        .arg(moment.toString(QStringLiteral("yyyy-MM-dd-HHmm")), suffix);
}

QString JournalFileName(const QDateTime& runBegan)
{
    return QStringLiteral("poruka-%1.csv").arg(runBegan.toString(QStringLiteral("yyyy-MM-dd-HHmmss")));
}

QByteArray JournalHeader()
{
    return kByteOrderMark + QStringLiteral("番号,時刻,温度(℃),気圧(hPa),状態,警報").toUtf8() + kLineEnd;
}

QByteArray JournalRow(const RecordedSample& sample)
{
    return QStringLiteral("%1,%2,%3,%4,%5,%6\r\n")
        .arg(QString::number(sample.slot), SampleTimeText(sample.moment),
             HistoryValueText(sample.temperature, 2), HistoryValueText(sample.pressure, 1),
             SampleStateText(sample.moment), SampleAlertsText(sample.moment))
        .toUtf8();
}
