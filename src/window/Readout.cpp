#include "window/Poruka.h"

#include "files/AutoScale.h"
#include "files/ConvertReading.h"
#include "render/Barometer.h"
#include "render/GraphFrame.h"
#include "render/Thermometer.h"
#include "widgets/ShowText.h"
#include "window/Intervals.h"

#include <QLabel>
#include <QLineEdit>
#include <QTimer>

void Poruka::RedrawInstruments()
{
    DrawThermometer(m_state, m_surface);
    DrawBarometer(m_state, m_surface);
    DrawPageFrame(m_state, m_surface);
}

void Poruka::Timer1Start()
{
    // The page frame labels its time axis from StartTime, so it is set before the first
    // drawing; otherwise the first frame would count from the date-time value 0.
    if (m_state.MinuteMode == 1)
        m_state.StartTime = clock().Now();
    RedrawInstruments();
    if (m_state.ThermometerAuto == -1) {
        Timer1_Timer();
        // A barometer the user fixed keeps its limits; only an automatic one is rescaled.
        ComputeAutoScale(m_state, m_state.BarometerAuto == -1.0f ? ScaleInstruments::Both
                                                                 : ScaleInstruments::Thermometer);
    }
    RedrawInstruments();
    Timer1->start(m_state.MinuteMode == 1 ? kReadoutMinuteModeMs : kReadoutTenthModeMs);
    ShowIntervalCaption();
    ShowDrawing();
}

// The main window's own wording. The settings window writes "１秒ごと測定" and "１分ごと測定"
// (without に) when it applies the interval; both wordings are intended.
void Poruka::ShowIntervalCaption()
{
    Label3->ShowText(m_state.MinuteMode == 1 ? QStringLiteral("１分ごとに測定") : QStringLiteral("１秒ごとに測定"));
}

// One exchange: the reading that arrived since the last tick, on the channel of the
// request it answers (0xF2 brings the temperature, 0xF3 the pressure), then this tick's
// request, if the exchange writes one; see ReadingExchange.h.
void Poruka::Timer1_Timer()
{
    CommPort& link = port();
    if (!link.IsOpen())
        return;   // no port, or it failed: nothing to exchange, and nothing is lost

    const std::optional<BoxReading> reading = m_exchange.Exchange(link, m_state.RequestF2, m_state.RequestF3);
    if (!reading)
        return;
    const char raw = static_cast<char>(reading->raw);
    if (reading->channel == BoxChannel::Temperature) {
        float value = *ConvertReading(QByteArrayView(&raw, 1), m_state.TemperatureTable, m_state.RawTemperature);
        ShowText(Text1, m_temperatureText.Of(value));
        ShowTemperature(m_state, m_surface, value);
    } else {
        float value = *ConvertReading(QByteArrayView(&raw, 1), m_state.PressureTable, m_state.RawPressure);
        ShowText(Text3, m_pressureText.Of(value));
        ShowPressure(m_state, m_surface, value);
    }
    ShowDrawing();
}
