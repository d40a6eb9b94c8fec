#include "support/SettingsFixture.h"

#include "render/GraphCurves.h"
#include "render/GraphFrame.h"
#include "render/Thermometer.h"

using Commands = SettingsFixture;

namespace {
const QString kQuit = QStringLiteral("本当に終了しますか？");
}

TEST_F(Commands, HelpShowsItsFiveLinesEachEndedByACarriageReturn)
{
    main().Setumei_Click();
    ASSERT_EQ(t.questions->shown.size(), 1u);
    EXPECT_EQ(t.questions->shown[0].title, QStringLiteral("プログラムのせつめい"));
    EXPECT_EQ(t.questions->shown[0].message,
              QStringLiteral("せってい：めもりのつけかた、センサーの\r"
                             "　　　　　しゅるいをきめます。\r"
                             "リセット：そくていデータをけします。\r"
                             "スタート：そくていをはじめます。\r"
                             "おわる　：しゅうりょうします。\r"));
    EXPECT_TRUE(t.questions->asked.empty());
}

TEST_F(Commands, HelpDuringARunRedrawsThePageAndRecordingGoesOn)
{
    Recording(50, 0);
    MarkSurface();
    main().Setumei_Click();
    EXPECT_EQ(state().SampleCount, 49);   // the next sample replaces the last one
    EXPECT_TRUE(main().Timer2->isActive());
    EXPECT_EQ(main().Timer2->interval(), 100);
    EXPECT_EQ(GraphArea(), GraphAreaDrawnBy(state(), RedrawPage));

    Recording(50, 1);
    main().Setumei_Click();
    EXPECT_EQ(main().Timer2->interval(), 30000);
}

TEST_F(Commands, HelpWithTheOnlySampleTakenBackDrawsTheEmptyPageAndStaysPaused)
{
    Recording(1, 1);
    MarkSurface();
    main().Setumei_Click();
    EXPECT_EQ(state().SampleCount, 0);
    EXPECT_FALSE(main().Timer2->isActive());
    EXPECT_EQ(main().Start->text(), QStringLiteral("ストップ"));
    EXPECT_EQ(GraphArea(), GraphAreaDrawnBy(state(), DrawPageFrame));
}

TEST_F(Commands, HelpBetweenRunsShowsTheWholeRun)
{
    Stopped(20, 0);
    MarkSurface();
    main().Setumei_Click();
    EXPECT_EQ(state().SampleCount, 19);
    EXPECT_FALSE(main().Timer2->isActive());
    EXPECT_EQ(GraphArea(), GraphAreaDrawnBy(state(), DrawRunGraph));
}

TEST_F(Commands, ResetYesForgetsTheRunAndStartsTheTimeAxisNow)
{
    state().TemperatureHistory[499] = 2345;
    Stopped(500, 1);
    state().LastAxisSample = 300;
    main().DataReset->setVisible(true);
    main().Label3->setText(QStringLiteral("8時間20分"));
    t.clock->now = 46002.75;
    t.questions->answers = {true};
    MarkSurface();
    main().DataReset_Click();
    ASSERT_EQ(t.questions->asked.size(), 1u);
    EXPECT_EQ(t.questions->asked[0].message, QStringLiteral("データをけしますか？"));
    EXPECT_EQ(t.questions->asked[0].title, QStringLiteral("温度と気圧"));
    EXPECT_EQ(state().SampleCount, 0);
    EXPECT_EQ(state().LastAxisSample, 0);
    EXPECT_EQ(state().TemperatureHistory[499], 2345);   // overwritten only by the next run
    EXPECT_EQ(state().StartTime, 46002.75);
    EXPECT_EQ(main().Start->text(), QStringLiteral("スタート"));
    EXPECT_EQ(main().Label3->text(), QStringLiteral("１分ごとに測定"));
    EXPECT_FALSE(main().DataReset->isVisible());
    EXPECT_FALSE(main().Timer2->isActive());
    // The page frame already counts from the new start time.
    EXPECT_EQ(GraphArea(), GraphAreaDrawnBy(state(), DrawPageFrame));

    Stopped(500, 0);
    t.questions->answers = {true};
    main().DataReset_Click();
    EXPECT_EQ(main().Label3->text(), QStringLiteral("１秒ごとに測定"));
    EXPECT_EQ(state().StartTime, 46002.75);   // only minute mode restarts the clock
}

TEST_F(Commands, ResetNoChangesNothingAndRedrawsTheGraph)
{
    Stopped(500, 1);
    state().StartTime = 45999;
    main().Label3->setText(QStringLiteral("8時間20分"));
    t.questions->answers = {false};
    MarkSurface();
    main().DataReset_Click();
    EXPECT_EQ(state().SampleCount, 500);   // no pause step before the answer
    EXPECT_EQ(state().StartTime, 45999);
    EXPECT_EQ(main().Label3->text(), QStringLiteral("8時間20分"));
    EXPECT_EQ(GraphArea(), GraphAreaDrawnBy(state(), DrawRunGraph));

    Recording(30, 0);
    MarkSurface();
    main().DataReset_Click();   // no answer left: whatever is not Yes is No
    EXPECT_EQ(state().SampleCount, 30);
    EXPECT_TRUE(main().Timer2->isActive());
    EXPECT_EQ(GraphArea(), GraphAreaDrawnBy(state(), RedrawPage));
}

TEST_F(Commands, ResetAsksUnderTheProgramsTitleWhateverTheCaptionSays)
{
    Stopped(5, 1);
    main().statusBoard().set(StatusSource::Port, QStringLiteral("ぽるか未接続"));
    ASSERT_TRUE(main().windowTitle().contains(QStringLiteral("未接続")));
    main().DataReset_Click();
    ASSERT_FALSE(t.questions->asked.empty());
    EXPECT_EQ(t.questions->asked.back().title, QStringLiteral("温度と気圧"));
}

TEST_F(Commands, ExitYesEndsAtOnceAndTheCloseThatFollowsAsksNothing)
{
    Recording(10, 0);
    t.questions->answers = {true};
    main().Owari_Click();
    ASSERT_EQ(t.questions->asked.size(), 1u);
    EXPECT_EQ(t.questions->asked[0].message, kQuit);
    EXPECT_EQ(t.questions->asked[0].title, QStringLiteral("気圧計と温度計"));
    EXPECT_EQ(t.programEnded, 1);
    EXPECT_FALSE(main().Timer2->isActive());
    EXPECT_TRUE(main().close());
    EXPECT_EQ(t.questions->asked.size(), 1u);
    EXPECT_EQ(t.programEnded, 1);
}

TEST_F(Commands, ExitNoResumesARunWhateverItsSampleCount)
{
    Recording(1, 1);
    t.questions->answers = {false};
    MarkSurface();
    main().Owari_Click();
    EXPECT_EQ(t.programEnded, 0);
    EXPECT_EQ(state().SampleCount, 0);
    EXPECT_TRUE(main().Timer2->isActive());
    EXPECT_EQ(main().Timer2->interval(), 30000);
    EXPECT_EQ(GraphArea(), GraphAreaDrawnBy(state(), RedrawPage));

    Stopped(20, 0);
    MarkSurface();
    main().Owari_Click();
    EXPECT_FALSE(main().Timer2->isActive());
    EXPECT_EQ(GraphArea(), GraphAreaDrawnBy(state(), DrawRunGraph));
}

TEST_F(Commands, CloseNoKeepsTheWindowOpenAndTheRunGoing)
{
    Recording(10, 0);
    t.questions->answers = {false};
    EXPECT_FALSE(main().close());
    EXPECT_TRUE(main().isVisible());
    ASSERT_EQ(t.questions->asked.size(), 1u);
    EXPECT_EQ(t.questions->asked[0].message, kQuit);
    EXPECT_EQ(t.questions->asked[0].title, QStringLiteral("気圧計"));
    EXPECT_EQ(t.programEnded, 0);
    EXPECT_EQ(state().SampleCount, 9);
    EXPECT_TRUE(main().Timer2->isActive());
    EXPECT_EQ(main().Timer2->interval(), 100);
}

TEST_F(Commands, CloseYesHidesTheWindowAndEnds)
{
    Stopped(10, 0);
    t.questions->answers = {true};
    EXPECT_TRUE(main().close());
    EXPECT_FALSE(main().isVisible());
    EXPECT_EQ(t.programEnded, 1);
    EXPECT_EQ(t.questions->asked.size(), 1u);
}
