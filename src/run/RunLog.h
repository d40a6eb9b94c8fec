#pragma once

// The run as recorded, beside the histories: when each slot's sample was taken, whether the box
// was answering then and which alerts it set off. The window writes every sample here as it
// records it and says when the run is cleared; whatever keeps or shows the run (the journal,
// the export) listens here and never needs the window.

#include "run/RecordedSample.h"

#include <QObject>

#include <vector>

class RunLog : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Keeps the sample's moment beside its slot, then announces the sample.
    void record(const RecordedSample& sample);
    // The recorded run was cleared: the next sample begins a new run.
    void clear();

    // One entry per history slot: the last sample recorded there.
    const std::vector<SampleMoment>& moments() const { return m_moments; }

signals:
    // A sample was stored and its alerts checked: the graph shows it now.
    void sampleRecorded(const RecordedSample& sample);
    void runCleared();

private:
    std::vector<SampleMoment> m_moments;
};
