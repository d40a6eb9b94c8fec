#pragma once

// Everything the program shares between its procedures, under the names the procedures use.
// Integer = int16_t, Single = float, Double and "number" = double, colour = Rgb (Qt's QRgb).
// The main window owns the one instance; tests build their own.

#include <QString>

#include <array>
#include <cstdint>

inline constexpr int kHistorySlots = 12001;   // index 0..12000
inline constexpr int kLastHistorySlot = 12000;
inline constexpr int kTableSize = 256;        // raw byte 0..255
inline constexpr int kAlertEntries = 31;      // index 0..30
inline constexpr int kAlertFields = 4;        // direction, threshold, seconds, colour

// A colour as 0xAARRGGBB: the very type of Qt Gui's QRgb, spelled here so that the state needs
// Qt Core only.
using Rgb = unsigned int;

using CalibrationTable = std::array<int16_t, kTableSize>;
using History = std::array<float, kHistorySlots>;
using AlertTable = std::array<std::array<int16_t, kAlertEntries>, kAlertFields>;
using AlertTexts = std::array<QString, kAlertEntries>;

struct ProgramState {
    // Recorded data.
    History TemperatureHistory{};   // °C x 100
    History PressureHistory{};      // hPa x 10
    double SampleCount = 0;         // slot the next sample goes to, 0..12000
    double StartTime = 0;           // date-time value where the minute-mode time axis starts

    // Calibration tables.
    CalibrationTable TemperatureTable{};   // active copy of Liquid or Air
    CalibrationTable LiquidTemperatureTable{};
    CalibrationTable AirTemperatureTable{};
    CalibrationTable PressureTable{};      // active copy of Pressure1 or Pressure2
    CalibrationTable Pressure1Table{};
    CalibrationTable Pressure2Table{};

    // Alerts: field 0 direction (-1 rising), 1 threshold in history units, 2 seconds, 3 colour.
    AlertTable TemperatureAlerts{};
    AlertTexts TemperatureAlertTexts{};
    int16_t TemperatureAlertCount = 0;
    AlertTable PressureAlerts{};
    AlertTexts PressureAlertTexts{};
    int16_t PressureAlertCount = 0;
    // Set when an alert line went to entry 30 (more than 30 of that kind): the count stops at
    // 30, so it alone cannot tell a used entry 30 from a blank one.
    bool TemperatureAlertEntry30Used = false;
    bool PressureAlertEntry30Used = false;

    // Instrument settings.
    double ThermometerMax = 0;
    double ThermometerMin = 0;
    double ThermometerAuto = 0;     // -1 = automatic
    int16_t TemperatureProbe = 0;   // -1 = air probe
    double BarometerMax = 0;
    double BarometerMin = 0;
    float BarometerAuto = 0;        // -1.0 = automatic
    int16_t PressureStep = 0;       // 1 = 1 hPa table
    int16_t MinuteMode = 0;         // 1 = one sample a minute
    int16_t PortNumber = 0;

    Rgb ThermometerTickColor = 0;
    Rgb ThermometerGlassColor = 0;
    Rgb ThermometerFrameColor = 0;
    Rgb ThermometerLiquidColor = 0;
    Rgb ThermometerTextColor = 0;
    Rgb BarometerTickColor = 0;
    Rgb BarometerGlassColor = 0;
    Rgb BarometerFrameColor = 0;
    Rgb BarometerLiquidColor = 0;
    Rgb BarometerTextColor = 0;
    Rgb GraphBackColor = 0;
    Rgb GraphTickColor = 0;
    Rgb GraphAxisTextColor = 0;

    // Device and readout.
    int16_t RawTemperature = 0;
    int16_t RawPressure = 0;
    uint8_t RequestF2 = 0;
    uint8_t RequestF3 = 0;
    int16_t BoxMissing = 0;         // -1 = no box found at start-up
    int16_t FileError = 0;
    float MinuteToggle = 0;

    // Instrument and graph drawing.
    float ThermometerScale = 0;     // drawing units per °C
    float BarometerScale = 0;       // drawing units per hPa
    double ColumnHeight = 0;
    int16_t ThermometerLevel = 0;   // y of the column top, 0 = none since the last redraw
    float ThermometerValue = 0;
    int16_t BarometerLevel = 0;
    float BarometerValue = 0;
    float LastAxisSample = 0;       // first sample of the current graph page
    double GraphThermometerMax = 0;
    float GraphThermometerMin = 0;
    double GraphBarometerMax = 0;
    float GraphBarometerMin = 0;
    std::array<float, 6> PreviousPoints{};   // page x, yT, yP; whole-run x, yT, yP
};
