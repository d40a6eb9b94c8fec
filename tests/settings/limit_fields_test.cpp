#include "files/AutoScale.h"
#include "support/SettingsFixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

class LimitFields : public SettingsFixture {
protected:
    void SetUp() override
    {
        SettingsFixture::SetUp();
        state().ThermometerMax = 100;
        state().ThermometerMin = -30;
        state().BarometerMax = 1100;
        state().BarometerMin = 900;
        state().ThermometerAuto = -1;
        state().BarometerAuto = -1.0f;
    }

    Fsettei& w() { return *SettingsWindowOf(main()); }
    QWidget* Focused() { return QApplication::focusWidget(); }
    void Key(Qt::Key key) { QTest::keyClick(Focused(), key); }
};

TEST_F(LimitFields, ClickingInEmptiesAndLeavingUntypedRestoresTheStoredValue)
{
    OpenSettings();
    QTest::mouseClick(w().Text1, Qt::LeftButton);
    EXPECT_EQ(Focused(), w().Text1);
    EXPECT_EQ(w().Text1->text(), QString());
    QTest::mouseClick(w().Option1, Qt::LeftButton);
    EXPECT_EQ(w().Text1->text(), QStringLiteral(" 100"));
    EXPECT_TRUE(w().Check1->isChecked());

    QTest::mouseClick(w().Text4, Qt::LeftButton);
    EXPECT_EQ(w().Text4->text(), QString());
    Key(Qt::Key_Tab);
    EXPECT_EQ(Focused(), w().Option3);
    EXPECT_EQ(w().Text4->text(), QStringLiteral(" 900"));
    EXPECT_TRUE(w().Check4->isChecked());
}

TEST_F(LimitFields, LeavingTypedTextSwitchesOnlyThatInstrumentToFixedLimits)
{
    OpenSettings();
    QTest::mouseClick(w().Text3, Qt::LeftButton);
    QTest::keyClicks(w().Text3, QStringLiteral("abc"));   // not a number: still counts as typed
    Key(Qt::Key_Tab);
    EXPECT_EQ(Focused(), w().Text4);
    EXPECT_EQ(w().Text3->text(), QStringLiteral("abc"));
    EXPECT_FALSE(w().Check4->isChecked());
    EXPECT_TRUE(w().Check1->isChecked());
}

TEST_F(LimitFields, ReenteringATypedFieldAndLeavingItEmptyShowsTheStoredValue)
{
    OpenSettings();
    QTest::mouseClick(w().Text1, Qt::LeftButton);
    QTest::keyClicks(w().Text1, QStringLiteral("50"));
    Key(Qt::Key_Tab);
    EXPECT_EQ(Focused(), w().Text2);
    EXPECT_EQ(w().Text1->text(), QStringLiteral("50"));
    EXPECT_EQ(w().Text2->text(), QString());
    EXPECT_FALSE(w().Check1->isChecked());

    QTest::keyClick(Focused(), Qt::Key_Backtab);
    EXPECT_EQ(Focused(), w().Text1);
    EXPECT_EQ(w().Text1->text(), QString());
    EXPECT_EQ(w().Text2->text(), QStringLiteral("-30"));
    Key(Qt::Key_Tab);
    EXPECT_EQ(w().Text1->text(), QStringLiteral(" 100"));
}

TEST_F(LimitFields, EnterInAnEmptyFieldUnchecksTheBoxAndTheStoredValueComesBack)
{
    OpenSettings();
    w().Text1->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(w().Text1->text(), QString());
    QSignalSpy reachedField(w().Text1, &QLineEdit::returnPressed);
    Key(Qt::Key_Return);
    EXPECT_EQ(reachedField.count(), 1);   // the handler does not swallow the key
    EXPECT_FALSE(w().Check1->isChecked());
    EXPECT_EQ(w().Text1->text(), QStringLiteral(" 100"));
    EXPECT_EQ(Focused(), w().Text2);
    EXPECT_EQ(w().Text2->text(), QString());
    EXPECT_TRUE(w().Check4->isChecked());
}

TEST_F(LimitFields, EnterWalksTheFieldsToTheApplyButtonWithoutPressingIt)
{
    OpenSettings();
    w().Text1->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(Focused(), QStringLiteral("40"));
    Key(Qt::Key_Enter);   // the keypad's Enter walks too
    EXPECT_EQ(Focused(), w().Text2);
    QTest::keyClicks(Focused(), QStringLiteral("0"));
    Key(Qt::Key_Return);
    EXPECT_EQ(Focused(), w().Text3);   // past the probe options
    EXPECT_TRUE(w().Check4->isChecked());
    QTest::keyClicks(Focused(), QStringLiteral("1050"));
    Key(Qt::Key_Return);
    EXPECT_EQ(Focused(), w().Text4);
    EXPECT_FALSE(w().Check4->isChecked());
    QTest::keyClicks(Focused(), QStringLiteral("950"));
    Key(Qt::Key_Return);
    EXPECT_EQ(Focused(), w().Owaru);
    EXPECT_TRUE(w().isVisible());
    EXPECT_EQ(state().ThermometerMax, 100);   // nothing applied yet

    Key(Qt::Key_Space);   // the further press
    EXPECT_FALSE(w().isVisible());
    EXPECT_EQ(state().ThermometerAuto, 0);
    EXPECT_EQ(state().ThermometerMax, 40);
    EXPECT_EQ(state().ThermometerMin, 0);
    EXPECT_EQ(state().BarometerMax, 1050);
    EXPECT_EQ(state().BarometerMin, 950);
}

TEST_F(LimitFields, TickingTheBoxAgainAfterTypingAppliesTheAutomaticScale)
{
    state().BarometerAuto = 0;
    OpenSettings();
    QTest::mouseClick(w().Text1, Qt::LeftButton);
    QTest::keyClicks(w().Text1, QStringLiteral("5"));
    QTest::mouseClick(w().Text2, Qt::LeftButton);
    QTest::keyClicks(w().Text2, QStringLiteral("3"));
    QTest::mouseClick(w().Check1, Qt::LeftButton);   // leaving Text2 unticks, the click ticks again
    EXPECT_TRUE(w().Check1->isChecked());

    auto expected = std::make_unique<ProgramState>(state());
    ComputeAutoScale(*expected);
    w().Owaru_Click();
    EXPECT_EQ(state().ThermometerAuto, -1);
    EXPECT_EQ(state().ThermometerMax, expected->ThermometerMax);
    EXPECT_EQ(state().ThermometerMin, expected->ThermometerMin);
}

// Looking at the main window while a limit is half typed neither empties nor restores it.
TEST_F(LimitFields, SwitchingWindowsLeavesAHalfTypedFieldAlone)
{
    OpenSettings();
    QTest::mouseClick(w().Text1, Qt::LeftButton);
    QTest::keyClicks(w().Text1, QStringLiteral("35"));
    QApplication::setActiveWindow(&main());
    QApplication::setActiveWindow(&w());
    EXPECT_EQ(Focused(), w().Text1);
    EXPECT_EQ(w().Text1->text(), QStringLiteral("35"));
    EXPECT_TRUE(w().Check1->isChecked());
}
