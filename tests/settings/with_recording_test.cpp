#include "support/SettingsFixture.h"

#include <QLineEdit>

// The secondary commands together with real runs started by Start and fed by the recording timer.
class WithRecording : public SettingsFixture {
protected:
    void SetUp() override
    {
        SettingsFixture::SetUp();
        HoldReadings();
    }
};

TEST_F(WithRecording, ThePausedSampleIsReplacedWhenTheRunGoesOn)
{
    state().MinuteMode = 0;
    main().Start_Click();
    for (int i = 0; i < 5; ++i)
        main().Timer2_Timer();
    ASSERT_EQ(state().SampleCount, 5);

    OpenSettings().FCancel_Click();
    EXPECT_EQ(state().SampleCount, 4);
    EXPECT_EQ(main().Timer2->interval(), 200);
    main().Text1->setText(QStringLiteral(" 30"));
    main().Timer2_Timer();
    EXPECT_EQ(state().SampleCount, 5);
    EXPECT_EQ(state().TemperatureHistory[4], 3000);
    EXPECT_EQ(main().Label3->text(), QStringLiteral("    0.4秒"));
}

TEST_F(WithRecording, AfterAResetTheNextRunFillsTheHistoriesFromSlotZero)
{
    state().MinuteMode = 1;
    main().Start_Click();
    for (int i = 0; i < 10; ++i)
        main().Timer2_Timer();
    main().Start_Click();   // stop: 6 samples, 5 after stepping back
    ASSERT_EQ(state().SampleCount, 5);
    EXPECT_TRUE(main().DataReset->isVisible());

    t.questions->answers = {true};
    main().DataReset_Click();
    main().Text1->setText(QStringLiteral(" 18"));
    main().Start_Click();
    EXPECT_EQ(state().SampleCount, 1);
    EXPECT_EQ(state().TemperatureHistory[0], 1800);
    EXPECT_EQ(state().PressureHistory[0], 10130);
    EXPECT_EQ(main().Timer2->interval(), 30000);
}

TEST_F(WithRecording, HelpAfterTheFirstMinuteSampleLeavesTheRunPausedUntilExitIsDeclined)
{
    state().MinuteMode = 1;
    main().Start_Click();
    ASSERT_EQ(state().SampleCount, 1);
    main().Setumei_Click();
    EXPECT_EQ(state().SampleCount, 0);
    EXPECT_FALSE(main().Timer2->isActive());
    EXPECT_EQ(main().Start->text(), QStringLiteral("ストップ"));

    main().Owari_Click();   // answered No
    EXPECT_TRUE(main().Timer2->isActive());
    EXPECT_EQ(main().Timer2->interval(), 30000);
}
