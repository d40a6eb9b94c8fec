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

// MinuteMode's two meanings: 1 records a sample a minute, any other value one every 0.1 s.
inline constexpr int16_t kMinuteMode = 1;
inline constexpr int16_t kTenthSecondMode = 2;

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

    // Adds one alert entry to a table: direction (-1 rising), threshold, seconds, colour.
    static void AddAlert(AlertTable& table, AlertTexts& texts, int16_t& count, int16_t direction,
                         int16_t threshold, int16_t seconds, int16_t colour, const QString& text)
    {
        table[0][count] = direction;
        table[1][count] = threshold;
        table[2][count] = seconds;
        table[3][count] = colour;
        texts[count] = text;
        count = std::min<int16_t>(count + 1, 30);
    }
    void TemperatureAlert(int16_t direction, int16_t threshold, int16_t seconds, int16_t colour,
                          const QString& text)
    {
        ProgramState& s = state();
        AddAlert(s.TemperatureAlerts, s.TemperatureAlertTexts, s.TemperatureAlertCount, direction,
                 threshold, seconds, colour, text);
    }
    void PressureAlert(int16_t direction, int16_t threshold, int16_t seconds, int16_t colour,
                       const QString& text)
    {
        ProgramState& s = state();
        AddAlert(s.PressureAlerts, s.PressureAlertTexts, s.PressureAlertCount, direction, threshold,
                 seconds, colour, text);
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
