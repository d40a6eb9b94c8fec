// The settings window abused during a 0.1-s run: fields of 10,000 characters, and twenty
// openings cancelled one after the other.

#include "settings/Fsettei.h"
#include "settings/OpenSettingsWindow.h"
#include "support/AcceptanceRun.h"

#include <QCheckBox>

#include <cmath>

namespace {

struct LongRun : AcceptanceRun {
    void StartRecording()
    {
        WriteCustomization("Zikan=0\r\n");
        ASSERT_TRUE(StartBox({"--scenario", "steady"}));
        OpenWindow();
        ASSERT_TRUE(WaitForReadings());
        ledger.Follow(*window);
        window->Start->click();
        ASSERT_TRUE(WaitForSamples(5));
    }
};

} // namespace

TEST_F(LongRun, SettingsFieldsOfTenThousandCharactersGiveLimitsInRange)
{
    ASSERT_NO_FATAL_FAILURE(StartRecording());
    const QString fillings[] = {
        QString(10000, '9'),
        QString(10000, '-'),
        QString(10000, QChar(0x6E29)),                    // 温
        QStringLiteral("1e") + QString(9998, '9'),        // beyond any double
        QStringLiteral("-") + QString(9999, '7'),
        QString(5000, '.') + QString(5000, '5'),
        QStringLiteral("0.") + QString(9998, '1'),
    };
    for (const QString& filling : fillings) {
        SCOPED_TRACE(filling.left(12).toStdString());
        window->Settei->click();
        Fsettei* settings = SettingsWindowOf(*window);
        ASSERT_NE(settings, nullptr);
        settings->Check1->setChecked(false);
        settings->Check4->setChecked(false);
        for (QLineEdit* field : {settings->Text1, settings->Text2, settings->Text3, settings->Text4})
            field->setText(filling);
        settings->Owaru->click();

        const ProgramState& state = window->state();
        for (double limit : {state.ThermometerMax, state.ThermometerMin})
            EXPECT_TRUE(std::isfinite(limit) && limit >= -40 && limit <= 120) << limit;
        for (double limit : {state.BarometerMax, static_cast<double>(state.BarometerMin)})
            EXPECT_TRUE(std::isfinite(limit) && limit >= 700 && limit <= 1200) << limit;
        EXPECT_GE(state.ThermometerMax - state.ThermometerMin, 10);
        EXPECT_GE(state.BarometerMax - state.BarometerMin, 100);
        EXPECT_TRUE(window->RunActive());
        const int16_t count = state.SampleCount;
        ASSERT_TRUE(WaitForSamples(count + 2));
    }

    // Typed rather than pasted: key presses into the first field, each one through the
    // field handlers.
    window->Settei->click();
    Fsettei* settings = SettingsWindowOf(*window);
    settings->Check1->setChecked(false);
    settings->Text1->clear();
    QTest::keyClicks(settings->Text1, QString(300, '8'));
    settings->Owaru->click();
    EXPECT_EQ(window->state().ThermometerMax, 100);
    ASSERT_TRUE(WaitForSamples(window->state().SampleCount + 2));

    window->Start->click();
    ledger.ExpectAllKept(*window);
}

TEST_F(LongRun, TwentySettingsOpeningsCancelledDuringARunKeepEverySample)
{
    ASSERT_NO_FATAL_FAILURE(StartRecording());
    for (int cycle = 0; cycle < 20; ++cycle) {
        window->Settei->click();
        ASSERT_NE(SettingsWindowOf(*window), nullptr);
        EXPECT_FALSE(window->Timer2->isActive()) << cycle;
        ASSERT_TRUE(WaitForTicks(window->Timer1, 1));
        SettingsWindowOf(*window)->FCancel->click();
        EXPECT_TRUE(window->Timer2->isActive()) << cycle;
        ASSERT_TRUE(WaitForTicks(window->Timer2, 1));
    }
    window->Start->click();
    // Every recording tick stored one sample; each opening took back the last one, which the
    // next tick stored again; the stop took back one more.
    EXPECT_EQ(window->state().SampleCount, ledger.ticksSeen - 20 - 1);
    ledger.ExpectAllKept(*window);
    for (int i = 0; i < window->state().SampleCount; ++i) {
        EXPECT_EQ(window->state().TemperatureHistory[i], 2000) << i;
        EXPECT_EQ(window->state().PressureHistory[i], 10130) << i;
    }
}
