#pragma once

// What the pupils' pages are told, as Server-Sent Events: the readings and the connection
// state as they change, and every recorded sample of the run. Each sample carries an id
// ("run.count"), so a page that wakes from sleep reconnects with the last id it saw and gets
// only what it missed; a page of another run, or none, gets the whole run again. Changes are
// gathered for a fifth of a second and go out together, so sixty pages cost a few writes a
// second, not one per reading.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <vector>

struct ProgramState;
struct RecordedSample;
class RunLog;
class StatusBoard;

struct ClassFeedParts {
    const ProgramState& state;
    RunLog& run;
    StatusBoard& status;
    std::function<bool()> recording;
};

class ClassFeed : public QObject {
    Q_OBJECT
public:
    static constexpr int kGatherMilliseconds = 200;
    static constexpr int kKeepAliveMilliseconds = 15000;   // a page hears something this often
    static constexpr size_t kMostKeptSamples = 50000;      // then the run is sent again from the histories

    explicit ClassFeed(ClassFeedParts parts, QObject* parent = nullptr);

    // Begins from the run as the histories hold it now.
    void restart();
    // Forgets the run and follows nothing until the next restart.
    void halt();
    // What a new page gets first.
    QByteArray opening(const QByteArray& lastEventId) const;
    // The readout's texts, as the window shows them.
    void showReadings(const QString& temperature, const QString& pressure);

signals:
    // Text for every open page.
    void send(const QByteArray& events);

private:
    void AddSample(const RecordedSample& sample);
    void ClearRun();
    QByteArray Hello() const;
    QByteArray Reading() const;
    QByteArray Reset() const;
    void Gather(const QByteArray& events);
    void Flush();

    ClassFeedParts m_parts;
    bool m_active = false;
    int m_run = 0;
    std::vector<QByteArray> m_samples;   // one event each, in the order recorded
    QString m_temperature;
    QString m_pressure;
    QByteArray m_sentReading;
    QByteArray m_gathered;
    QTimer m_gather;
    QTimer m_keepAlive;
};
