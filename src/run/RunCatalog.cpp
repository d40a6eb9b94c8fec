#include "run/RunCatalog.h"

#include "run/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace {

// Raised whenever the reader reads some file differently, so that old summaries are not kept.
constexpr int kCacheVersion = 1;
// A cache of hundreds of runs is some tens of kilobytes; anything far larger is not ours.
constexpr qint64 kMostCacheBytes = 8 << 20;

// What a summary was made from: the same name, size and modification time is the same file.
struct FileStamp {
    qint64 size = -1;
    qint64 modified = 0;

    bool operator==(const FileStamp&) const = default;
};

FileStamp StampOf(const QFileInfo& file)
{
    return {file.size(), file.lastModified().toMSecsSinceEpoch()};
}

QString IntervalName(RunInterval interval)
{
    switch (interval) {
    case RunInterval::Minute:
        return QStringLiteral("minute");
    case RunInterval::Tenth:
        return QStringLiteral("tenth");
    case RunInterval::Unknown:
        break;
    }
    return QString();
}

RunInterval IntervalNamed(const QString& name)
{
    if (name == QLatin1String("minute"))
        return RunInterval::Minute;
    if (name == QLatin1String("tenth"))
        return RunInterval::Tenth;
    return RunInterval::Unknown;
}

QJsonObject ToJson(const RunSummary& run, const FileStamp& stamp)
{
    QJsonObject entry{{QStringLiteral("size"), stamp.size},
                      {QStringLiteral("modified"), stamp.modified},
                      {QStringLiteral("durationMs"), run.durationMs},
                      {QStringLiteral("interval"), IntervalName(run.interval)},
                      {QStringLiteral("samples"), run.sampleCount}};
    if (run.start.isValid())
        entry.insert(QStringLiteral("start"), run.start.toString(Qt::ISODateWithMs));
    if (run.lowestTemperature && run.highestTemperature) {
        entry.insert(QStringLiteral("lowest"), *run.lowestTemperature);
        entry.insert(QStringLiteral("highest"), *run.highestTemperature);
    }
    if (run.error) {
        entry.insert(QStringLiteral("errorLine"), run.error->line);
        entry.insert(QStringLiteral("error"), run.error->reason);
    }
    return entry;
}

// The cached summary of a file, when the entry was made from this very file. Whatever the
// cache holds, the summary has sensible values.
std::optional<RunSummary> FromJson(const QJsonObject& entry, const FileStamp& stamp, const QString& path)
{
    const FileStamp cached{entry.value(QStringLiteral("size")).toInteger(-1),
                           entry.value(QStringLiteral("modified")).toInteger(0)};
    if (cached != stamp)
        return std::nullopt;
    RunSummary run;
    run.path = path;
    run.start = QDateTime::fromString(entry.value(QStringLiteral("start")).toString(), Qt::ISODateWithMs);
    run.durationMs = std::max<qint64>(0, entry.value(QStringLiteral("durationMs")).toInteger());
    run.interval = IntervalNamed(entry.value(QStringLiteral("interval")).toString());
    run.sampleCount = std::max<qint64>(0, entry.value(QStringLiteral("samples")).toInteger());
    const QJsonValue lowest = entry.value(QStringLiteral("lowest"));
    const QJsonValue highest = entry.value(QStringLiteral("highest"));
    if (lowest.isDouble() && highest.isDouble()) {
        run.lowestTemperature = static_cast<float>(lowest.toDouble());
        run.highestTemperature = static_cast<float>(highest.toDouble());
    }
    if (entry.contains(QStringLiteral("error")))
        run.error = RunFileError{entry.value(QStringLiteral("errorLine")).toInt(),
                                 entry.value(QStringLiteral("error")).toString()};
    return run;
}

QJsonObject ReadCache(const QString& path)
{
    QFile file(path);
    if (file.size() > kMostCacheBytes || !file.open(QIODevice::ReadOnly))
        return {};
    const QJsonObject cache = QJsonDocument::fromJson(file.read(kMostCacheBytes)).object();
    if (cache.value(QStringLiteral("version")).toInt() != kCacheVersion)
        return {};
    return cache.value(QStringLiteral("runs")).toObject();
}

// A folder that cannot be written (a read-only stick) simply keeps no cache.
void WriteCache(const QString& path, const QJsonObject& runs)
{
    const QJsonObject cache{{QStringLiteral("version"), kCacheVersion}, {QStringLiteral("runs"), runs}};
    WriteWholeFile(path, QJsonDocument(cache).toJson(QJsonDocument::Compact));
}

}   // namespace

RunSummary SummarizeRun(const RunFileResult& read, const QString& path)
{
    constexpr quint8 kClocks = RunFileSample::FullTime | RunFileSample::TimeOfDay | RunFileSample::Elapsed;
    RunSummary run;
    run.path = QFileInfo(path).absoluteFilePath();
    run.start = read.start;
    run.interval = read.interval;
    run.sampleCount = static_cast<qsizetype>(read.samples.size());
    run.error = read.error;

    // Times of one kind only can be subtracted: the kind of the first timed row.
    quint8 clockKind = 0;
    qint64 earliest = 0, latest = 0;
    for (const RunFileSample& sample : read.samples) {
        const quint8 kind = sample.flags & kClocks;
        if (kind != 0 && clockKind == 0) {
            clockKind = kind;
            earliest = latest = sample.clock;
        } else if (kind != 0 && kind == clockKind) {
            earliest = std::min(earliest, sample.clock);
            latest = std::max(latest, sample.clock);
        }
        if (sample.gap() || !sample.has(RunFileSample::HasTemperature))
            continue;
        const float value = sample.temperatureValue;
        run.lowestTemperature = std::min(run.lowestTemperature.value_or(value), value);
        run.highestTemperature = std::max(run.highestTemperature.value_or(value), value);
    }
    run.durationMs = latest - earliest;
    return run;
}

std::vector<RunSummary> ListRuns(const QString& folder)
{
    const QDir dir(folder);
    const QFileInfoList files = dir.entryInfoList({QStringLiteral("*.csv")}, QDir::Files, QDir::Name);
    const QString cachePath = dir.filePath(QString::fromLatin1(kRunCatalogFileName));
    const QJsonObject cached = ReadCache(cachePath);
    QJsonObject kept;
    bool changed = false;

    struct Listed {
        RunSummary run;
        QDateTime order;
    };
    std::vector<Listed> listed;
    listed.reserve(static_cast<size_t>(files.size()));
    for (const QFileInfo& file : files) {
        const FileStamp stamp = StampOf(file);
        const QString name = file.fileName();
        std::optional<RunSummary> run = FromJson(cached.value(name).toObject(), stamp, file.absoluteFilePath());
        const bool read = !run;
        if (read)
            run = SummarizeRun(ReadRunFileAt(file.absoluteFilePath()), file.absoluteFilePath());
        // A file that could not even be opened may open next time without changing.
        if (!run->error || run->error->line > 0) {
            kept.insert(name, ToJson(*run, stamp));
            changed |= read;
        }
        const QDateTime order = run->start.isValid() ? run->start : file.lastModified();
        listed.push_back({std::move(*run), order});
    }
    if (changed || kept.size() != cached.size())
        WriteCache(cachePath, kept);

    std::stable_sort(listed.begin(), listed.end(), [](const Listed& a, const Listed& b) { return a.order > b.order; });
    std::vector<RunSummary> runs;
    runs.reserve(listed.size());
    for (Listed& entry : listed)
        runs.push_back(std::move(entry.run));
    return runs;
}
