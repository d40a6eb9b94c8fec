#include "window/Poruka.h"

#include "base/Numbers.h"
#include "render/GraphCurves.h"
#include "render/GraphFrame.h"
#include "run/ElapsedTime.h"
#include "widgets/ShowText.h"
#include "window/Intervals.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cfloat>

namespace {

// The number a value field begins with, as a Single; a text without one gives 0, and a
// number beyond the Single range is held at its largest value.
float FieldNumber(const QLineEdit* field)
{
    const double value = LeadingNumber(field->text());
    if (value > FLT_MAX)
        return FLT_MAX;
    if (value < -FLT_MAX)
        return -FLT_MAX;
    return static_cast<float>(value);
}

// From the third sample on, whenever any alert is defined: a lesson may watch the pressure
// alone.
bool AlertsDue(const ProgramState& state)
{
    return state.SampleCount > 2 && (state.TemperatureAlertCount > 0 || state.PressureAlertCount > 0);
}

} // namespace

void Poruka::Start_Click()
{
    if (!RunActive()) {
        // Start a run, or continue the stopped one.
        StepBackSampleCount();
        Start->setText(QString::fromUtf8(kStopCaption));
        DataReset->setVisible(false);
        if (m_state.SampleCount != 0)
            RedrawPage(m_state, m_surface);
        if (m_state.MinuteMode == 1) {
            if (m_state.SampleCount == 0) {
                m_state.StartTime = clock().Now();
                DrawPageFrame(m_state, m_surface);
            }
            // The first minute's sample is taken at once; the timer brings the next a minute on.
            RecordSample();
            if (AlertsDue(m_state))
                CheckAlerts();
            SampleRecorded();
            Timer2->start(kRecordMinuteModeMs);
            m_state.MinuteToggle = 0;
        } else {
            Timer2->start(kRecordTenthModeMs);
        }
    } else {
        Start->setText(QString::fromUtf8(kStartCaption));
        Timer2->stop();
        Timer3_Timer();
        StepBackSampleCount();
        DataReset->setVisible(true);
        DrawRunGraph(m_state, m_surface);
    }
    ShowDrawing();
}

// Stopping, continuing and every pause step back one sample, so the next sample replaces the
// last one stored; never below 0.
void Poruka::StepBackSampleCount()
{
    m_state.SampleCount = m_state.SampleCount - 1;
    if (m_state.SampleCount <= 0)
        m_state.SampleCount = 0;
}

void Poruka::Timer2_Timer()
{
    if (m_state.MinuteMode == 1) {
        // The timer runs at 30 s; every second tick makes the minute.
        if (m_state.MinuteToggle != 1) {
            m_state.MinuteToggle = 1;
            return;
        }
        m_state.MinuteToggle = 0;
        Label3->ShowText(MinuteElapsedText(m_state.SampleCount));
    } else {
        Label3->ShowText(SecondsElapsedText(m_state.SampleCount));
    }
    RecordSample();
    if (AlertsDue(m_state))
        CheckAlerts();
    SampleRecorded();
    ShowDrawing();
}

void Poruka::RecordSample()
{
    const int slot = static_cast<int>(m_state.SampleCount);
    m_lastSlotReplaced = slot == kLastHistorySlot && m_lastRecordedSlot == kLastHistorySlot;
    if (m_lastSlotReplaced) {
        m_replacedTemperature = m_state.TemperatureHistory[kLastHistorySlot];
        m_replacedPressure = m_state.PressureHistory[kLastHistorySlot];
    }
    m_lastRecordedSlot = slot;

    float pressure = FieldNumber(Text3);
    float temperature = FieldNumber(Text1);
    RecordPressureSample(m_state, m_surface, pressure);
    RecordTemperatureSample(m_state, m_surface, temperature);

    m_sample.slot = std::clamp(slot, 0, kLastHistorySlot);
    m_sample.temperature = m_state.TemperatureHistory[m_sample.slot];
    m_sample.pressure = m_state.PressureHistory[m_sample.slot];
    // While the caption says the box is not answering, the fields hold its last reading.
    m_sample.moment = {clock().Moment(), m_state.MinuteMode != 1, m_statusBoard.text(StatusSource::Port).isEmpty(), {}};
}

void Poruka::SampleRecorded()
{
    m_runLog.record(m_sample);
}
