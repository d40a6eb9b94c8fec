#include "window/Poruka.h"

#include "run/AlertRules.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace {

constexpr QRgb kAlertFieldCyan = qRgb(0, 255, 255);   // the field's own colour
constexpr int kSeconds = 2;
constexpr int kColour = 3;

// Black text, unless the background is so dark that black would not read.
QColor TextColourOn(QRgb back)
{
    const int luminance = (299 * qRed(back) + 587 * qGreen(back) + 114 * qBlue(back)) / 1000;
    return luminance < 64 ? QColor(Qt::white) : QColor(Qt::black);
}

void PaintAlertField(QPlainTextEdit* field, QRgb back)
{
    if (field->palette().color(QPalette::Base).rgb() == back)
        return;   // the same alert again: nothing to repaint
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, QColor::fromRgb(back));
    palette.setColor(QPalette::Window, QColor::fromRgb(back));
    palette.setColor(QPalette::Text, TextColourOn(back));
    field->setPalette(palette);
}

struct Step {
    float previous;
    float latest;
};

} // namespace

void Poruka::CheckAlerts()
{
    // The latest sample and the one before it. Once the histories are full the latest sample
    // sits in the last slot, and the one before is either the slot below or what the last slot
    // held until this sample replaced it.
    Step temperature;
    Step pressure;
    if (m_lastRecordedSlot == kLastHistorySlot) {
        const int below = kLastHistorySlot - 1;
        temperature.previous = m_lastSlotReplaced ? m_replacedTemperature : m_state.TemperatureHistory[below];
        pressure.previous = m_lastSlotReplaced ? m_replacedPressure : m_state.PressureHistory[below];
        temperature.latest = m_state.TemperatureHistory[kLastHistorySlot];
        pressure.latest = m_state.PressureHistory[kLastHistorySlot];
    } else {
        const int latest = static_cast<int>(m_state.SampleCount) - 1;
        if (latest < 1 || latest > kLastHistorySlot)
            return;
        temperature = {m_state.TemperatureHistory[latest - 1], m_state.TemperatureHistory[latest]};
        pressure = {m_state.PressureHistory[latest - 1], m_state.PressureHistory[latest]};
    }

    // Every entry is examined; the sample keeps every message that fires, and the last that
    // fires, pressure after temperature, is shown.
    const std::vector<int> temperatureEntries = FiringAlerts(
        m_state.TemperatureAlerts, m_state.TemperatureAlertTexts, m_state.TemperatureAlertCount,
        m_state.TemperatureAlertEntry30Used, temperature.previous, temperature.latest);
    const std::vector<int> pressureEntries = FiringAlerts(
        m_state.PressureAlerts, m_state.PressureAlertTexts, m_state.PressureAlertCount,
        m_state.PressureAlertEntry30Used, pressure.previous, pressure.latest);
    for (int entry : temperatureEntries)
        m_sample.moment.alerts << m_state.TemperatureAlertTexts[entry];
    for (int entry : pressureEntries)
        m_sample.moment.alerts << m_state.PressureAlertTexts[entry];
    if (!pressureEntries.empty()) {
        const int entry = pressureEntries.back();
        ShowAlert(m_state.PressureAlerts[kSeconds][entry], m_state.PressureAlerts[kColour][entry],
                  m_state.PressureAlertTexts[entry]);
    } else if (!temperatureEntries.empty()) {
        const int entry = temperatureEntries.back();
        ShowAlert(m_state.TemperatureAlerts[kSeconds][entry],
                  m_state.TemperatureAlerts[kColour][entry], m_state.TemperatureAlertTexts[entry]);
    }
}

void Poruka::ShowAlert(int16_t seconds, int16_t colourValue, const QString& text)
{
    Setumei->setVisible(false);
    Settei->setVisible(false);
    Text2->setVisible(true);
    PaintAlertField(Text2, AlertBackColour(colourValue).value_or(kAlertFieldCyan));
    // Long messages wrap, between words or, in Japanese text, anywhere.
    if (Text2->wordWrapMode() != QTextOption::WrapAtWordBoundaryOrAnywhere)
        Text2->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    if (Text2->toPlainText() != text)
        Text2->setPlainText(text);
    // A display time of 0 leaves the message up until the run stops.
    const int interval = AlertDisplayInterval(seconds);
    if (interval > 0) {
        Timer3->start(interval);
    } else {
        Timer3->stop();
        Timer3->setInterval(0);
    }
}

void Poruka::Timer3_Timer()
{
    Text2->setVisible(false);
    Timer3->stop();
    Setumei->setVisible(true);
    Settei->setVisible(true);
}
