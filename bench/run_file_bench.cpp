// Reading a journal back, as the window that opens saved runs does: a full 12000-slot run, and
// a million rows (a 0.1-s run left recording past the cap for over a day). The file is made in
// memory by the journal's own row writer, so only the reading is timed.

#include "run/RunCsv.h"
#include "run/RunFile.h"

#include <QRandomGenerator>
#include <benchmark/benchmark.h>

namespace {

QByteArray JournalOfRows(int rows)
{
    QByteArray bytes = JournalHeader();
    bytes.reserve(static_cast<qsizetype>(rows) * 48);
    RecordedSample sample;
    const QDateTime began(QDate(2026, 12, 7), QTime(6, 23, 4, 700));
    for (int i = 0; i < rows; ++i) {
        sample.slot = std::min(i, 12000);
        sample.temperature = static_cast<float>(2000 + i % 3000);
        sample.pressure = static_cast<float>(10132 - i % 200);
        sample.moment = {began.addMSecs(qint64(i) * 100), true, i % 1000 != 0, {}};
        bytes += JournalRow(sample);
    }
    return bytes;
}

void ReadJournal(benchmark::State& bench, int rows)
{
    const QByteArray bytes = JournalOfRows(rows);
    for (auto _ : bench) {
        const RunFileResult read = ReadRunFile(bytes);
        if (!read.ok() || read.samples.size() != static_cast<size_t>(rows))
            bench.SkipWithError("the journal was not read whole");
        benchmark::DoNotOptimize(read.samples.data());
    }
    bench.SetBytesProcessed(bench.iterations() * bytes.size());
}

void BM_ReadJournal12000Rows(benchmark::State& bench) { ReadJournal(bench, 12000); }
BENCHMARK(BM_ReadJournal12000Rows)->Unit(benchmark::kMillisecond);

void BM_ReadJournalMillionRows(benchmark::State& bench) { ReadJournal(bench, 1000000); }
BENCHMARK(BM_ReadJournalMillionRows)->Unit(benchmark::kMillisecond);

// What is no run must say so quickly: 50 MB of random bytes, as a teacher might pick by mistake.
void BM_ReadRandomBytes50MB(benchmark::State& bench)
{
    QByteArray bytes(50 << 20, Qt::Uninitialized);
    QRandomGenerator(20261207).fillRange(reinterpret_cast<quint32*>(bytes.data()), bytes.size() / 4);
    for (auto _ : bench) {
        const RunFileResult read = ReadRunFile(bytes);
        if (read.ok())
            bench.SkipWithError("random bytes were read as a run");
    }
    bench.SetBytesProcessed(bench.iterations() * bytes.size());
}
BENCHMARK(BM_ReadRandomBytes50MB)->Unit(benchmark::kMillisecond);

} // namespace
