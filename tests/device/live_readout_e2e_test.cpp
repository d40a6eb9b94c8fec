// The main window with the real Qt serial port against the stand-in box on a pseudo-terminal.

#include "base/Numbers.h"
#include "device/SerialCommPort.h"
#include "render/GraphCurves.h"
#include "support/BoxProcess.h"
#include "support/Fakes.h"
#include "support/TestTerminal.h"
#include "window/Poruka.h"

#include <QAbstractEventDispatcher>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

struct LiveReadout : ::testing::Test {
    LiveReadout() { WriteTestTables(folder.path()); }

    // A window as the program builds it, with --port naming the box's link.
    void MakeWindow(const QString& device)
    {
        auto owned = std::make_unique<SerialCommPort>(device);
        port = owned.get();
        PorukaEnvironment environment;
        environment.port = std::move(owned);
        environment.questions = std::make_unique<ScriptedQuestions>();
        environment.workingFolder = QDir(folder.path());
        program = std::make_unique<Program>(std::move(environment));
        window = &program->window();
        window->Form_Load();
    }

    bool WaitForValues(const QString& temperature, const QString& pressure)
    {
        return QTest::qWaitFor([&] {
            return window->Text1->text() == temperature && window->Text3->text() == pressure;
        }, 10000);
    }

    QTemporaryDir folder;
    BoxProcess box{folder.path()};
    SerialCommPort* port = nullptr;
    std::unique_ptr<Program> program;
    Poruka* window = nullptr;
};

} // namespace

TEST_F(LiveReadout, BoxIsFoundAndTheFieldsShowTheModelThroughTheTables)
{
    ASSERT_TRUE(box.Start({"--scenario", "steady"}));
    MakeWindow(box.link());
    EXPECT_EQ(window->state().BoxMissing, 0);
    // The steady scene is 20 °C and 1013 hPa; the tables turn them into bytes and back.
    EXPECT_TRUE(WaitForValues(" 20", " 1013"))
        << window->Text1->text().toStdString() << " / " << window->Text3->text().toStdString();

    // The probe first, then one request per tick, temperature and pressure in turn.
    ASSERT_TRUE(QTest::qWaitFor([&] { return box.LoggedBytes().size() >= 11; }, 10000));
    const QStringList heard = box.LoggedBytes();
    EXPECT_EQ(heard.mid(0, 3), QStringList({"00", "00", "FF"}));
    for (qsizetype i = 3; i < heard.size(); ++i)
        EXPECT_EQ(heard[i].toStdString(), (i - 3) % 2 == 0 ? "F3" : "F2") << "request " << i;
}

TEST_F(LiveReadout, BoxMissingWhenItIsNotStarted)
{
    MakeWindow(box.link());
    EXPECT_EQ(window->state().BoxMissing, -1);
    EXPECT_FALSE(port->IsOpen());
    EXPECT_TRUE(window->Timer1->isActive());
    QSignalSpy ticks(window->Timer1, &QTimer::timeout);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks.count() >= 2; }, 10000));
    EXPECT_EQ(window->Text1->text(), "Text1");
}

TEST_F(LiveReadout, BoxMissingWhenTheLineIsThereButNothingAnswers)
{
    TestTerminal line;   // a serial line with no box on it
    MakeWindow(line.device);
    EXPECT_TRUE(port->IsOpen());
    EXPECT_EQ(window->state().BoxMissing, -1);
    EXPECT_EQ(line.Receive(3).left(3), QByteArray("\x00\x00\xff", 3));
}

TEST_F(LiveReadout, KillingTheBoxLeavesTheProgramResponsiveWithItsSamples)
{
    ASSERT_TRUE(box.Start({"--scenario", "steady"}));
    MakeWindow(box.link());
    ASSERT_TRUE(WaitForValues(" 20", " 1013"));
    // Three samples of what the fields show, stored as a recording step stores them.
    for (int i = 0; i < 3; ++i) {
        float pressure = LeadingNumber(window->Text3->text());
        float temperature = LeadingNumber(window->Text1->text());
        RecordPressureSample(window->state(), window->surface(), pressure);
        RecordTemperatureSample(window->state(), window->surface(), temperature);
    }
    const ProgramState recorded = window->state();
    ASSERT_EQ(recorded.SampleCount, 3);
    ASSERT_EQ(recorded.TemperatureHistory[2], 2000);
    ASSERT_EQ(recorded.PressureHistory[2], 10130);

    box.Kill();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !port->IsOpen(); }, 10000));

    // A port that keeps failing would keep the event loop busy between ticks; a closed one
    // lets it sleep until the next timer.
    int wakeUps = 0;
    int ticks = 0;
    QEventLoop loop;
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::awake,
                     &loop, [&] { ++wakeUps; });
    QObject::connect(window->Timer1, &QTimer::timeout, &loop, [&] {
        if (++ticks == 5)
            loop.quit();
    });
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_EQ(ticks, 5);
    EXPECT_LT(wakeUps, 100) << "over " << ticks << " ticks";

    // Handlers still run and what was recorded is kept.
    window->Timer1_Timer();
    window->Timer2_Timer();
    const ProgramState& now = window->state();
    EXPECT_EQ(now.SampleCount, recorded.SampleCount);
    for (int i = 0; i < static_cast<int>(recorded.SampleCount); ++i) {
        EXPECT_EQ(now.TemperatureHistory[i], recorded.TemperatureHistory[i]) << i;
        EXPECT_EQ(now.PressureHistory[i], recorded.PressureHistory[i]) << i;
    }
    EXPECT_EQ(window->Text1->text(), " 20");
    EXPECT_EQ(window->Text3->text(), " 1013");
}
