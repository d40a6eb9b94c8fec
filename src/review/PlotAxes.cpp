#include "review/PlotAxes.h"

#include <QStringLiteral>

#include <algorithm>
#include <array>
#include <cmath>

std::vector<double> ValueTicks(double low, double high, int most)
{
    std::vector<double> ticks;
    if (!(high > low) || most < 1 || !std::isfinite(high - low))
        return ticks;
    const double rough = (high - low) / most;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = power * 10;
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (power * factor >= rough) {
            step = power * factor;
            break;
        }
    }
    // Each mark counted from zero, not added up, so that rounding errors do not pile up.
    for (double k = std::ceil(low / step); k * step <= high + step * 1e-9; ++k)
        ticks.push_back(k == 0 ? 0.0 : k * step);
    return ticks;
}

int TickDecimals(double step)
{
    if (!(step > 0))
        return 0;
    return std::clamp(static_cast<int>(std::ceil(-std::log10(step) - 1e-9)), 0, 6);
}

std::vector<double> TimeTicks(double fromMs, double toMs, int most)
{
    static constexpr std::array<double, 22> kSteps = {
        100, 200, 500, 1000, 2000, 5000, 10000, 15000,
        30000, 60000, 120000, 300000, 600000, 900000, 1800000, 3600000,
        7200000, 10800000, 21600000, 43200000, 86400000, 172800000};
    std::vector<double> ticks;
    if (!(toMs > fromMs) || most < 1 || !std::isfinite(toMs - fromMs))
        return ticks;
    double step = kSteps.back();
    for (const double candidate : kSteps) {
        if ((toMs - fromMs) / candidate <= most) {
            step = candidate;
            break;
        }
    }
    if ((toMs - fromMs) / step > 4 * most)
        step = std::ceil((toMs - fromMs) / most / 86400000) * 86400000;
    for (double t = std::ceil(fromMs / step) * step; t <= toMs; t += step)
        ticks.push_back(t);
    return ticks;
}

QString TimeText(double ms, double stepMs, bool clockTime)
{
    constexpr qint64 kDay = 86400000;
    qint64 whole = std::llround(ms);
    QString sign;
    if (clockTime) {
        whole = ((whole % kDay) + kDay) % kDay;
    } else if (whole < 0) {
        sign = QStringLiteral("-");
        whole = -whole;
    }
    const qint64 hours = whole / 3600000;
    const qint64 minutes = whole / 60000 % 60;
    const double seconds = static_cast<double>(whole % 60000) / 1000.0;
    const bool showSeconds = stepMs < 60000 || (!clockTime && hours == 0);
    QString text = hours > 0 || clockTime ? QStringLiteral("%1:%2").arg(hours).arg(minutes, 2, 10, QLatin1Char('0'))
                                          : QString::number(minutes);
    if (showSeconds) {
        const int decimals = stepMs < 1000 ? 1 : 0;
        text += QStringLiteral(":%1").arg(seconds, decimals ? 4 : 2, 'f', decimals, QLatin1Char('0'));
    }
    return sign + text;
}
