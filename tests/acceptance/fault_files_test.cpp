// Start-up with a customization file and four calibration files of random bytes: the program
// starts, reads the box and records, whatever the files held.

#include "support/AcceptanceRun.h"

#include <random>

namespace {

QByteArray RandomBytes(std::mt19937& random, int size)
{
    std::uniform_int_distribution<int> byte(0, 255);
    QByteArray bytes(size, '\0');
    for (char& b : bytes)
        b = static_cast<char>(byte(random));
    return bytes;
}

} // namespace

TEST_F(AcceptanceRun, RandomFilesAtStartUpNeverStopTheProgramOrLoseSamples)
{
    ASSERT_TRUE(StartBox({"--scenario", "room", "--speed", "20"}));
    for (unsigned seed : {1u, 2u, 3u, 4u}) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        // Short files and long ones; the seeds also vary the line breaks inside them.
        const int size = seed == 4 ? 200000 : 500 * static_cast<int>(seed);
        for (const char* name : {"VORUM.TXT", "EKION.CSV", "KION.CSV", "VORUM1.CSV", "VORUM2.CSV"})
            WriteFile(name, RandomBytes(random, size));

        ledger = SampleLedger();
        OpenWindow();
        ledger.Follow(*window);   // a 0.1-s run also records on its own timer
        ASSERT_TRUE(WaitForTicks(window->Timer1, 2));
        ledger.Start(*window);
        for (int tick = 0; tick < 40; ++tick) {
            ledger.Tick(*window);
            if (tick % 10 == 0) {
                ASSERT_TRUE(WaitForTicks(window->Timer1, 1));
            }
        }
        window->Start->click();
        EXPECT_GT(window->state().SampleCount, 0);
        ledger.ExpectAllKept(*window);
        program.reset();
        window = nullptr;
    }
}
