#include "run/RunLog.h"

#include "base/ProgramState.h"

void RunLog::record(const RecordedSample& sample)
{
    if (sample.slot < 0 || sample.slot >= kHistorySlots)
        return;
    if (m_moments.empty())
        m_moments.resize(kHistorySlots);
    m_moments[sample.slot] = sample.moment;
    emit sampleRecorded(sample);
}

void RunLog::clear()
{
    emit runCleared();
}
