// The box pulled out in the middle of a run and never plugged back in, and a lesson begun
// with no box at all: the window keeps working and keeps what it recorded.

#include "settings/Fsettei.h"
#include "settings/OpenSettingsWindow.h"
#include "support/AcceptanceRun.h"

namespace {

// The window still does what the teacher asks: the settings window opens and closes, and the
// recording goes on in between.
void ExpectResponsive(AcceptanceRun& run)
{
    Poruka& window = *run.window;
    const int16_t count = window.state().SampleCount;
    window.Settei->click();
    ASSERT_NE(SettingsWindowOf(window), nullptr);
    EXPECT_TRUE(SettingsWindowOf(window)->isVisible());
    SettingsWindowOf(window)->FCancel->click();
    EXPECT_FALSE(SettingsWindowOf(window)->isVisible());
    EXPECT_TRUE(run.WaitForSamples(count + 5));
    EXPECT_TRUE(AcceptanceRun::WaitForTicks(window.Timer1, 5));
}

} // namespace

TEST_F(AcceptanceRun, BoxPulledOutMidRunLeavesTheRunRecordingWithItsSamples)
{
    WriteCustomization("Zikan=0\r\n");
    ASSERT_TRUE(StartBox({"--scenario", "steady"}));
    OpenWindow();
    ASSERT_TRUE(WaitForReadings());
    const QString temperature = window->Text1->text();
    const QString pressure = window->Text3->text();
    ledger.Follow(*window);
    window->Start->click();
    ASSERT_TRUE(WaitForSamples(10));

    // Pulled out: the box is gone at once and its device with it, for good. (A stale link would
    // lead the reopening attempts to whatever pseudo-terminal gets its number next.)
    box.Kill();
    QFile::remove(box.link());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->port().IsOpen(); }, 10000));
    ASSERT_NO_FATAL_FAILURE(ExpectResponsive(*this));

    // Still recording, with the last values the box sent.
    EXPECT_TRUE(window->RunActive());
    EXPECT_EQ(window->Text1->text(), temperature);
    EXPECT_EQ(window->Text3->text(), pressure);
    window->Start->click();
    EXPECT_FALSE(window->RunActive());
    EXPECT_GE(window->state().SampleCount, 14);
    ledger.ExpectAllKept(*window);
}

TEST_F(AcceptanceRun, NoBoxFromStartUpStillRecordsAndStops)
{
    WriteCustomization("Zikan=0\r\n");
    OpenWindow();   // nothing on the line
    EXPECT_EQ(window->state().BoxMissing, -1);
    ledger.Follow(*window);
    window->Start->click();
    ASSERT_TRUE(WaitForSamples(5));
    ASSERT_NO_FATAL_FAILURE(ExpectResponsive(*this));
    window->Start->click();
    EXPECT_FALSE(window->RunActive());
    EXPECT_FALSE(window->DataReset->isHidden());
    ledger.ExpectAllKept(*window);
    for (int i = 0; i < window->state().SampleCount; ++i)
        EXPECT_EQ(window->state().TemperatureHistory[i], 0) << "no reading records 0";
}
