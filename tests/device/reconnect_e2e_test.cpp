// The program against poruka-box when the box goes away and comes back: the caption says so at
// each step, the readout picks up again on the same device within two seconds of the box's
// return, and a 0.1-s run records throughout without losing a sample.

#include "device/ReconnectingPort.h"
#include "device/SerialCommPort.h"
#include "features/ConnectionStatus.h"
#include "support/BoxProcess.h"
#include "support/Fakes.h"
#include "window/Poruka.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const QString kConnected = QString::fromUtf8(kConnectedCaption);
const QString kNotConnected = QString::fromUtf8(kNotConnectedCaption);

// How long the test waits for the box to be answering again once its device is back: the port
// tries once a second, so this only bounds a test that would otherwise hang.
constexpr int kResumeLimitMilliseconds = 15000;

// The program's window on the box's device, in a working folder with the test tables
// (liquid temperature = byte / 2 - 20 °C, pressure = 900 + byte hPa) and the 0.1-s mode.
struct ProgramOnBox {
    ProgramOnBox()
    {
        WriteTestTables(folder.path());
        QFile settings(folder.filePath(QStringLiteral("VORUM.TXT")));
        settings.open(QIODevice::WriteOnly);
        settings.write("Zikan=0\r\n");
        settings.close();

        auto linkOwned = std::make_unique<ReconnectingPort>(
            std::make_unique<SerialCommPort>(box.link()));
        link = linkOwned.get();
        PorukaEnvironment environment;
        environment.portStatus = link;
        environment.port = std::move(linkOwned);
        environment.questions = std::make_unique<ScriptedQuestions>();
        environment.workingFolder = QDir(folder.path());
        environment.endProgram = [] {};
        program = std::make_unique<Program>(std::move(environment));
        window = &program->window();
    }

    QString title() const { return window->windowTitle(); }
    double count() const { return window->state().SampleCount; }
    bool Shows(const char* temperature, const char* pressure) const
    {
        return window->Text1->text() == QLatin1String(temperature)
            && window->Text3->text() == QLatin1String(pressure);
    }

    QTemporaryDir folder;
    BoxProcess box{folder.path()};
    ReconnectingPort* link = nullptr;
    std::unique_ptr<Program> program;
    Poruka* window = nullptr;
};

} // namespace

TEST(ReconnectEndToEnd, BoxKilledDuringTenthSecondRunIsPickedUpAgainWithEverySample)
{
    ProgramOnBox program;
    ASSERT_TRUE(program.folder.isValid());
    ASSERT_TRUE(program.box.Start({"--scenario", "steady"}));
    program.window->Form_Load();
    EXPECT_EQ(program.title(), kConnected);
    ASSERT_TRUE(QTest::qWaitFor([&] { return program.Shows(" 20", " 1013"); }, 5000));

    program.window->Start_Click();
    ASSERT_TRUE(program.window->RunActive());
    ASSERT_TRUE(QTest::qWaitFor([&] { return program.count() >= 10; }, 5000));

    // The box goes away: the caption says so, the fields and the run carry on.
    ASSERT_TRUE(program.box.Stop());
    ASSERT_TRUE(QTest::qWaitFor([&] { return program.title() == kNotConnected; }, 2000));
    const int lostAt = static_cast<int>(program.count());
    EXPECT_TRUE(program.link->retryTimer().isActive());
    ASSERT_TRUE(QTest::qWaitFor([&] { return program.count() >= lostAt + 10; }, 5000));
    EXPECT_TRUE(program.Shows(" 20", " 1013"));
    EXPECT_EQ(program.title(), kNotConnected);

    const int beforeReturn = static_cast<int>(program.count());
    const History temperatures = program.window->state().TemperatureHistory;
    const History pressures = program.window->state().PressureHistory;

    // It comes back on the same path with hot water (80 °C): the new readings show.
    QFile::remove(program.box.log());
    ASSERT_TRUE(program.box.Start({"--scenario", "cooling"}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return program.title() == kConnected; },
                                kResumeLimitMilliseconds));
    EXPECT_TRUE(QTest::qWaitFor([&] { return program.window->Text1->text() == " 80"; },
                                kResumeLimitMilliseconds));
    EXPECT_FALSE(program.link->retryTimer().isActive());

    // The run went on throughout and kept every sample, the ones from the outage included.
    const ProgramState& state = program.window->state();
    EXPECT_TRUE(program.window->RunActive());
    EXPECT_TRUE(program.window->Timer2->isActive());
    EXPECT_GT(program.count(), beforeReturn);
    for (int i = 0; i < beforeReturn; ++i) {
        ASSERT_EQ(state.TemperatureHistory[i], temperatures[i]) << "slot " << i;
        ASSERT_EQ(state.PressureHistory[i], pressures[i]) << "slot " << i;
    }
    for (int i = 0; i < beforeReturn; ++i) {
        EXPECT_EQ(state.TemperatureHistory[i], 2000.0f) << "slot " << i;
        EXPECT_EQ(state.PressureHistory[i], 10130.0f) << "slot " << i;
    }
    // The new box heard the probe that found it, then the readout's requests.
    const QStringList heard = program.box.LoggedBytes();
    ASSERT_GT(heard.size(), 3);
    EXPECT_EQ(heard.mid(0, 3), (QStringList{"00", "00", "FF"}));
    for (const QString& byte : heard.mid(3))
        EXPECT_TRUE(byte == QLatin1String("F3") || byte == QLatin1String("F2")) << byte.toStdString();
    program.window->Start_Click();
}

TEST(ReconnectEndToEnd, StartUpWithoutBoxFindsItWhenItIsSwitchedOn)
{
    ProgramOnBox program;
    program.window->Form_Load();   // nothing at the box's path yet
    EXPECT_EQ(program.window->state().BoxMissing, -1);
    EXPECT_EQ(program.title(), kNotConnected);
    EXPECT_TRUE(program.link->retryTimer().isActive());

    ASSERT_TRUE(program.box.Start({"--scenario", "steady"}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return program.title() == kConnected; },
                                kResumeLimitMilliseconds));
    EXPECT_TRUE(QTest::qWaitFor([&] { return program.Shows(" 20", " 1013"); },
                                kResumeLimitMilliseconds));
}
