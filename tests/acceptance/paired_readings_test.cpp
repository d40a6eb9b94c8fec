// A 0.1-s run against a box whose answers come late, go missing, or stop while it is
// unplugged or switched off: every sample holds the box's temperature as the temperature and
// its pressure as the pressure, and a pressure alert never fires on a temperature byte.

#include "features/ConnectionStatus.h"
#include "support/AcceptanceRun.h"

#include <QPlainTextEdit>
#include <QSet>

namespace {

// Falls through 1000 hPa: a temperature byte taken for the pressure (about 955 hPa in a
// 1013 hPa room) sets it off. Shown until the run stops.
constexpr const char* kPressureAlertOnly = "Zikan=0\r\nKD1000T0C12\r\n気圧が下がりました\r\n";

struct PairedReadings : AcceptanceRun {
    bool Begin(const QStringList& boxOptions)
    {
        WriteCustomization(kPressureAlertOnly);
        if (!StartBox(QStringList{"--scenario", "steady"} + boxOptions))
            return false;
        OpenWindow();
        // Both fields show a reading (both start with the text "Text1").
        if (!QTest::qWaitFor([&] { return window->Text1->text() != "Text1" && window->Text3->text() != "Text1"; }, 10000))
            return false;
        ledger.Follow(*window);
        window->Start->click();
        return true;
    }

    bool Connected() const { return window->windowTitle() == QString::fromUtf8(kConnectedCaption); }

    // A few fresh samples with the box answering.
    bool RecordsConnected(int samples = 10)
    {
        if (!QTest::qWaitFor([&] { return Connected(); }, 10000))
            return false;
        return WaitForSamples(window->state().SampleCount + samples);
    }

    void ExpectEveryChannelRight()
    {
        const Table temperatureTable = ReadTable(folder.filePath("EKION.CSV"));
        const Table pressureTable = ReadTable(folder.filePath("VORUM1.CSV"));
        const QList<int> temperatures = BoxValues("F2", temperatureTable);
        const QList<int> pressures = BoxValues("F3", pressureTable);
        const QSet<int> sentTemperatures(temperatures.begin(), temperatures.end());
        const QSet<int> sentPressures(pressures.begin(), pressures.end());
        ASSERT_FALSE(sentTemperatures.isEmpty());
        ASSERT_FALSE(sentPressures.isEmpty());
        ASSERT_GT(ledger.inOrder.size(), 30u);
        for (size_t i = 0; i < ledger.inOrder.size(); ++i) {
            const auto& sample = ledger.inOrder[i];
            EXPECT_TRUE(sentTemperatures.contains(qRound(sample.temperature / 100))) << "sample " << i << ": " << sample.temperature;
            EXPECT_TRUE(sentPressures.contains(qRound(sample.pressure / 10))) << "sample " << i << ": " << sample.pressure;
        }
        EXPECT_FALSE(window->Text2->isVisible()) << window->Text2->toPlainText().toStdString();
        for (int slot = 0; slot < window->state().SampleCount; ++slot)
            EXPECT_TRUE(window->runLog().moments()[slot].alerts.isEmpty()) << "slot " << slot;
        window->Start->click();
    }
};

}   // namespace

TEST_F(PairedReadings, AnswersUpTo150MsLateKeepTheirChannels)
{
    ASSERT_TRUE(Begin({"--delay", "150", "--seed", "5"}));
    ASSERT_TRUE(WaitForSamples(60));
    ExpectEveryChannelRight();
}

TEST_F(PairedReadings, OneAnswerInFiveDroppedKeepsTheChannelsAndBothRefreshing)
{
    ASSERT_TRUE(Begin({"--drop-rate", "0.2", "--seed", "9"}));
    ASSERT_TRUE(WaitForSamples(60));
    // Both channels were asked and answered throughout.
    EXPECT_GT(BoxAnswers("F2").size(), 5);
    EXPECT_GT(BoxAnswers("F3").size(), 5);
    ExpectEveryChannelRight();
}

TEST_F(PairedReadings, FiveUnplugsAndFiveSwitchOffsKeepTheChannels)
{
    ASSERT_TRUE(Begin({"--delay", "20"}));
    ASSERT_TRUE(RecordsConnected());
    for (int cycle = 0; cycle < 5; ++cycle) {
        box.Kill();   // unplugged: the device goes with it
        QFile::remove(box.link());
        ASSERT_TRUE(QTest::qWaitFor([&] { return !Connected(); }, 10000)) << "unplug " << cycle;
        ASSERT_TRUE(WaitForSamples(window->state().SampleCount + 5));
        ASSERT_TRUE(StartBox({"--scenario", "steady", "--delay", "20"}));
        ASSERT_TRUE(RecordsConnected()) << "replug " << cycle;
    }
    for (int cycle = 0; cycle < 5; ++cycle) {
        box.SwitchPower(false);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !Connected(); }, 10000)) << "switch-off " << cycle;
        ASSERT_TRUE(WaitForSamples(window->state().SampleCount + 5));
        box.SwitchPower(true);
        ASSERT_TRUE(RecordsConnected()) << "switch-on " << cycle;
    }
    ExpectEveryChannelRight();
}
