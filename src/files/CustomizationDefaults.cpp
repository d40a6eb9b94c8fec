#include "files/CustomizationDefaults.h"

#include "base/ProgramState.h"
#include "render/Palette.h"

void SetCustomizationDefaults(ProgramState& state)
{
    state.ThermometerTickColor = kPalette[15];
    state.ThermometerGlassColor = kPalette[15];
    state.ThermometerFrameColor = kPalette[0];
    state.ThermometerLiquidColor = kPalette[12];
    state.ThermometerTextColor = kPalette[15];
    state.BarometerTickColor = kPalette[15];
    state.BarometerGlassColor = kPalette[15];
    state.BarometerFrameColor = kPalette[0];
    state.BarometerLiquidColor = kPalette[9];
    state.BarometerTextColor = kPalette[15];
    state.GraphBackColor = kPalette[6];
    state.GraphTickColor = kPalette[0];
    state.GraphAxisTextColor = kPalette[15];

    state.TemperatureProbe = -1;
    state.ThermometerAuto = -1;
    state.ThermometerMax = 100;
    state.ThermometerMin = -10;
    state.PressureStep = 1;
    state.BarometerAuto = -1.0f;
    state.BarometerMax = 1200;
    state.BarometerMin = 800;
    state.MinuteMode = 1;
    state.PortNumber = 1;
    state.MinuteToggle = 0;

    state.RequestF2 = 0xF2;
    state.RequestF3 = 0xF3;

    // The alerts come only from the file; reading it twice must not add to the first reading.
    state.TemperatureAlerts = {};
    state.TemperatureAlertTexts = {};
    state.TemperatureAlertCount = 0;
    state.PressureAlerts = {};
    state.PressureAlertTexts = {};
    state.PressureAlertCount = 0;
    state.TemperatureAlertEntry30Used = false;
    state.PressureAlertEntry30Used = false;

    // Until the settings are applied, readings go through the liquid and 1 hPa tables.
    state.TemperatureTable = state.LiquidTemperatureTable;
    state.PressureTable = state.Pressure1Table;
}
