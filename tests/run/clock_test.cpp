// The system clock works out local time from the zone's offset once a minute; the moment it
// gives must still be the local wall time, whatever the zone.

#include "run/Clock.h"

#include <gtest/gtest.h>

#include <ctime>

TEST(SystemClock, MomentIsTheLocalWallTimeAheadOfAndBehindUtc)
{
    const QByteArray zoneBefore = qgetenv("TZ");
    for (const char* zone : {"JST-9", "NST3:30NDT,M3.2.0,M11.1.0", "UTC0", "HST10"}) {
        qputenv("TZ", zone);
        tzset();
        const SystemClock clock;
        const QString format = QStringLiteral("yyyy-MM-dd HH:mm");
        const QString before = QDateTime::currentDateTime().toString(format);
        const QString moment = clock.Moment().toString(format);
        const QString after = QDateTime::currentDateTime().toString(format);
        EXPECT_TRUE(moment == before || moment == after) << zone << ": " << moment.toStdString();
    }
    if (zoneBefore.isNull())
        qunsetenv("TZ");
    else
        qputenv("TZ", zoneBefore);
    tzset();
}
