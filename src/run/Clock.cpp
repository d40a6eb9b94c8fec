#include "run/Clock.h"

QDateTime SystemClock::Moment() const
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const qint64 minute = now / 60000;
    if (minute != m_offsetMinute) {
        m_offsetSeconds = QDateTime::fromMSecsSinceEpoch(now).offsetFromUtc();
        m_offsetMinute = minute;
    }
    return QDateTime::fromMSecsSinceEpoch(now, Qt::OffsetFromUTC, m_offsetSeconds);
}
