// The saved data tells when each sample was really taken: pauses for the settings window, a
// stop and a later start, and an interval switched in the middle of a run all show in the
// export's times and elapsed seconds.

#include "run/RunCsv.h"
#include "support/SettingsFixture.h"

#include <QLineEdit>
#include <QRadioButton>

namespace {

class RealTimes : public SettingsFixture {
protected:
    void SetUp() override
    {
        SettingsFixture::SetUp();
        HoldReadings();
        t.clock->now = DateTimeValue(QDateTime(QDate(2026, 12, 7), QTime(10, 0, 0, 20)));
    }

    void Wait(double seconds) { t.clock->now += seconds / 86400; }

    // Timer ticks until one stores a sample (in minute mode every second tick does).
    void Sample()
    {
        const double count = state().SampleCount;
        for (int tick = 0; tick < 2 && state().SampleCount == count; ++tick)
            main().Timer2_Timer();
    }

    // Elapsed seconds and time of each exported row.
    QStringList Times()
    {
        const QString csv = QString::fromUtf8(BuildSamplesCsv(state(), main().runLog().moments(), main().RunActive()));
        QStringList times;
        for (const QString& line : csv.split(QStringLiteral("\r\n")).mid(1, -1)) {
            const QStringList fields = line.split(QLatin1Char(','));
            if (fields.size() == 7)
                times << fields[1] + ' ' + fields[2].mid(11);
        }
        return times;
    }
};

}   // namespace

TEST_F(RealTimes, ExportFollowsTheClockAcrossASettingsPauseAStopAndAnIntervalSwitch)
{
    state().MinuteMode = 0;
    main().Start_Click();
    for (int i = 0; i < 3; ++i) {
        Wait(0.1);
        Sample();
    }
    EXPECT_EQ(Times(), QStringList({"0.0 10:00:00.1", "0.1 10:00:00.2", "0.2 10:00:00.3"}));

    // Half a minute in the settings window: the sample that replaces the last one says so.
    OpenSettings();
    Wait(30);
    SettingsWindowOf(main())->FCancel_Click();
    Wait(0.2);
    Sample();
    EXPECT_EQ(Times(), QStringList({"0.0 10:00:00.1", "0.1 10:00:00.2", "30.4 10:00:30.5"}));

    // Stopped for two minutes, then continued.
    main().Start_Click();
    Wait(120);
    main().Start_Click();
    Wait(0.1);
    Sample();
    EXPECT_EQ(Times(), QStringList({"0.0 10:00:00.1", "150.5 10:02:30.6"}));

    // Switched to one sample a minute: the next sample comes a minute on, in whole seconds.
    Fsettei& settings = OpenSettings();
    settings.Option6->setChecked(true);
    settings.Owaru_Click();
    ASSERT_EQ(state().MinuteMode, 1);
    Wait(60);
    Sample();
    EXPECT_EQ(Times(), QStringList({"0.0 10:00:00.1", "210 10:03:30"}));
    Wait(60);
    Sample();
    EXPECT_EQ(Times(), QStringList({"0.0 10:00:00.1", "210 10:03:30", "270 10:04:30"}));
}
