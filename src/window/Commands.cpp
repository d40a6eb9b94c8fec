#include "window/Poruka.h"

#include "render/GraphCurves.h"
#include "render/GraphFrame.h"
#include "render/Thermometer.h"
#include "run/ElapsedTime.h"
#include "window/Intervals.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {

const QChar kCarriageReturn(13);

// Five lines, each ended by a carriage return; the second continues the first under its text.
QString HelpText()
{
    const QString lines[] = {
        QStringLiteral("せってい：めもりのつけかた、センサーの"),
        QStringLiteral("　　　　　しゅるいをきめます。"),
        QStringLiteral("リセット：そくていデータをけします。"),
        QStringLiteral("スタート：そくていをはじめます。"),
        QStringLiteral("おわる　：しゅうりょうします。"),
    };
    QString text;
    for (const QString& line : lines)
        text += line + kCarriageReturn;
    return text;
}

const QString kQuitQuestion = QStringLiteral("本当に終了しますか？");

} // namespace

// Settings, help, exit and close all begin like this: recording stops, and the next sample
// will replace the last one stored. The live readout keeps running.
void Poruka::PauseRecording()
{
    Timer2->stop();
    StepBackSampleCount();
}

// Help, exit and close resume at the interval of a started run.
void Poruka::ResumeRecording()
{
    Timer2->start(m_state.MinuteMode == 1 ? kRecordMinuteModeMs : kRecordTenthModeMs);
}

// The settings window resumes at its own, slower 0.1-s interval: 200 ms where a started run
// records every 100 ms. Intended; keep the difference.
void Poruka::ResumeRecordingAfterSettings()
{
    Timer2->start(m_state.MinuteMode == 1 ? kRecordMinuteModeMs : kRecordAfterSettingsMs);
}

// The settings window itself is built, shown and filled by the hook main installs.
void Poruka::Settei_Click()
{
    PauseRecording();
    if (m_environment.openSettings)
        m_environment.openSettings(*this);
}

void Poruka::ResumeAfterSettingsCancelled()
{
    if (m_state.SampleCount != 0 && RunActive())
        ResumeRecordingAfterSettings();
}

// With no samples a paused run stays paused, whatever Start says; otherwise the readout
// restarts, the label shows the samples so far and the run goes on or is shown whole.
void Poruka::ResumeAfterSettingsApplied()
{
    if (m_state.SampleCount == 0) {
        DrawPageFrame(m_state, m_surface);
        ShowDrawing();
        return;
    }
    if (m_state.MinuteMode == 1) {
        Timer1->start(kReadoutMinuteModeMs);
        Label3->setText(MinuteCountText(m_state.SampleCount));
        m_state.StartTime = clock().Now();
    } else {
        // 100 ms here, not the 64 ms of start-up. Intended; keep the difference.
        Timer1->start(kReadoutAfterSettingsMs);
        Label3->setText(SecondsElapsedText(m_state.SampleCount));
    }
    if (!RunActive())
        DrawRunGraph(m_state, m_surface);
    else
        ResumeRecordingAfterSettings();   // nothing is redrawn on this path
    ShowDrawing();
}

void Poruka::ShowModeCaption(const QString& text)
{
    Label3->setText(text);
}

void Poruka::Setumei_Click()
{
    PauseRecording();
    questions().ShowMessage(this, HelpText(), QStringLiteral("プログラムのせつめい"));
    if (m_state.SampleCount == 0) {
        DrawPageFrame(m_state, m_surface);
    } else if (!RunActive()) {
        DrawRunGraph(m_state, m_surface);
    } else {
        RedrawPage(m_state, m_surface);
        ResumeRecording();
    }
    ShowDrawing();
}

// Only offered between runs. Yes forgets the run: the slots are reused from 0 by the next one.
void Poruka::DataReset_Click()
{
    // The program's own title, never the caption with its status brackets.
    if (questions().AskYesNo(this, QStringLiteral("データをけしますか？"), QString::fromUtf8(kProgramTitle))) {
        m_state.SampleCount = 0;
        m_state.LastAxisSample = 0;
        // The page frame labels its time axis from StartTime, so it is set before drawing.
        if (m_state.MinuteMode == 1)
            m_state.StartTime = clock().Now();
        DrawThermometer(m_state, m_surface);
        DrawPageFrame(m_state, m_surface);
        Start->setText(QString::fromUtf8(kStartCaption));
        ShowIntervalCaption();
        DataReset->setVisible(false);   // nothing left to reset until the next run stops
        m_runLog.clear();
    } else if (RunActive()) {
        RedrawPage(m_state, m_surface);
    } else {
        DrawRunGraph(m_state, m_surface);
    }
    ShowDrawing();
}

// What exit and close do when the user answers No: the run goes on (whatever SampleCount is),
// or the whole run is shown again.
void Poruka::KeepRunning()
{
    if (RunActive()) {
        ResumeRecording();
        RedrawPage(m_state, m_surface);
    } else {
        DrawRunGraph(m_state, m_surface);
    }
    ShowDrawing();
}

void Poruka::Owari_Click()
{
    PauseRecording();
    if (questions().AskYesNo(this, kQuitQuestion, QStringLiteral("気圧計と温度計"))) {
        m_ending = true;   // the close that follows must not ask a second time
        endProgram();
        return;
    }
    KeepRunning();
}

bool Poruka::Form_Unload()
{
    if (m_ending)
        return false;
    PauseRecording();
    if (questions().AskYesNo(this, kQuitQuestion, QStringLiteral("気圧計"))) {
        hide();
        m_ending = true;
        endProgram();
        return false;
    }
    KeepRunning();
    return true;
}
