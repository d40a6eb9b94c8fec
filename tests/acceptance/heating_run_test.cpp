// A 0.1-s run of a beaker of water heated on a hot plate, recorded from the stand-in box.

#include "support/AcceptanceRun.h"

#include <QPlainTextEdit>

namespace {

// The box's heating scene rises about 3.7 °C in its first 30 s, too little to pass the top of
// the automatic scale (the first reading + 3 at least); at 100 times speed the run covers some
// five minutes of the scene, from room temperature to past 50 °C, in a few seconds.
constexpr const char* kSpeed = "100";
constexpr int kStopAt = 52;   // °C

} // namespace

TEST_F(AcceptanceRun, HeatingRunStoresTheModelThroughTheTablesWidensTheScaleAndAlertsOnce)
{
    WriteCustomization("Zikan=0\r\n"
                       "U45T1C255\r\n"
                       "45℃をこえました\r\n");
    ASSERT_TRUE(StartBox({"--scenario", "heating", "--speed", kSpeed}));
    OpenWindow();
    ASSERT_TRUE(WaitForReadings());
    const float firstTop = window->state().ThermometerMax;

    // Watch the alert field after every recording tick.
    int alertsShown = 0;
    bool alertUp = false;
    QString alertText;
    QColor alertColour;
    QObject::connect(window->Timer2, &QTimer::timeout, window->Timer2, [&] {
        const bool up = !window->Text2->isHidden();
        if (up && !alertUp) {
            ++alertsShown;
            alertText = window->Text2->toPlainText();
            alertColour = window->Text2->palette().color(QPalette::Base);
        }
        alertUp = up;
    });
    ledger.Follow(*window);
    window->Start->click();
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return LeadingNumber(window->Text1->text()) >= kStopAt && alertsShown > 0
            && window->Text2->isHidden();
    }, 30000)) << "temperature " << window->Text1->text().toStdString() << ", alerts " << alertsShown;
    window->Start->click();
    ASSERT_FALSE(window->RunActive());

    // The samples: every temperature is the liquid table's entry for a byte the box sent for
    // that channel, in the order it sent them, and so the series rises as the scene heats up.
    const Table liquid = ReadTable(SampleDataFolder() + "/EKION.CSV");
    const Table pressure1 = ReadTable(SampleDataFolder() + "/VORUM1.CSV");
    const QList<int> boxTemperatures = BoxValues("F2", liquid);
    const QList<int> boxPressures = BoxValues("F3", pressure1);
    QList<int> storedTemperatures;
    QList<int> storedPressures;
    const ProgramState& state = window->state();
    ASSERT_GE(state.SampleCount, 10);
    for (int i = 0; i < state.SampleCount; ++i) {
        storedTemperatures << static_cast<int>(state.TemperatureHistory[i] / 100);
        storedPressures << static_cast<int>(state.PressureHistory[i] / 10);
        EXPECT_EQ(state.TemperatureHistory[i], storedTemperatures.last() * 100.0f) << i;
        EXPECT_EQ(state.PressureHistory[i], storedPressures.last() * 10.0f) << i;
    }
    EXPECT_TRUE(std::is_sorted(boxTemperatures.begin(), boxTemperatures.end()));
    EXPECT_TRUE(std::is_sorted(storedTemperatures.begin(), storedTemperatures.end()));
    EXPECT_TRUE(IsInOrderWithin(Distinct(storedTemperatures), Distinct(boxTemperatures)));
    EXPECT_TRUE(IsInOrderWithin(Distinct(storedPressures), Distinct(boxPressures)));
    EXPECT_LT(storedTemperatures.first(), 45);
    EXPECT_GT(storedTemperatures.last(), 45);   // the stop takes back the sample that reached kStopAt
    ledger.ExpectAllKept(*window);

    // The thermometer widened by itself: its top passed the highest temperature recorded, and
    // the picture shows a ten-degree mark at the new top (y 20, left of the glass).
    EXPECT_EQ(state.ThermometerAuto, -1);
    EXPECT_GT(state.ThermometerMax, firstTop);
    EXPECT_GE(state.ThermometerMax, storedTemperatures.last());
    EXPECT_EQ(window->surface().pixel(4, 20), state.ThermometerTickColor);

    // The alert fired once, with the file's text and colour, and went away after its second.
    EXPECT_EQ(alertsShown, 1);
    EXPECT_EQ(alertText, "45℃をこえました");
    EXPECT_EQ(alertColour, QColor(255, 0, 0));
    EXPECT_EQ(window->Timer3->interval(), 1000);
    EXPECT_FALSE(window->Timer3->isActive());
    EXPECT_FALSE(window->Settei->isHidden());
    EXPECT_FALSE(window->Setumei->isHidden());
}
