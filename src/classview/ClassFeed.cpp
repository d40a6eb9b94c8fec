#include "classview/ClassFeed.h"

#include "base/ProgramState.h"
#include "run/AlertRules.h"
#include "run/RunCsv.h"
#include "run/RunLog.h"
#include "run/StatusBoard.h"

#include <QColor>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QByteArray Event(const char* name, const QJsonObject& data, const QByteArray& id = {})
{
    QByteArray text;
    if (!id.isEmpty())
        text += "id: " + id + '\n';
    return text + "event: " + name + "\ndata: " + QJsonDocument(data).toJson(QJsonDocument::Compact) + "\n\n";
}

QJsonObject SampleData(int slot, float temperature, float pressure, const SampleMoment& moment)
{
    QJsonObject data{{"i", slot},
                     {"T", HistoryValueText(temperature, 2)},
                     {"P", HistoryValueText(pressure, 1)}};
    if (moment.time.isValid())
        data.insert("ms", static_cast<double>(moment.time.toMSecsSinceEpoch()));
    if (!moment.answering)
        data.insert("x", true);
    if (!moment.alerts.isEmpty())
        data.insert("a", QJsonArray::fromStringList(moment.alerts));
    return data;
}

void AddAlertColours(QJsonObject& colours, const AlertTable& alerts, const AlertTexts& texts, int count)
{
    for (int entry = 0; entry < count && entry < kAlertEntries; ++entry) {
        if (const auto colour = AlertBackColour(alerts[3][entry]))
            colours.insert(texts[entry], QColor::fromRgb(*colour).name());
    }
}

}   // namespace

ClassFeed::ClassFeed(ClassFeedParts parts, QObject* parent)
    : QObject(parent)
    , m_parts(std::move(parts))
{
    m_gather.setSingleShot(true);
    m_gather.setInterval(kGatherMilliseconds);
    connect(&m_gather, &QTimer::timeout, this, &ClassFeed::Flush);
    // A comment line: it tells a page that the connection lives, and a dead one shows up.
    m_keepAlive.setInterval(kKeepAliveMilliseconds);
    connect(&m_keepAlive, &QTimer::timeout, this, [this] { emit send(":\n\n"); });
    connect(&m_parts.run, &RunLog::sampleRecorded, this, &ClassFeed::AddSample);
    connect(&m_parts.run, &RunLog::runCleared, this, &ClassFeed::ClearRun);
    connect(&m_parts.status, &StatusBoard::changed, this, [this] { Gather({}); });
}

void ClassFeed::restart()
{
    m_active = true;
    m_keepAlive.start();
    ++m_run;
    m_samples.clear();
    const ProgramState& state = m_parts.state;
    const auto& moments = m_parts.run.moments();
    const int count = ExportedSampleCount(state, m_parts.recording());
    for (int slot = 0; slot < count; ++slot) {
        const SampleMoment moment = slot < static_cast<int>(moments.size()) ? moments[slot] : SampleMoment{};
        const QByteArray id = QByteArray::number(m_run) + '.' + QByteArray::number(slot + 1);
        m_samples.push_back(Event("sample", SampleData(slot, state.TemperatureHistory[slot], state.PressureHistory[slot], moment), id));
    }
}

void ClassFeed::halt()
{
    m_active = false;
    m_temperature.clear();
    m_pressure.clear();
    m_sentReading.clear();
    m_samples.clear();
    m_gathered.clear();
    m_gather.stop();
    m_keepAlive.stop();
}

QByteArray ClassFeed::opening(const QByteArray& lastEventId) const
{
    QByteArray text = "retry: 2000\n\n" + Hello() + Reading();
    // "run.count": the run and how many of its samples the page has.
    const QList<QByteArray> parts = lastEventId.split('.');
    bool runOk = false;
    bool countOk = false;
    const int run = parts.size() == 2 ? parts[0].toInt(&runOk) : -1;
    const qsizetype seen = parts.size() == 2 ? parts[1].toLongLong(&countOk) : -1;
    qsizetype from = 0;
    if (runOk && countOk && run == m_run && seen >= 0 && seen <= static_cast<qsizetype>(m_samples.size()))
        from = seen;
    else
        text += Reset();
    for (auto sample = m_samples.begin() + from; sample != m_samples.end(); ++sample)
        text += *sample;
    return text;
}

void ClassFeed::showReadings(const QString& rawTemperature, const QString& rawPressure)
{
    // Before the first reading the fields hold their names; the page shows no number then.
    const auto number = [](const QString& text) {
        bool ok = false;
        text.trimmed().toDouble(&ok);
        return ok ? text.trimmed() : QString();
    };
    if (!m_active)
        return;
    const QString temperature = number(rawTemperature);
    const QString pressure = number(rawPressure);
    if (temperature == m_temperature && pressure == m_pressure)
        return;
    m_temperature = temperature;
    m_pressure = pressure;
    Gather({});
}

void ClassFeed::AddSample(const RecordedSample& sample)
{
    if (!m_active)
        return;
    if (m_samples.size() >= kMostKeptSamples) {
        restart();
        Gather(Reset());
        for (const QByteArray& event : m_samples)
            Gather(event);
        return;
    }
    const QByteArray id = QByteArray::number(m_run) + '.' + QByteArray::number(m_samples.size() + 1);
    m_samples.push_back(Event("sample", SampleData(sample.slot, sample.temperature, sample.pressure, sample.moment), id));
    Gather(m_samples.back());
}

void ClassFeed::ClearRun()
{
    if (!m_active)
        return;
    ++m_run;
    m_samples.clear();
    m_gathered.clear();
    Gather(Reset());
}

QByteArray ClassFeed::Hello() const
{
    const ProgramState& state = m_parts.state;
    QJsonObject colours;
    AddAlertColours(colours, state.TemperatureAlerts, state.TemperatureAlertTexts, state.TemperatureAlertCount);
    AddAlertColours(colours, state.PressureAlerts, state.PressureAlertTexts, state.PressureAlertCount);
    return Event("hello", {{"colours", colours}});
}

QByteArray ClassFeed::Reading() const
{
    return Event("reading", {{"t", m_temperature}, {"p", m_pressure}, {"s", m_parts.status.text(StatusSource::Port)}});
}

QByteArray ClassFeed::Reset() const
{
    return Event("reset", {{"run", m_run}}, QByteArray::number(m_run) + ".0");
}

void ClassFeed::Gather(const QByteArray& events)
{
    if (!m_active)
        return;
    m_gathered += events;
    if (!m_gather.isActive())
        m_gather.start();
}

void ClassFeed::Flush()
{
    // The readings go once per flush, and only when they changed.
    const QByteArray reading = Reading();
    if (reading != m_sentReading) {
        m_sentReading = reading;
        m_gathered += reading;
    }
    if (!m_gathered.isEmpty()) {
        m_keepAlive.start();
        emit send(std::exchange(m_gathered, {}));
    }
}
