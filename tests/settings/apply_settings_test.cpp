#include "support/SettingsFixture.h"

#include "files/AutoScale.h"
#include "files/SelectTables.h"
#include "render/Barometer.h"
#include "render/GraphCurves.h"
#include "render/GraphFrame.h"
#include "render/Thermometer.h"
#include "settings/ScaleLimits.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>


TEST(CorrectLimits, DigitRunsTooLongForADoubleEndInTheBound)
{
    const QString huge = QString(400, QLatin1Char('9'));
    FixedLimits limits = CorrectLimits(huge, QStringLiteral("-") + huge, kThermometerBounds);
    EXPECT_EQ(limits.max, 100);
    EXPECT_EQ(limits.min, -30);
    limits = CorrectLimits(QStringLiteral("1e999"), huge + QStringLiteral(".5e99999"), kBarometerBounds);
    EXPECT_EQ(limits.max, 1200);
    EXPECT_EQ(limits.min, 1100);
    EXPECT_EQ(HeldToBounds(QStringLiteral("1e-99999"), -40, 100), 0);
    // Blanks are skipped anywhere and reading stops at the first character of a unit.
    limits = CorrectLimits(QStringLiteral(" 12 .5°C"), QStringLiteral("- 5"), kThermometerBounds);
    EXPECT_EQ(limits.max, 12.5);
    EXPECT_EQ(limits.min, -5);
}

class ApplySettings : public SettingsFixture {
protected:
    void SetUp() override
    {
        SettingsFixture::SetUp();
        state().ThermometerMax = 40;
        state().ThermometerMin = 0;
        state().BarometerMax = 1050;
        state().BarometerMin = 950;
        state().ThermometerAuto = 0;
        state().BarometerAuto = 0;
        state().MinuteMode = 1;
        state().TemperatureProbe = -1;
        state().PressureStep = 1;
        state().AirTemperatureTable.fill(21);
        state().LiquidTemperatureTable.fill(63);
        state().Pressure1Table.fill(1001);
        state().Pressure2Table.fill(1002);
    }

    // Types the four limits into the window and applies them.
    void Apply(const QString& t1, const QString& t2, const QString& t3, const QString& t4)
    {
        Fsettei& w = OpenSettings();
        w.Text1->setText(t1);
        w.Text2->setText(t2);
        w.Text3->setText(t3);
        w.Text4->setText(t4);
        w.Owaru_Click();
    }
};

TEST_F(ApplySettings, TypedLimitsAreHeldOrderedAndWidened)
{
    struct Case {
        const char* upper;   // Text1 and Text3, labelled maximum
        const char* lower;   // Text2 and Text4, labelled minimum
        double thermometerMax, thermometerMin, barometerMax, barometerMin;
    };
    const Case cases[] = {
        {"120", "-40", 100, -30, 800, 700},
        {"-40", "120", 120, -40, 800, 700},
        {"30", "25", 35, 25, 800, 700},
        {"80", "22.5", 80, 22, 800, 700},   // the former maximum rounds half to even
        {"80", "23.5", 80, 24, 800, 700},
        {"1013", "1000", 120, 100, 1100, 1000},
        {"1200", "800", 120, 100, 1100, 800},
        {"650", "1250", 120, 100, 1200, 700},
        {"abc", "xyz", 10, 0, 800, 700},   // letters count as 0; 0 hPa is held to 700
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.upper) + " / " + c.lower);
        const QString upper = QString::fromUtf8(c.upper);
        const QString lower = QString::fromUtf8(c.lower);
        Apply(upper, lower, upper, lower);
        EXPECT_EQ(state().ThermometerMax, c.thermometerMax);
        EXPECT_EQ(state().ThermometerMin, c.thermometerMin);
        EXPECT_EQ(state().BarometerMax, c.barometerMax);
        EXPECT_EQ(state().BarometerMin, c.barometerMin);
        EXPECT_EQ(state().GraphThermometerMax, c.thermometerMax);
        EXPECT_EQ(state().GraphThermometerMin, static_cast<float>(c.thermometerMin));
        EXPECT_EQ(state().GraphBarometerMax, c.barometerMax);
        EXPECT_EQ(state().GraphBarometerMin, static_cast<float>(c.barometerMin));
    }
    EXPECT_FALSE(SettingsWindowOf(main())->isVisible());
    EXPECT_EQ(state().ThermometerAuto, 0);
    EXPECT_EQ(state().BarometerAuto, 0.0f);

    // An empty field stands for the stored limit of the other end (the fields' roles cross).
    state().ThermometerMax = 60;
    state().ThermometerMin = 20;
    Apply(QString(), QString(), QStringLiteral("1200"), QStringLiteral("800"));
    EXPECT_EQ(state().ThermometerMax, 60);
    EXPECT_EQ(state().ThermometerMin, 20);
}

TEST_F(ApplySettings, ProbeSensitivityAndIntervalTakeEffect)
{
    Fsettei& w = OpenSettings();
    w.Option2->setChecked(true);
    w.Option4->setChecked(true);
    w.Option5->setChecked(true);
    w.Owaru_Click();
    EXPECT_EQ(state().TemperatureProbe, 0);
    EXPECT_EQ(state().PressureStep, 2);
    EXPECT_EQ(state().MinuteMode, 0);
    EXPECT_EQ(main().Label3->text(), QStringLiteral("１秒ごと測定"));
    auto expected = std::make_unique<ProgramState>(state());
    SelectTemperatureTable(*expected);
    SelectPressureTable(*expected);
    EXPECT_EQ(state().TemperatureTable, expected->TemperatureTable);
    EXPECT_EQ(state().PressureTable, expected->PressureTable);

    OpenSettings();
    w.Option1->setChecked(true);
    w.Option3->setChecked(true);
    w.Option6->setChecked(true);
    w.Owaru_Click();
    EXPECT_EQ(state().TemperatureProbe, -1);
    EXPECT_EQ(state().PressureStep, 1);
    EXPECT_EQ(state().MinuteMode, 1);
    EXPECT_EQ(main().Label3->text(), QStringLiteral("１分ごと測定"));
}

TEST_F(ApplySettings, AutomaticBarometerKeepsTheFixedThermometerLimits)
{
    Fsettei& w = OpenSettings();
    w.Text1->setText(QStringLiteral("50"));
    w.Text2->setText(QStringLiteral("-10"));
    w.Check4->setChecked(true);
    auto expected = std::make_unique<ProgramState>(state());
    SelectPressureTable(*expected);   // the sensitivity's table, which the apply makes active
    ComputeAutoScale(*expected);
    w.Owaru_Click();
    EXPECT_EQ(state().BarometerAuto, -1.0f);
    EXPECT_EQ(state().BarometerMax, expected->BarometerMax);
    EXPECT_EQ(state().BarometerMin, expected->BarometerMin);
    EXPECT_EQ(state().ThermometerMax, 50);
    EXPECT_EQ(state().ThermometerMin, -10);
    EXPECT_EQ(state().GraphThermometerMax, 50);
    EXPECT_EQ(state().GraphThermometerMin, -10.0f);
}

TEST_F(ApplySettings, AutomaticThermometerTakesComputedLimitsAndLeavesTheFixedBarometer)
{
    state().TemperatureHistory[0] = 1850;
    state().TemperatureHistory[1] = 2230;
    state().PressureHistory[0] = 10050;
    state().PressureHistory[1] = 10130;
    Stopped(3, 1);   // 2 after the pause
    Fsettei& w = OpenSettings();
    w.Check1->setChecked(true);
    auto expected = std::make_unique<ProgramState>(state());
    ComputeAutoScale(*expected);
    w.Owaru_Click();
    EXPECT_EQ(state().ThermometerAuto, -1);
    EXPECT_EQ(state().ThermometerMax, expected->ThermometerMax);
    EXPECT_EQ(state().ThermometerMin, expected->ThermometerMin);
    EXPECT_EQ(state().BarometerMax, 1050);
    EXPECT_EQ(state().BarometerMin, 950);
}

TEST_F(ApplySettings, SwitchingToTenthsKeepsTheSamplesAndShowsTheirTime)
{
    state().TemperatureHistory[40] = 2500;
    Recording(42, 1);
    Fsettei& w = OpenSettings();
    w.Option5->setChecked(true);
    w.Owaru_Click();
    EXPECT_EQ(state().SampleCount, 41);
    EXPECT_EQ(state().TemperatureHistory[40], 2500);
    EXPECT_EQ(main().Label3->text(), QStringLiteral("    4.1秒"));
    EXPECT_TRUE(main().Timer1->isActive());
    EXPECT_EQ(main().Timer1->interval(), 100);
    EXPECT_TRUE(main().Timer2->isActive());
    EXPECT_EQ(main().Timer2->interval(), 200);
}

TEST_F(ApplySettings, MinuteModeWithSamplesRestartsTheTimeAxisNow)
{
    t.clock->now = 46001.25;
    Stopped(42, 0);
    Fsettei& w = OpenSettings();
    w.Option6->setChecked(true);
    MarkSurface();
    w.Owaru_Click();
    EXPECT_EQ(main().Label3->text(), QStringLiteral("    41分"));
    EXPECT_EQ(state().StartTime, 46001.25);
    EXPECT_EQ(main().Timer1->interval(), 200);
    EXPECT_TRUE(main().Timer1->isActive());
    EXPECT_FALSE(main().Timer2->isActive());   // no run to resume
    EXPECT_EQ(GraphArea(), GraphAreaDrawnBy(state(), DrawRunGraph));
}

TEST_F(ApplySettings, DuringATenthsRunRecordingResumesWithoutRedrawingTheGraph)
{
    Recording(100, 0);
    Fsettei& w = OpenSettings();
    MarkSurface();
    main().Timer1->stop();
    w.Owaru_Click();
    EXPECT_EQ(state().SampleCount, 99);
    EXPECT_EQ(main().Label3->text(), QStringLiteral("    9.9秒"));
    EXPECT_TRUE(main().Timer2->isActive());
    EXPECT_EQ(main().Timer2->interval(), 200);
    EXPECT_EQ(main().Timer1->interval(), 100);
    EXPECT_EQ(GraphArea(), UntouchedGraphArea());
}

TEST_F(ApplySettings, WithNoSamplesTheEmptyPageIsDrawnAndNothingResumes)
{
    Recording(1, 1);   // a minute run paused after its first sample
    main().Timer1->start(200);
    Fsettei& w = OpenSettings();
    w.Option5->setChecked(true);
    MarkSurface();
    w.Owaru_Click();
    EXPECT_EQ(state().SampleCount, 0);
    EXPECT_FALSE(main().Timer2->isActive());
    EXPECT_EQ(main().Timer1->interval(), 200);   // left as it was
    EXPECT_EQ(main().Label3->text(), QStringLiteral("１秒ごと測定"));
    EXPECT_EQ(main().Start->text(), QStringLiteral("ストップ"));
    EXPECT_EQ(GraphArea(), GraphAreaDrawnBy(state(), DrawPageFrame));
}

TEST_F(ApplySettings, BothInstrumentsAreRedrawnWithTheirNewLimits)
{
    Stopped(0, 1);
    MarkSurface();
    Apply(QStringLiteral("80"), QStringLiteral("22.5"), QStringLiteral("1013"), QStringLiteral("1000"));
    const QRect whole(0, 0, Surface::kWidth, Surface::kHeight);
    EXPECT_EQ(main().surface().image(), AreaDrawnBy(whole, state(), [](ProgramState& s, Surface& surface) {
                  DrawThermometer(s, surface);
                  DrawBarometer(s, surface);
                  DrawPageFrame(s, surface);
              }));
}

// Until the settings are first applied the readings go through the liquid table although the
// window offers the air probe; applying switches tables before any automatic limit is computed.
TEST_F(ApplySettings, AutomaticLimitsFollowTheTableTheApplyMakesActive)
{
    constexpr uint8_t kByte = 100;
    state().LiquidTemperatureTable[kByte] = -5;
    state().AirTemperatureTable[kByte] = 28;
    state().Pressure2Table[kByte] = 900;
    state().Pressure1Table[kByte] = 1001;
    state().TemperatureTable = state().LiquidTemperatureTable;
    state().PressureTable = state().Pressure2Table;
    state().RawTemperature = kByte;
    state().RawPressure = kByte;
    state().ThermometerAuto = -1;
    state().BarometerAuto = -1.0f;
    Stopped(0, 1);
    OpenSettings().Owaru_Click();   // untouched: air probe, 1 hPa, both automatic

    EXPECT_EQ(state().ThermometerMax, 40);
    EXPECT_EQ(state().ThermometerMin, 20);
    EXPECT_EQ(state().GraphThermometerMax, 40);
    EXPECT_EQ(state().GraphThermometerMin, 20.0f);
    EXPECT_EQ(state().BarometerMax, 1020);
    EXPECT_EQ(state().BarometerMin, 990);
    EXPECT_EQ(state().GraphBarometerMin, 990.0f);
    const QRect thermometer(0, 0, 70, 358);
    EXPECT_EQ(main().surface().image().copy(thermometer), AreaDrawnBy(thermometer, state(), DrawThermometer));

    // The next temperature reading, 28 °C, tops the column on the 28 mark: 8 of 20 degrees
    // above the scale's foot at y 350 over a 330-pixel column.
    AnswerUntilTemperatureAsked(main(), *t.port, kByte);
    t.port->replies = {QByteArray(1, static_cast<char>(kByte))};
    main().Timer1_Timer();
    const QImage& image = main().surface().image();
    const int top = 350 - 8 * 330 / 20;
    EXPECT_EQ(image.pixel(15, top), state().ThermometerLiquidColor);
    EXPECT_NE(image.pixel(15, top - 1), state().ThermometerLiquidColor);
    EXPECT_EQ(image.pixel(5, top), state().ThermometerTickColor);   // the 28 mark's row
}
