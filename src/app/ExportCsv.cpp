#include "app/ExportCsv.h"

#include "base/DateTime.h"
#include "base/ProgramState.h"

#include <cmath>

namespace {

const QByteArray kByteOrderMark("\xEF\xBB\xBF");
const QByteArray kLineEnd("\r\n");

// Elapsed seconds of slot i: whole minutes in minute mode, tenths otherwise, written exactly
// ("0.1", "1199.9") instead of through a float that would print 0.30000000000000004.
QString ElapsedText(bool minuteMode, int slot)
{
    if (minuteMode)
        return QString::number(60 * slot);
    return QStringLiteral("%1.%2").arg(slot / 10).arg(slot % 10);
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
    const long long units = std::llround(value);
    const long long whole = std::llabs(units) / static_cast<long long>(scale);
    const long long fraction = std::llabs(units) % static_cast<long long>(scale);
    return QStringLiteral("%1%2.%3")
        .arg(units < 0 ? QStringLiteral("-") : QString())
        .arg(whole)
        .arg(fraction, decimals, 10, QLatin1Char('0'));
}

QByteArray BuildSamplesCsv(const ProgramState& state, bool recording)
{
    const bool minuteMode = state.MinuteMode == 1;
    const int rows = ExportedSampleCount(state, recording);
    const QDateTime start = DateTimeFromValue(state.StartTime);

    QByteArray csv = kByteOrderMark;
    csv.reserve(64 + rows * 48);
    csv += QStringLiteral("番号,経過時間(秒),時刻,温度(℃),気圧(hPa)").toUtf8();
    csv += kLineEnd;
    for (int i = 0; i < rows; ++i) {
        const QString clock = minuteMode
            ? start.addSecs(60LL * i).toString(QStringLiteral("yyyy-MM-dd HH:mm"))
            : QString();
        const QString row = QStringLiteral("%1,%2,%3,%4,%5")
                                .arg(i)
                                .arg(ElapsedText(minuteMode, i), clock,
                                     HistoryValueText(state.TemperatureHistory[i], 2),
                                     HistoryValueText(state.PressureHistory[i], 1));
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
