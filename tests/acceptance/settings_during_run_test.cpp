// The teacher changes the settings while a 0.1-s run records from the box.

#include "settings/Fsettei.h"
#include "settings/OpenSettingsWindow.h"
#include "support/AcceptanceRun.h"

#include <QCheckBox>
#include <QRadioButton>

TEST_F(AcceptanceRun, SettingsChangedDuringARunSwitchTablesAndKeepEverySample)
{
    WriteCustomization("Zikan=0\r\n");
    // The room scene at 150 times speed: the pressure wanders over 1011..1015 hPa within
    // seconds, so it shows at bytes where the 1 hPa and 2 hPa tables differ.
    ASSERT_TRUE(StartBox({"--scenario", "room", "--speed", "150"}));
    OpenWindow();
    ASSERT_TRUE(WaitForReadings());
    ledger.Follow(*window);
    window->Start->click();
    ASSERT_TRUE(WaitForSamples(10));

    // Until the settings change, the bytes are read through the liquid table and the 1 hPa
    // table; the box sent every byte the program took.
    const Table liquid = ReadTable(folder.filePath("EKION.CSV"));
    const Table air = ReadTable(folder.filePath("KION.CSV"));
    const Table pressure1 = ReadTable(folder.filePath("VORUM1.CSV"));
    const Table pressure2 = ReadTable(folder.filePath("VORUM2.CSV"));
    const auto showsThrough = [&](const Table& temperatures, const Table& pressures) {
        const ProgramState& state = window->state();
        return LeadingNumber(window->Text1->text()) == temperatures[state.RawTemperature]
            && LeadingNumber(window->Text3->text()) == pressures[state.RawPressure];
    };
    EXPECT_TRUE(showsThrough(liquid, pressure1));
    EXPECT_TRUE(BoxAnswers("F2").contains(window->state().RawTemperature));
    EXPECT_TRUE(BoxAnswers("F3").contains(window->state().RawPressure));

    // Fixed limits on both instruments, the air probe and the 2 hPa sensitivity.
    const ProgramState before = window->state();
    window->Settei->click();
    Fsettei* settings = SettingsWindowOf(*window);
    ASSERT_NE(settings, nullptr);
    EXPECT_FALSE(window->Timer2->isActive());
    settings->Check1->setChecked(false);
    settings->Text1->setText("40");
    settings->Text2->setText("0");
    settings->Option1->setChecked(true);
    settings->Check4->setChecked(false);
    settings->Text3->setText("1100");
    settings->Text4->setText("900");
    settings->Option4->setChecked(true);
    ASSERT_TRUE(WaitForTicks(window->Timer1, 2));   // the readout goes on while the window is up
    settings->Owaru->click();

    // The run goes on, now every 200 ms, and the new readings come through the new tables.
    EXPECT_TRUE(window->RunActive());
    EXPECT_TRUE(window->Timer2->isActive());
    EXPECT_EQ(window->Timer2->interval(), 200);
    EXPECT_EQ(window->Timer1->interval(), 100);
    const ProgramState& state = window->state();
    EXPECT_EQ(state.ThermometerAuto, 0);
    EXPECT_EQ(state.ThermometerMax, 40);
    EXPECT_EQ(state.ThermometerMin, 0);
    EXPECT_EQ(state.BarometerAuto, 0.0f);
    EXPECT_EQ(state.BarometerMax, 1100);
    EXPECT_EQ(state.BarometerMin, 900);
    EXPECT_EQ(state.TemperatureProbe, -1);
    EXPECT_EQ(state.PressureStep, 2);
    const int resumedAt = static_cast<int>(state.SampleCount);
    EXPECT_EQ(resumedAt, before.SampleCount - 1);   // the sample cut short by the pause is retaken
    // The new tables show as soon as both channels have been read at a byte where they differ.
    ASSERT_TRUE(QTest::qWaitFor([&] {
        const ProgramState& now = window->state();
        return showsThrough(air, pressure2) && air[now.RawTemperature] != liquid[now.RawTemperature]
            && pressure2[now.RawPressure] != pressure1[now.RawPressure];
    }, 20000)) << window->Text1->text().toStdString() << " / " << window->Text3->text().toStdString();
    const int newReadingsFrom = static_cast<int>(state.SampleCount);
    ASSERT_TRUE(WaitForSamples(resumedAt + 10));
    window->Start->click();

    // Nothing recorded before the change was lost; the last samples hold the new readings.
    for (int i = 0; i < resumedAt; ++i) {
        EXPECT_EQ(state.TemperatureHistory[i], before.TemperatureHistory[i]) << i;
        EXPECT_EQ(state.PressureHistory[i], before.PressureHistory[i]) << i;
    }
    ledger.ExpectAllKept(*window);
    // The samples since then hold pressures of the 2 hPa table, odd numbers of hPa all of them.
    for (int i = newReadingsFrom; i < state.SampleCount; ++i)
        EXPECT_EQ(static_cast<int>(state.PressureHistory[i] / 10) % 2, 1) << i;
}
