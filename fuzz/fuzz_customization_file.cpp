// Feeds arbitrary bytes as the customization file. Whatever the bytes, the reading ends, the
// alert counts stay within 0..30, every limit obeys its range rule, the interval is 0 or 1,
// colours are palette colours, one line is printed per alert read, and reading the same bytes
// again gives the same settings.

#include "base/ProgramState.h"
#include "files/CustomizationDefaults.h"
#include "files/CustomizationText.h"
#include "render/Palette.h"

#include <QString>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

bool InPalette(QRgb colour)
{
    return std::find(kPalette.begin(), kPalette.end(), colour) != kPalette.end();
}

struct Reading {
    ProgramState state;
    int printed = 0;
};

void Read(Reading& reading, QByteArrayView content)
{
    SetCustomizationDefaults(reading.state);
    ApplyCustomizationText(reading.state, content, [&](const QString&) { ++reading.printed; });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView content(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    static Reading first;   // big enough (histories) to keep off the stack
    static Reading second;
    first.printed = second.printed = 0;
    Read(first, content);
    const ProgramState& s = first.state;

    Check(s.TemperatureAlertCount >= 0 && s.TemperatureAlertCount <= 30);
    Check(s.PressureAlertCount >= 0 && s.PressureAlertCount <= 30);
    Check(first.printed >= s.TemperatureAlertCount + s.PressureAlertCount);
    Check(s.ThermometerMax >= -30 && s.ThermometerMax <= 120);
    Check(s.ThermometerMin >= -30 && s.ThermometerMin <= 120);
    Check(s.BarometerMax >= 800 && s.BarometerMax <= 1200);
    Check(s.BarometerMin >= 700 && s.BarometerMin <= 1100);
    Check(s.MinuteMode == 0 || s.MinuteMode == 1);
    Check(s.RequestF2 == 0xF2 && s.RequestF3 == 0xF3);
    for (QRgb colour : {s.ThermometerTickColor, s.ThermometerGlassColor, s.ThermometerFrameColor,
                        s.ThermometerLiquidColor, s.ThermometerTextColor, s.BarometerTickColor,
                        s.BarometerGlassColor, s.BarometerFrameColor, s.BarometerLiquidColor,
                        s.BarometerTextColor, s.GraphBackColor, s.GraphTickColor, s.GraphAxisTextColor})
        Check(InPalette(colour));
    for (size_t e = 0; e < kAlertEntries; ++e) {
        Check(s.TemperatureAlerts[0][e] == 0 || s.TemperatureAlerts[0][e] == -1);
        Check(s.PressureAlerts[0][e] == 0 || s.PressureAlerts[0][e] == -1);
        Check(s.TemperatureAlerts[1][e] % 100 == 0);
        Check(s.PressureAlerts[1][e] % 10 == 0);
        for (const QString& text : {s.TemperatureAlertTexts[e], s.PressureAlertTexts[e]})
            Check(!text.contains(u'\r') && !text.contains(u'\n'));
    }

    Read(second, content);
    const ProgramState& t = second.state;
    Check(first.printed == second.printed);
    Check(t.TemperatureAlerts == s.TemperatureAlerts && t.PressureAlerts == s.PressureAlerts);
    Check(t.TemperatureAlertTexts == s.TemperatureAlertTexts && t.PressureAlertTexts == s.PressureAlertTexts);
    Check(t.ThermometerMax == s.ThermometerMax && t.BarometerMin == s.BarometerMin);
    Check(t.ThermometerAuto == s.ThermometerAuto && t.PortNumber == s.PortNumber);
    return 0;
}
