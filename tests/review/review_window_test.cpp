// The run being recorded in the main window as one of the compared runs: it joins when the
// window opens, grows with every sample, and starts again when the class clears the data.

#include "review/ReviewGraph.h"
#include "review/ReviewWindow.h"
#include "support/RecordingWindow.h"

#include "program/Program.h"

#include <gtest/gtest.h>

TEST(ReviewWindow, RunBeingRecordedGrowsAndStartsAgainWhenCleared)
{
    RecordingWindow run(kTenthSecondMode);
    run.RecordTemperatures({20.5, 21});
    ReviewWindow& review = run.program->openReview();
    const std::vector<PlotRun>& runs = review.graph().plot().runs();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].name, QStringLiteral("いまの記録"));
    EXPECT_EQ(runs[0].series->size(), 2);

    run.RecordTemperatures({22, 23.5});
    ASSERT_EQ(runs.size(), 1u);
    ASSERT_EQ(runs[0].series->size(), 4);
    EXPECT_FLOAT_EQ(*runs[0].series->value(3, RunChannel::Temperature), 23.5f);
    EXPECT_FLOAT_EQ(*runs[0].series->value(3, RunChannel::Pressure), 1013.f);

    run.w().Start_Click();   // stops the run
    run.questions->answers.push_back(true);
    run.w().DataReset_Click();
    EXPECT_EQ(runs[0].series->size(), 0);
    run.RecordTemperatures({18});
    ASSERT_EQ(runs.size(), 1u);
    ASSERT_EQ(runs[0].series->size(), 1);
    EXPECT_FLOAT_EQ(*runs[0].series->value(0, RunChannel::Temperature), 18.f);
}
