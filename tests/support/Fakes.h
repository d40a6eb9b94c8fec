#pragma once

// Stand-ins for the world outside the program: a scripted serial port, a settable clock and
// scripted answers to the program's questions.

#include "device/CommPort.h"
#include "program/Program.h"
#include "run/Clock.h"
#include "widgets/Questions.h"
#include "window/Poruka.h"

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>

#include <deque>
#include <memory>
#include <vector>

class FakeCommPort final : public CommPort {
public:
    bool Open(int16_t portNumber) override
    {
        openedPort = portNumber;
        open = canOpen;
        openings += open ? 1 : 0;
        return open;
    }
    bool IsOpen() const override { return open; }
    OpenFailure LastOpenFailure() const override { return open ? OpenFailure::None : failure; }
    void Write(uint8_t byte) override
    {
        if (open)
            written.push_back(byte);
    }
    QByteArray ReadAvailable() override
    {
        if (!open || replies.empty())
            return {};
        QByteArray next = replies.front();
        replies.pop_front();
        return next;
    }
    QByteArray WaitForReply(int maxMilliseconds, qsizetype) override
    {
        waitLimits.push_back(maxMilliseconds);
        return ReadAvailable();
    }
    unsigned Openings() const override { return openings; }
    void Abandon() override
    {
        open = false;
        ++abandoned;
    }

    bool canOpen = true;
    OpenFailure failure = OpenFailure::Unavailable;   // why an opening fails while canOpen is false
    bool open = false;                // set it false to pull the adapter out
    int16_t openedPort = 0;
    std::vector<uint8_t> written;
    std::deque<QByteArray> replies;   // one entry per read or wait; an empty entry is an empty read
    std::vector<int> waitLimits;      // maxMilliseconds of each wait for the probe answer
    unsigned openings = 0;
    int abandoned = 0;
};

class FakeClock final : public Clock {
public:
    double Now() const override { return now; }
    double now = 46000.5;   // 2025-12-09 12:00
};

class ScriptedQuestions final : public Questions {
public:
    bool AskYesNo(QWidget*, const QString& message, const QString& title) override
    {
        asked.push_back({message, title});
        if (answers.empty())
            return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void ShowMessage(QWidget*, const QString& message, const QString& title) override
    {
        shown.push_back({message, title});
    }
    QString AskSaveFileName(QWidget*, const QString& title, const QString& suggestedPath,
                            const QString&) override
    {
        askedSave.push_back({suggestedPath, title});
        if (saveNames.empty())
            return QString();
        const QString name = saveNames.front();
        saveNames.pop_front();
        return name;
    }
    QStringList AskOpenFileNames(QWidget*, const QString&, const QString&, const QString&) override
    {
        if (openNames.empty())
            return QStringList();
        const QStringList names = openNames.front();
        openNames.pop_front();
        return names;
    }

    struct Asked {
        QString message;
        QString title;
    };
    std::deque<bool> answers;   // Yes = true; none left answers No
    std::vector<Asked> asked;
    std::vector<Asked> shown;
    std::deque<QString> saveNames;   // paths chosen in save dialogs; none left cancels
    std::vector<Asked> askedSave;    // message = the suggested path
    std::deque<QStringList> openNames;   // files chosen in open dialogs; none left cancels
};

// Answers the readout's requests with the byte given until its last request asks for the
// temperature (0xF2): the next tick then reads a temperature.
inline void AnswerUntilTemperatureAsked(Poruka& window, FakeCommPort& port, int byte)
{
    for (int i = 0; i < 4 && (port.written.empty() || port.written.back() != 0xF2); ++i) {
        port.replies = {QByteArray(1, static_cast<char>(byte))};
        window.Timer1_Timer();
    }
    port.replies.clear();
}

// The program built as it runs, its main window wired to the fakes above, with its working
// folder in a fresh temporary folder.
struct TestWindow {
    TestWindow()
    {
        auto portOwned = std::make_unique<FakeCommPort>();
        auto clockOwned = std::make_unique<FakeClock>();
        auto questionsOwned = std::make_unique<ScriptedQuestions>();
        port = portOwned.get();
        clock = clockOwned.get();
        questions = questionsOwned.get();
        PorukaEnvironment environment;
        environment.port = std::move(portOwned);
        environment.clock = std::move(clockOwned);
        environment.questions = std::move(questionsOwned);
        environment.workingFolder = QDir(folder.path());
        environment.endProgram = [this] { ++programEnded; };
        program = std::make_unique<Program>(std::move(environment));
        window = &program->window();
    }

    // Writes a file into the working folder.
    void WriteFile(const QString& name, const QByteArray& content) const
    {
        QFile file(folder.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(content);
    }

    QTemporaryDir folder;
    FakeCommPort* port = nullptr;
    FakeClock* clock = nullptr;
    ScriptedQuestions* questions = nullptr;
    int programEnded = 0;
    std::unique_ptr<Program> program;
    Poruka* window = nullptr;
};
