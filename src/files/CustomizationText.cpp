#include "files/CustomizationText.h"

#include "base/ProgramState.h"
#include "files/AlertLine.h"
#include "files/SettingLine.h"
#include "files/TextLines.h"

#include <algorithm>

namespace {

void ClearAlert(AlertTable& alerts, AlertTexts& texts, int index)
{
    for (auto& field : alerts)
        field[static_cast<size_t>(index)] = 0;
    texts[static_cast<size_t>(index)].clear();
}

} // namespace

std::optional<int> ApplyCustomizationText(ProgramState& state, QByteArrayView content,
                                          const std::function<void(const QString&)>& printLine)
{
    const QStringList lines = SplitLines(DecodeFileText(content));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString prepared = PrepareLine(lines[i]);
        if (prepared.startsWith(u'\''))
            continue;

        const LineResult setting = ApplySettingLine(state, prepared);
        if (setting == LineResult::Failed)
            return static_cast<int>(i + 1);
        if (setting == LineResult::Stored)
            continue;

        const int lineNumber = static_cast<int>(i + 1);
        const AlertKind kind = AlertKindOf(prepared);
        if (kind == AlertKind::None)
            continue;
        const bool temperature = kind == AlertKind::Temperature;
        AlertTable& alerts = temperature ? state.TemperatureAlerts : state.PressureAlerts;
        AlertTexts& texts = temperature ? state.TemperatureAlertTexts : state.PressureAlertTexts;
        int16_t& count = temperature ? state.TemperatureAlertCount : state.PressureAlertCount;
        bool& lastEntryUsed =
            temperature ? state.TemperatureAlertEntry30Used : state.PressureAlertEntry30Used;

        // Past 30 alerts of a kind, each further one replaces the last entry as a whole, so
        // that entry never mixes the display time or colour of an earlier line into the new one.
        ClearAlert(alerts, texts, count);
        const AlertLine alert = ReadAlertLine(prepared, kind, alerts, count);
        printLine(alert.thresholdCharacters);
        // The message, as it stands; when the alert line was the last line it stays empty.
        if (i + 1 < lines.size())
            texts[static_cast<size_t>(count)] = lines[++i];
        // Counting stops at the last entry; the flag tells the alert check that it holds a line.
        if (count == kAlertEntries - 1)
            lastEntryUsed = true;
        count = static_cast<int16_t>(std::min(count + 1, kAlertEntries - 1));
        if (!alert.complete)
            return lineNumber;   // an item of the alert line did not fit
    }
    return std::nullopt;
}
