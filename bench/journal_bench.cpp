// One journal row on its way to the disk, as a recording tick sends it: in the 0.1-s mode one
// write(2) (the sync follows on its own timer, at most every four seconds); in minute mode the
// write and the fdatasync that follows it as the event loop's next step, once a minute. Compare
// with BM_RecordingTick, which includes the 0.1-s write since the program keeps its journal.

#include "features/Journal.h"
#include "run/RunLog.h"
#include "run/StatusBoard.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void JournalWrite(benchmark::State& bench, bool tenths)
{
    QTemporaryDir folder;
    RunLog run;
    StatusBoard status;
    Journal journal{QDir(folder.path()), run, status};
    RecordedSample sample;
    sample.temperature = 2345;
    sample.pressure = 10132;
    sample.moment = {QDateTime::currentDateTime(), tenths, true, {}};
    for (auto _ : bench) {
        sample.slot = (sample.slot + 1) % 12000;
        journal.Append(sample);
        if (!tenths)
            journal.Sync();   // what the event loop's next step does after a minute sample
    }
    // A counter of its own would break the CSV that bench/measure.sh reads, which needs the
    // same columns in every row; a journal that could not be written fails the run instead.
    if (!journal.writable())
        bench.SkipWithError("the journal could not be written");
}

void BM_JournalWriteTenthSecond(benchmark::State& bench) { JournalWrite(bench, true); }
BENCHMARK(BM_JournalWriteTenthSecond);

void BM_JournalWriteAndSyncMinute(benchmark::State& bench) { JournalWrite(bench, false); }
BENCHMARK(BM_JournalWriteAndSyncMinute);

}   // namespace
