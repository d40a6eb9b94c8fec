// The caption that says whether the box answers, and the readout across a lost and reopened
// port, on a main window whose port can reconnect (as the program runs it).

#include "device/ReconnectingPort.h"
#include "features/ConnectionStatus.h"
#include "support/Fakes.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const QString kConnected = QString::fromUtf8(kConnectedCaption);
const QString kNotConnected = QStringLiteral("温度と気圧（ぽるか未接続）");

QByteArray Byte(int value)
{
    return QByteArray(1, static_cast<char>(value));
}

// A main window like the program's: the scripted port inside a reconnecting one.
struct ReconnectingWindow {
    ReconnectingWindow()
    {
        auto fakeOwned = std::make_unique<FakeCommPort>();
        port = fakeOwned.get();
        auto linkOwned = std::make_unique<ReconnectingPort>(std::move(fakeOwned));
        link = linkOwned.get();
        PorukaEnvironment environment;
        environment.portStatus = link;
        environment.port = std::move(linkOwned);
        environment.clock = std::make_unique<FakeClock>();
        environment.questions = std::make_unique<ScriptedQuestions>();
        environment.workingFolder = QDir(folder.path());
        environment.endProgram = [] {};
        // Tables that are there (if empty), so that the caption speaks of the port alone.
        for (const char* name : {"EKION.CSV", "KION.CSV", "VORUM1.CSV", "VORUM2.CSV"}) {
            QFile table(folder.filePath(QString::fromLatin1(name)));
            table.open(QIODevice::WriteOnly);
        }
        program = std::make_unique<Program>(std::move(environment));
        window = &program->window();
    }

    QTemporaryDir folder;
    FakeCommPort* port = nullptr;
    ReconnectingPort* link = nullptr;
    std::unique_ptr<Program> program;
    Poruka* window = nullptr;
};

// One readout tick as the timer delivers it, with everything connected to the timer.
void Tick(Poruka& window)
{
    QMetaObject::invokeMethod(window.Timer1, "timeout", Qt::DirectConnection);
}

} // namespace

TEST(ConnectionStatus, BoxThereAndNeverLostChangesNothing)
{
    const std::deque<QByteArray> script = {"QUIRAN", {}, Byte(80), Byte(113), {}, {},
                                           Byte(81), Byte(114), Byte(82)};
    TestWindow plain;
    ReconnectingWindow wrapped;
    plain.port->replies = script;
    wrapped.port->replies = script;
    plain.window->StartUp();
    wrapped.window->StartUp();
    EXPECT_EQ(wrapped.window->windowTitle(), kConnected);

    for (int i = 0; i < 10; ++i) {
        Tick(*plain.window);
        Tick(*wrapped.window);
        EXPECT_EQ(wrapped.window->Text1->text(), plain.window->Text1->text());
        EXPECT_EQ(wrapped.window->Text3->text(), plain.window->Text3->text());
    }
    EXPECT_EQ(wrapped.port->written, plain.port->written);
    EXPECT_EQ(wrapped.window->Timer1->interval(), plain.window->Timer1->interval());
    EXPECT_EQ(wrapped.window->Timer2->isActive(), plain.window->Timer2->isActive());
    EXPECT_EQ(wrapped.window->windowTitle(), kConnected);
    EXPECT_FALSE(wrapped.link->retryTimer().isActive());
}

// A device that opens but answers neither the probe nor a request is not taken for the box:
// it is given up and the box is looked for again, found by its answer to the probe.
TEST(ConnectionStatus, StartUpOnASilentDeviceLooksAgainAndFindsTheBoxByItsProbe)
{
    ReconnectingWindow test;
    test.window->StartUp();   // the probe goes unanswered
    EXPECT_EQ(test.window->state().BoxMissing, -1);
    EXPECT_EQ(test.window->windowTitle(), kNotConnected);
    Tick(*test.window);
    Tick(*test.window);
    EXPECT_EQ(test.port->abandoned, 1);
    EXPECT_TRUE(test.link->retryTimer().isActive());
    EXPECT_EQ(test.window->windowTitle(), kNotConnected);

    test.port->written.clear();
    test.link->Reopen();
    EXPECT_EQ(test.port->written, (std::vector<uint8_t>{0x00, 0x00, 0xFF}));
    Tick(*test.window);   // the readout keeps off the line while the probe is out
    EXPECT_EQ(test.port->written.size(), 3u);
    test.port->replies = {"QUIRAN"};
    test.link->LookForProbeAnswer();
    EXPECT_EQ(test.window->windowTitle(), kConnected);
    test.port->replies = {{}, Byte(113)};
    Tick(*test.window);
    Tick(*test.window);
    ASSERT_EQ(test.port->written.size(), 5u);
    const ProgramState& state = test.window->state();
    EXPECT_EQ(test.port->written[3] == 0xF2 ? state.RawTemperature : state.RawPressure, 113)
        << "the answer to the first request after the probe, not the probe's answer";
}

TEST(ConnectionStatus, PortMissingAtStartUpIsReopenedWhenItAppears)
{
    ReconnectingWindow test;
    test.port->canOpen = false;
    test.window->StartUp();
    EXPECT_EQ(test.window->windowTitle(), kNotConnected);
    EXPECT_TRUE(test.link->retryTimer().isActive());
    EXPECT_EQ(test.link->retryTimer().interval(), 1000);

    test.port->canOpen = true;
    test.link->Reopen();
    EXPECT_TRUE(test.port->open);
    EXPECT_EQ(test.window->windowTitle(), kNotConnected);
    test.port->replies = {"QUIRAN"};
    test.link->LookForProbeAnswer();
    EXPECT_EQ(test.window->windowTitle(), kConnected);
    EXPECT_FALSE(test.link->retryTimer().isActive());
}

TEST(ConnectionStatus, LostPortKeepsValuesAndRunThenResumesWhereItLeftOff)
{
    ReconnectingWindow test;
    Poruka& window = *test.window;
    ProgramState& state = window.state();
    test.port->replies = {"QUIRAN"};
    window.StartUp();
    for (int i = 0; i < kTableSize; ++i) {
        state.TemperatureTable[i] = static_cast<int16_t>(i - 50);
        state.PressureTable[i] = static_cast<int16_t>(900 + i);
    }
    state.RequestF3 = 0xF3;
    state.RequestF2 = 0xF2;
    AnswerUntilTemperatureAsked(window, *test.port, 113);
    test.port->replies = {Byte(73), Byte(113)};
    Tick(window);
    Tick(window);
    ASSERT_EQ(window.Text1->text(), QStringLiteral(" 23"));
    ASSERT_EQ(window.Text3->text(), QStringLiteral(" 1013"));
    window.Start->setText(QString::fromUtf8(Poruka::kStopCaption));   // a run is recording
    window.Timer2->start(100);
    const auto writtenBefore = test.port->written.size();

    test.port->open = false;   // the box is unplugged
    test.port->canOpen = false;
    Tick(window);
    EXPECT_EQ(window.windowTitle(), kNotConnected);
    EXPECT_TRUE(test.link->retryTimer().isActive());
    for (int i = 0; i < 5; ++i)
        Tick(window);
    EXPECT_EQ(window.Text1->text(), QStringLiteral(" 23"));
    EXPECT_EQ(window.Text3->text(), QStringLiteral(" 1013"));
    EXPECT_EQ(test.port->written.size(), writtenBefore);
    EXPECT_TRUE(window.Timer2->isActive());
    EXPECT_EQ(window.Timer2->interval(), 100);
    EXPECT_TRUE(window.RunActive());

    test.link->Reopen();   // still gone
    EXPECT_TRUE(test.link->retryTimer().isActive());
    test.port->canOpen = true;
    test.port->replies = {"junk from before"};
    test.link->Reopen();
    EXPECT_FALSE(test.link->retryTimer().isActive());
    EXPECT_EQ(window.windowTitle(), kNotConnected);
    test.port->replies = {"QUIRAN"};
    test.link->LookForProbeAnswer();
    EXPECT_EQ(window.windowTitle(), kConnected);

    // The readout starts afresh on the new opening; the stale bytes are gone.
    test.port->replies = {{}, Byte(75), Byte(114)};
    Tick(window);
    Tick(window);
    Tick(window);
    EXPECT_EQ(std::vector<uint8_t>(test.port->written.begin() + writtenBefore,
                                   test.port->written.end()),
              (std::vector<uint8_t>{0x00, 0x00, 0xFF, 0xF3, 0xF2, 0xF3}));
    EXPECT_EQ(window.Text3->text(), QStringLiteral(" 975"));
    EXPECT_EQ(window.Text1->text(), QStringLiteral(" 64"));
}

// An adapter the user may not open, or one another program holds, is named as the cause; all
// else goes on as without a box, and the retries pick up a change of cause or an opening.
TEST(ConnectionStatus, PortThatWillNotOpenNamesTheCause)
{
    ReconnectingWindow test;
    test.port->canOpen = false;
    test.port->failure = OpenFailure::NoPermission;
    test.window->StartUp();
    EXPECT_EQ(test.window->windowTitle(), QStringLiteral("温度と気圧（ポートを開く権限がありません）"));
    EXPECT_EQ(test.window->state().BoxMissing, -1);
    Tick(*test.window);
    EXPECT_TRUE(test.port->written.empty());
    EXPECT_TRUE(test.link->retryTimer().isActive());

    test.port->failure = OpenFailure::Busy;   // the user joined the group; another program has it
    test.link->Reopen();
    EXPECT_EQ(test.window->windowTitle(), QStringLiteral("温度と気圧（ポートは使用中です）"));
    test.port->failure = OpenFailure::Unavailable;   // the adapter was pulled out
    test.link->Reopen();
    EXPECT_EQ(test.window->windowTitle(), kNotConnected);

    test.port->failure = OpenFailure::NoPermission;
    test.link->Reopen();
    test.port->canOpen = true;
    test.link->Reopen();
    EXPECT_EQ(test.window->windowTitle(), kNotConnected);   // open, the probe not answered yet
    test.port->replies = {"QUIRAN"};
    test.link->LookForProbeAnswer();
    EXPECT_EQ(test.window->windowTitle(), kConnected);
}
