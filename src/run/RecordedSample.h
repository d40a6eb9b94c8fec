#pragma once

// What the histories do not hold about a sample: when it was taken, whether the box was
// answering then, and which alerts it set off. The window keeps one of these beside every
// history slot (the last sample recorded there) and announces each sample as it is recorded.

#include <QDateTime>
#include <QStringList>

struct SampleMoment {
    QDateTime time;          // local time to the millisecond; not valid for a slot never recorded
    bool tenths = false;     // taken in the 0.1-s mode, so its time is written with tenths
    bool answering = true;   // false: the box was not answering, the values are an old reading's
    QStringList alerts;      // the message of every alert the sample set off, in checking order
};

struct RecordedSample {
    int slot = 0;            // the history slot it went into
    float temperature = 0;   // as stored: hundredths of a degree
    float pressure = 0;      // as stored: tenths of a hectopascal
    SampleMoment moment;
};
