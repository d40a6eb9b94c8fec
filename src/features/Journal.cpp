#include "features/Journal.h"

#include "run/RunCsv.h"
#include "run/RunLog.h"
#include "run/StatusBoard.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kMostNameTries = 100;   // runs begun within the same second get "-2", "-3", ...

// Makes the new file's name itself durable: a power cut right after creating it must not
// leave the rows written to a file that no folder lists.
void SyncFolder(const QString& folder)
{
    const int handle = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0)
        return;
    ::fsync(handle);
    ::close(handle);
}

}   // namespace

Journal::Journal(const QDir& workingFolder, RunLog& run, StatusBoard& status, QObject* parent)
    : QObject(parent)
    , m_workingFolder(workingFolder)
{
    setObjectName(QStringLiteral("Journal"));
    connect(&run, &RunLog::sampleRecorded, this, &Journal::Append);
    connect(&run, &RunLog::runCleared, this, &Journal::EndRun);
    connect(this, &Journal::writableChanged, &status, [&status](bool writable) {
        status.set(StatusSource::Journal, writable ? QString() : QString::fromUtf8(kNotWritableStatus));
    });
    m_syncTimer.setSingleShot(true);
    connect(&m_syncTimer, &QTimer::timeout, this, &Journal::Sync);
}

Journal::~Journal()
{
    Close();
}

void Journal::Append(const RecordedSample& sample)
{
    if (!m_runBegan.isValid())
        m_runBegan = sample.moment.time.isValid() ? sample.moment.time : QDateTime::currentDateTime();
    const QByteArray row = JournalRow(sample);
    // While the journal fails, rows wait up to a limit; the run's memory keeps every sample.
    if (m_waiting.size() + row.size() <= kMostWaiting)
        m_waiting += row;

    const bool written = (m_file >= 0 || OpenRunFile()) && WriteWaiting();
    if (written) {
        m_unsynced = true;
        // The sync waits for the disk, so it runs as the event loop's next step rather than
        // inside the recording tick: the readout's exchange never waits behind it.
        if (!sample.moment.tenths)
            m_syncTimer.start(0);
        else if (!m_syncTimer.isActive())
            m_syncTimer.start(kSyncMilliseconds);
    }
    SetWritable(written);
}

void Journal::EndRun()
{
    Close();
    m_runBegan = QDateTime();
    m_path.clear();
    m_waiting.clear();
    SetWritable(true);
}

void Journal::Sync()
{
    m_syncTimer.stop();
    if (!SyncFile())
        SetWritable(false);
}

bool Journal::SyncFile()
{
    if (m_file < 0 || !m_unsynced)
        return true;
    if (::fdatasync(m_file) != 0)
        return false;
    m_unsynced = false;
    ++m_syncs;
    return true;
}

bool Journal::OpenRunFile()
{
    const QString folderName = QString::fromUtf8(kFolderName);
    if (!m_workingFolder.mkpath(folderName))
        return false;
    const QDir folder(m_workingFolder.filePath(folderName));
    const QString name = JournalFileName(m_runBegan);
    for (int attempt = 1; attempt <= kMostNameTries; ++attempt) {
        // Never an old journal: the file must be new.
        const QString path = folder.filePath(
            attempt == 1 ? name : QStringLiteral("%1-%2.csv").arg(name.chopped(4)).arg(attempt));
        const int file = ::open(QFile::encodeName(path).constData(),
                                O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (file >= 0) {
            m_file = file;
            m_path = path;
            m_waiting.prepend(JournalHeader());
            SyncFolder(folder.path());
            return true;
        }
        if (errno != EEXIST)
            return false;
    }
    return false;
}

bool Journal::WriteWaiting()
{
    // Normally one write takes the whole row; what a full disk leaves waits for the next try.
    while (!m_waiting.isEmpty()) {
        const ssize_t written = ::write(m_file, m_waiting.constData(), static_cast<size_t>(m_waiting.size()));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        m_waiting.remove(0, written);
    }
    return true;
}

void Journal::Close()
{
    m_syncTimer.stop();
    if (m_file < 0)
        return;
    SyncFile();
    ::close(m_file);
    m_file = -1;
}

void Journal::SetWritable(bool writable)
{
    if (m_writable == writable)
        return;
    m_writable = writable;
    emit writableChanged(writable);
}
