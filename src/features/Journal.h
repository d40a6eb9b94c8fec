#pragma once

// The run's journal: every recorded sample appended, as it is recorded, to a CSV file in the
// subfolder 記録 of the working folder, so that a power cut, a crash or a hasty おわり never
// takes a run with it. One file per run, named after the moment of the run's first sample
// ("記録/poruka-2026-12-07-062300.csv"); a stop and a later start go on in the same file, and
// after a reset the next run begins a new one. It is a log: rows are only ever added, so a slot
// that a continued run writes again appears twice, the later row being the one the graph shows.
//
// Each row leaves the program with one write(2) as its sample is recorded, so a program that is
// killed loses nothing it recorded. The file is synced to disk right after every sample in
// minute mode (as the event loop's next step), and within four seconds of a write in the 0.1-s
// mode, which bounds what a power cut takes. A journal that cannot be written never holds the run up: its rows wait in memory (up
// to a limit) and go out with the next write that succeeds; meanwhile the caption says so.

#include "run/RecordedSample.h"

#include <QByteArray>
#include <QDir>
#include <QObject>
#include <QTimer>

class RunLog;
class StatusBoard;

class Journal : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kFolderName = "記録";
    static constexpr const char* kNotWritableStatus = "記録を保存できません";
    static constexpr int kSyncMilliseconds = 4000;       // 0.1-s mode: at most this unsynced
    static constexpr qsizetype kMostWaiting = 4 << 20;   // bytes of rows kept while failing

    // Follows every sample the run log records and every clearing of the run, and tells the
    // status board when it cannot be written.
    Journal(const QDir& workingFolder, RunLog& run, StatusBoard& status, QObject* parent = nullptr);
    ~Journal() override;

    // Appends the sample's row, creating the run's file with its first sample.
    void Append(const RecordedSample& sample);
    // The run was cleared: this file is done, the next sample begins a new one.
    void EndRun();
    // Sends what was written to the disk.
    void Sync();

    QString path() const { return m_path; }   // the run's file; empty until it was created
    bool writable() const { return m_writable; }
    const QTimer& syncTimer() const { return m_syncTimer; }
    int syncs() const { return m_syncs; }   // completed syncs, for the curious

signals:
    void writableChanged(bool writable);

private:
    bool OpenRunFile();
    bool WriteWaiting();
    bool SyncFile();
    void Close();
    void SetWritable(bool writable);

    QDir m_workingFolder;
    int m_file = -1;
    QString m_path;
    QDateTime m_runBegan;   // the first sample's moment; not valid between runs
    QByteArray m_waiting;   // the header and rows not yet written
    bool m_writable = true;
    bool m_unsynced = false;
    int m_syncs = 0;
    QTimer m_syncTimer;
};
