#include "files/SelectTables.h"

void SelectTemperatureTable(ProgramState& state)
{
    state.TemperatureTable =
        state.TemperatureProbe == -1 ? state.AirTemperatureTable : state.LiquidTemperatureTable;
}

void SelectPressureTable(ProgramState& state)
{
    state.PressureTable = state.PressureStep == 1 ? state.Pressure1Table : state.Pressure2Table;
}
