#pragma once

// The main window: the value fields, the status label, the buttons, the drawing surface and
// the three timers. It owns the program state, the surface and the serial port, writes every
// recorded sample to its run log and what the class must know to its status board, and
// announces each readout exchange. It knows none of the program's features (saving, zoom, the
// journal, the connection status): they follow the run log, the status board and the signals
// below. It knows nothing of the settings window either: せってい opens it through the hook in
// PorukaEnvironment, and the settings window changes this window only through the operations
// marked for it below.

#include "base/ProgramState.h"
#include "device/CommPort.h"
#include "device/ReadingExchange.h"
#include "render/Surface.h"
#include "run/Clock.h"
#include "run/RecordedSample.h"
#include "run/RunLog.h"
#include "run/StatusBoard.h"
#include "widgets/GlyphRunLabel.h"
#include "widgets/Questions.h"
#include "window/ReadingText.h"

#include <QDir>
#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;

class Poruka;
class PortStatus;
class SurfaceView;

// What the window reaches outside itself; the program's composition root fills it, with the
// classroom's parts or with a test's. Port, clock and questions must be given.
struct PorukaEnvironment {
    std::unique_ptr<CommPort> port;
    PortStatus* portStatus = nullptr;   // what the port reports for the caption (often the port
                                        // itself); none: the caption says nothing of the port
    std::unique_ptr<Clock> clock;
    std::unique_ptr<Questions> questions;
    QDir workingFolder = QDir::current();
    std::function<void()> endProgram;   // ends the program at once (exit, confirmed close)
    // Builds, shows and fills the settings window; without it せってい only pauses recording.
    std::function<void(Poruka&)> openSettings;
};

class Poruka : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kStartCaption = "スタート";
    static constexpr const char* kStopCaption = "ストップ";

    explicit Poruka(PorukaEnvironment environment, QWidget* parent = nullptr);
    ~Poruka() override;

    // Load (Poruka.cpp): runs the start-up sequence, then hides the alert field and the reset
    // button.
    void Form_Load();
    void StartUp();

    // Live readout (Readout.cpp).
    void Timer1Start();
    void Timer1_Timer();
    void RedrawInstruments();

    // Recording run (Recording.cpp; Timer3, which takes an alert down, in Alerts.cpp).
    void Start_Click();
    void Timer2_Timer();
    void Timer3_Timer();

    // Secondary commands (Commands.cpp). Owari is this window's exit button ("おわり"); it is
    // not the settings window's Owaru ("設定をおわる"), which applies the settings.
    void Settei_Click();
    void Setumei_Click();
    void DataReset_Click();
    void Owari_Click();
    bool Form_Unload();   // true = cancel the close

    // What the settings window may do to this window (Commands.cpp).
    void ShowModeCaption(const QString& text);   // Label3, as the settings window words it
    void ResumeAfterSettingsCancelled();         // キャンセル: resumes a run that has samples
    void ResumeAfterSettingsApplied();           // 設定をおわる: readout, label, graph and run after applying

    bool RunActive() const;   // a run is active exactly when Start's caption is not "スタート"

    ProgramState& state() { return m_state; }
    Surface& surface() { return m_surface; }
    CommPort& port() { return *m_environment.port; }
    PortStatus* portStatus() const { return m_environment.portStatus; }
    Clock& clock() { return *m_environment.clock; }
    Questions& questions() { return *m_environment.questions; }
    const QDir& workingFolder() const { return m_environment.workingFolder; }
    void endProgram();

    // Repaints what a handler drew on the surface, and nothing else.
    void ShowDrawing();

    // What the caption says besides the title; the caption follows it.
    StatusBoard& statusBoard() { return m_statusBoard; }
    const StatusBoard& statusBoard() const { return m_statusBoard; }

    // Every recorded sample as it is recorded, and the run's clearing.
    RunLog& runLog() { return m_runLog; }
    const RunLog& runLog() const { return m_runLog; }

    // Every control at its 1x place; a larger view of the window scales it.
    QWidget& content() const { return *m_content; }

signals:
    // A readout tick has exchanged with the port (or found it closed).
    void readoutExchanged();

public:

    // Controls, named as the program's procedures name them.
    QPushButton* Owari = nullptr;
    QPushButton* Setumei = nullptr;
    QPushButton* Settei = nullptr;
    QPushButton* DataReset = nullptr;
    QPushButton* Start = nullptr;
    QLabel* Label2 = nullptr;
    GlyphRunLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPlainTextEdit* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;
    SurfaceView* Picture1 = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
    QTimer* Timer3 = nullptr;
    QTimer* Timer5 = nullptr;   // present in the window, never started

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    void CheckAlerts();
    void RecordSample();   // pressure then temperature, read from Text3 and Text1
    void StepBackSampleCount();
    void ShowIntervalCaption();   // Label3 between runs: "１分ごとに測定" or "１秒ごとに測定"
    void SampleRecorded();   // keeps the sample's moment and announces it, after the alert check
    void ShowAlert(int16_t seconds, int16_t colourValue, const QString& text);

    // Once the histories are full every sample lands in the last slot; the alert check then
    // compares with what that slot held before the latest sample replaced it.
    int m_lastRecordedSlot = -1;
    bool m_lastSlotReplaced = false;
    float m_replacedTemperature = 0;
    float m_replacedPressure = 0;

    RecordedSample m_sample;   // the sample being recorded, until it is announced
    ReadingText m_temperatureText;   // Text1's last reading
    ReadingText m_pressureText;      // Text3's last reading
    ReadingExchange m_exchange;      // the live readout's requests awaiting their answers

    // Shared steps of the secondary commands (Commands.cpp).
    void PauseRecording();
    void ResumeRecording();
    void ResumeRecordingAfterSettings();
    void KeepRunning();

    PorukaEnvironment m_environment;
    ProgramState m_state;
    Surface m_surface;
    StatusBoard m_statusBoard;
    RunLog m_runLog;
    QWidget* m_content = nullptr;   // every control at its 1x place
    bool m_ending = false;   // exit or close confirmed: the program is ending, ask nothing more
};
