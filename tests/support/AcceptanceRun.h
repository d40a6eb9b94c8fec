#pragma once

// A classroom session as the acceptance tests run it: the program's main window shown
// offscreen with the real serial port, poruka-box on a pseudo-terminal, and a working folder
// holding copies of the sample calibration files and the test's own VORUM.TXT.

#include "base/Numbers.h"
#include "device/ReconnectingPort.h"
#include "device/SerialCommPort.h"
#include "settings/OpenSettingsWindow.h"
#include "support/BoxProcess.h"
#include "support/Fakes.h"
#include "support/TestPaths.h"
#include "window/Poruka.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <memory>
#include <vector>

using Table = std::array<int, 256>;

// A calibration file read the plain way: a header line, then 256 whole numbers.
inline Table ReadTable(const QString& path)
{
    Table table{};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return table;
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (int i = 0; i < 256 && i + 1 < lines.size(); ++i)
        table[i] = lines[i + 1].trimmed().toInt();
    return table;
}

// Removes repeats: the readout shows a value for several recording ticks.
inline QList<int> Distinct(const QList<int>& values)
{
    QList<int> distinct;
    for (int value : values) {
        if (distinct.isEmpty() || distinct.last() != value)
            distinct << value;
    }
    return distinct;
}

inline bool IsInOrderWithin(const QList<int>& part, const QList<int>& whole)
{
    qsizetype at = 0;
    for (int value : part) {
        while (at < whole.size() && whole[at] != value)
            ++at;
        if (at == whole.size())
            return false;
    }
    return true;
}

inline QString SampleDataFolder()
{
    return SourcePath("/data");
}

// Every sample the window stores, with the values its fields showed when it was stored. The
// recording tick reads the fields and does not change them, so looking right after a tick
// sees what it stored.
class SampleLedger {
public:
    // Follows the window's own recording timer (0.1-s runs).
    void Follow(Poruka& window)
    {
        QObject::connect(window.Timer2, &QTimer::timeout, window.Timer2, [this, &window] {
            ++ticksSeen;
            Note(window, static_cast<int>(window.state().SampleCount) - 1);
        });
    }

    // One recording tick run directly (minute runs); only every second tick stores there.
    void Tick(Poruka& window)
    {
        const ProgramState& state = window.state();
        const bool stores = state.MinuteMode != 1 || state.MinuteToggle == 1;
        const int slot = static_cast<int>(state.SampleCount);
        window.Timer2_Timer();
        if (stores)
            Note(window, slot);
    }

    // Start pressed: a minute run stores its first sample at once.
    void Start(Poruka& window)
    {
        window.Start_Click();
        if (window.state().MinuteMode == 1)
            Note(window, static_cast<int>(window.state().SampleCount) - 1);
    }

    // Every slot below SampleCount holds the last sample stored there.
    void ExpectAllKept(Poruka& window) const
    {
        const ProgramState& state = window.state();
        const int count = static_cast<int>(state.SampleCount);
        for (const auto& [slot, sample] : stored) {
            if (slot >= count)
                continue;
            EXPECT_EQ(state.TemperatureHistory[slot], sample.temperature) << "slot " << slot;
            EXPECT_EQ(state.PressureHistory[slot], sample.pressure) << "slot " << slot;
        }
        for (int slot = 0; slot < count; ++slot)
            EXPECT_TRUE(stored.count(slot)) << "slot " << slot << " holds a sample nobody stored";
    }

    struct Sample {
        float temperature;   // history units, as stored
        float pressure;
    };
    std::map<int, Sample> stored;
    std::vector<Sample> inOrder;   // every sample as it was stored, repeats included
    int ticksSeen = 0;

private:
    void Note(Poruka& window, int slot)
    {
        const Sample sample{static_cast<float>(LeadingNumber(window.Text1->text())) * 100,
                            static_cast<float>(LeadingNumber(window.Text3->text())) * 10};
        stored[slot] = sample;
        inOrder.push_back(sample);
    }
};

struct AcceptanceRun : ::testing::Test {
    AcceptanceRun()
    {
        for (const char* name : {"EKION.CSV", "KION.CSV", "VORUM1.CSV", "VORUM2.CSV"})
            QFile::copy(SampleDataFolder() + "/" + name, folder.filePath(name));
    }

    void WriteCustomization(const QByteArray& content) const { WriteFile("VORUM.TXT", content); }
    void WriteFile(const QString& name, const QByteArray& content) const
    {
        QFile file(folder.filePath(name));
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(content);
    }

    // The box reads the sample tables, whatever the program's folder holds.
    bool StartBox(const QStringList& extra = {})
    {
        return box.Start(QStringList{"--data", SampleDataFolder(), "--answers", answersLog()} + extra);
    }
    QString answersLog() const { return folder.filePath("box-answers.log"); }

    // The raw bytes the box sent in answer to one request code ("F2" temperature, "F3" pressure).
    QList<int> BoxAnswers(const QString& request) const
    {
        QList<int> bytes;
        QFile file(answersLog());
        if (!file.open(QIODevice::ReadOnly))
            return bytes;
        for (const QByteArray& line : file.readAll().split('\n')) {
            if (line.startsWith(request.toLatin1() + ' '))
                bytes << line.mid(3).toInt(nullptr, 16);
        }
        return bytes;
    }

    // What the box's answers to one request stand for through a table, in the order it sent them.
    QList<int> BoxValues(const QString& request, const Table& table) const
    {
        QList<int> values;
        for (int byte : BoxAnswers(request))
            values << table[byte];
        return values;
    }

    // The window as the program builds it; a settable clock when the test wants one.
    void OpenWindow(bool settableClock = false)
    {
        PorukaEnvironment environment;
        auto port = std::make_unique<ReconnectingPort>(std::make_unique<SerialCommPort>(box.link()));
        environment.portStatus = port.get();
        environment.port = std::move(port);
        if (settableClock) {
            auto owned = std::make_unique<FakeClock>();
            clock = owned.get();
            environment.clock = std::move(owned);
        }
        auto questionsOwned = std::make_unique<ScriptedQuestions>();
        questions = questionsOwned.get();
        environment.questions = std::move(questionsOwned);
        environment.workingFolder = QDir(folder.path());
        environment.endProgram = [this] { ++programEnded; };
        program = std::make_unique<Program>(std::move(environment));
        window = &program->window();
        window->Form_Load();
        window->show();
    }

    // Both fields show a reading from the box.
    bool WaitForReadings(int timeoutMs = 10000)
    {
        return QTest::qWaitFor([&] {
            return window->Text1->text() != "Text1" && window->Text3->text() != "Text3";
        }, timeoutMs);
    }

    // Lets the event loop run until the timer has fired `count` more times.
    static bool WaitForTicks(QTimer* timer, int count, int timeoutMs = 20000)
    {
        QSignalSpy ticks(timer, &QTimer::timeout);
        return QTest::qWaitFor([&] { return ticks.count() >= count; }, timeoutMs);
    }

    bool WaitForSamples(int count, int timeoutMs = 20000)
    {
        return QTest::qWaitFor([&] { return window->state().SampleCount >= count; }, timeoutMs);
    }

    QTemporaryDir folder;
    BoxProcess box{folder.path()};
    FakeClock* clock = nullptr;
    ScriptedQuestions* questions = nullptr;
    int programEnded = 0;
    std::unique_ptr<Program> program;
    Poruka* window = nullptr;
    SampleLedger ledger;
};
