// Feeds arbitrary bytes as a saved run. Whatever the bytes, the reading ends with either samples
// or an error naming a line; every value read is finite; and the samples that have a full time,
// written again as journal rows, read back without error to rows that are written the same.

#include "run/RunCsv.h"
#include "run/RunFile.h"

#include <QByteArray>

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

void CheckSamples(const RunFileResult& read)
{
    constexpr quint8 kClocks = RunFileSample::FullTime | RunFileSample::TimeOfDay | RunFileSample::Elapsed;
    for (const RunFileSample& sample : read.samples) {
        Check(!sample.temperature() || std::isfinite(*sample.temperature()));
        Check(!sample.pressure() || std::isfinite(*sample.pressure()));
        const quint8 clock = sample.flags & kClocks;
        Check((clock & (clock - 1)) == 0);   // one kind of time at most
        Check(sample.has(RunFileSample::FullTime) == sample.time().isValid());
    }
    qsizetype previous = -1;
    for (const auto& [index, messages] : read.alerts) {
        Check(index > previous && index < static_cast<qsizetype>(read.samples.size()));
        Check(read.samples[static_cast<size_t>(index)].has(RunFileSample::HasAlerts));
        previous = index;
    }
    Check(read.ok() || read.error->line >= 1);
}

// The samples with a full time as the journal writes them.
QByteArray Rewritten(const RunFileResult& read)
{
    QByteArray bytes = JournalHeader();
    for (size_t i = 0; i < read.samples.size(); ++i) {
        const RunFileSample& sample = read.samples[i];
        if (!sample.has(RunFileSample::FullTime))
            continue;
        RecordedSample written;
        written.slot = std::max(sample.slot, 0);
        written.temperature = sample.temperature() ? *sample.temperature() * 100 : NAN;
        written.pressure = sample.pressure() ? *sample.pressure() * 10 : NAN;
        written.moment = {sample.time(), read.interval == RunInterval::Tenth, !sample.gap(),
                          read.alertsOf(static_cast<qsizetype>(i))};
        bytes += JournalRow(written);
    }
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const RunFileResult read = ReadRunFile(bytes, QStringLiteral("poruka-2026-12-07-062304.csv"));
    CheckSamples(read);
    CheckSamples(ReadRunFile(bytes));   // no name to tell the day or the hour
    if (size == 0)
        Check(!read.ok() && read.error->line == 1);

    const QByteArray written = Rewritten(read);
    const RunFileResult again = ReadRunFile(written);
    CheckSamples(again);
    Check(again.ok());
    Check(Rewritten(again) == written);
    return 0;
}
