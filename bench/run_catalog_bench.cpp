// Listing the journal folder of a year of lessons: 200 runs of 12000 minute samples, read from
// disk the first time and then found in the kept summaries.

#include "run/RunCatalog.h"
#include "run/RunCsv.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kRuns = 200;

// A folder of kRuns journals, made once for both measurements.
const QTemporaryDir& YearOfJournals()
{
    static const QTemporaryDir folder = [] {
        QTemporaryDir made;
        QByteArray journal = JournalHeader();
        const QDateTime began(QDate(2026, 4, 7), QTime(9, 30));
        for (int i = 0; i < 12000; ++i)
            journal += JournalRow({i, float(2000 + i % 3000), float(10132 - i % 200), {began.addSecs(60 * i), false, true, {}}});
        for (int run = 0; run < kRuns; ++run) {
            QFile file(QDir(made.path()).filePath(JournalFileName(began.addDays(run))));
            if (file.open(QIODevice::WriteOnly))
                file.write(journal);
        }
        return made;
    }();
    return folder;
}

void ListYear(benchmark::State& bench, bool cached)
{
    const QString folder = YearOfJournals().path();
    const QString cache = QDir(folder).filePath(QString::fromLatin1(kRunCatalogFileName));
    ListRuns(folder);
    for (auto _ : bench) {
        if (!cached) {
            bench.PauseTiming();
            QFile::remove(cache);
            bench.ResumeTiming();
        }
        if (ListRuns(folder).size() != kRuns)
            bench.SkipWithError("not every run was listed");
    }
}

void BM_ListYearOfRunsFirstTime(benchmark::State& bench) { ListYear(bench, false); }
BENCHMARK(BM_ListYearOfRunsFirstTime)->Unit(benchmark::kMillisecond);

void BM_ListYearOfRunsAgain(benchmark::State& bench) { ListYear(bench, true); }
BENCHMARK(BM_ListYearOfRunsAgain)->Unit(benchmark::kMillisecond);

}   // namespace
