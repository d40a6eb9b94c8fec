#pragma once

// A started main window for recording tests: the value fields are fed by hand and the
// recording handlers are called directly, as the timers would call them.

#include "support/Fakes.h"

#include "base/Numbers.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

inline constexpr int16_t kMinuteMode = 1;
inline constexpr int16_t kTenthMode = 2;

struct RecordingWindow : TestWindow {
    explicit RecordingWindow(int16_t minuteMode)
    {
        window->Form_Load();
        state().MinuteMode = minuteMode;
    }

    ProgramState& state() { return window->state(); }
    Poruka& w() { return *window; }

    void Feed(double temperature, double pressure)
    {
        window->Text1->setText(DecimalText(temperature));
        window->Text3->setText(DecimalText(pressure));
    }

    // One acting recording tick: in minute mode the timer acts on every second 30-s tick.
    void Sample()
    {
        if (state().MinuteMode == kMinuteMode)
            window->Timer2_Timer();
        window->Timer2_Timer();
    }

    bool Running() const { return window->RunActive(); }
    bool AlertShown() const { return !window->Text2->isHidden(); }
    bool ButtonsUnderAlertShown() const
    {
        return !window->Setumei->isHidden() && !window->Settei->isHidden();
    }
    QColor AlertBack() const { return window->Text2->palette().color(QPalette::Base); }

    // Defines one alert entry of a table: direction (-1 rising), threshold, seconds, colour.
    static void DefineAlert(AlertTable& table, AlertTexts& texts, int entry, int16_t direction,
                            int16_t threshold, int16_t seconds, int16_t colour, const QString& text)
    {
        table[0][entry] = direction;
        table[1][entry] = threshold;
        table[2][entry] = seconds;
        table[3][entry] = colour;
        texts[entry] = text;
    }
    void TemperatureAlert(int16_t direction, int16_t threshold, int16_t seconds, int16_t colour,
                          const QString& text)
    {
        ProgramState& s = state();
        DefineAlert(s.TemperatureAlerts, s.TemperatureAlertTexts, s.TemperatureAlertCount, direction,
                    threshold, seconds, colour, text);
        s.TemperatureAlertCount = std::min<int16_t>(s.TemperatureAlertCount + 1, 30);
    }
    void PressureAlert(int16_t direction, int16_t threshold, int16_t seconds, int16_t colour,
                       const QString& text)
    {
        ProgramState& s = state();
        DefineAlert(s.PressureAlerts, s.PressureAlertTexts, s.PressureAlertCount, direction,
                    threshold, seconds, colour, text);
        s.PressureAlertCount = std::min<int16_t>(s.PressureAlertCount + 1, 30);
    }

    // Starts a 0.1-s run and records the temperatures given (pressure 1013 hPa throughout).
    void RecordTemperatures(std::initializer_list<double> temperatures)
    {
        if (!Running())
            window->Start_Click();
        for (double t : temperatures) {
            Feed(t, 1013);
            Sample();
        }
    }
};
