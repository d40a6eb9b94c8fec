#include "run/RunFile.h"

#include "run/RunFileFields.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>
#include <cmath>

namespace {

constexpr qint64 kMsPerDay = 86400000;
constexpr qint64 kJulianDayOf1970 = 2440588;
constexpr qint64 kMostElapsedSeconds = qint64(1) << 40;
// Steps between samples shorter than this are 0.1-s steps that a spreadsheet wrote to the
// minute or second; longer ones are minutes.
constexpr qint64 kLongestTenthStepMs = 30000;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kGapState = "未接続";

// The columns a run file may have, found by header name; -1 for one that is not there.
struct Columns {
    int slot = -1;
    int elapsed = -1;
    int time = -1;
    int temperature = -1;
    int pressure = -1;
    int state = -1;
    int alerts = -1;

    void find(const std::vector<CsvField>& header)
    {
        const std::pair<std::string_view, int*> names[] = {
            {"番号", &slot},
            {"経過時間(秒)", &elapsed},
            {"時刻", &time},
            {"温度(℃)", &temperature},
            {"気圧(hPa)", &pressure},
            {"状態", &state},
            {"警報", &alerts},
        };
        for (int i = 0; i < static_cast<int>(header.size()); ++i)
            for (const auto& [name, column] : names)
                if (*column < 0 && Trimmed(header[static_cast<size_t>(i)].text) == name)
                    *column = i;
    }
};

QDateTime LocalTime(qint64 clock)
{
    const qint64 day = clock >= 0 ? clock / kMsPerDay : -((-clock + kMsPerDay - 1) / kMsPerDay);
    return QDateTime(QDate::fromJulianDay(day + kJulianDayOf1970),
                     QTime::fromMSecsSinceStartOfDay(static_cast<int>(clock - day * kMsPerDay)));
}

// What the name of a journal ("poruka-2026-12-07-062304.csv", its first sample's moment) or of
// an export ("poruka-2026-12-07-0930.csv") tells of the run's first day.
struct NameTime {
    qint64 day = 0;   // days since 1970-01-01
    // The journal's first sample to the second. An export's name holds minutes alone, and in the
    // 0.1-s mode the moment it was saved, so it gives none.
    std::optional<qint32> msOfDay;
};

std::optional<NameTime> TimeOfFileName(const QString& fileName)
{
    static const QRegularExpression pattern(
        QStringLiteral("(\\d{4})-(\\d{2})-(\\d{2})(?:-(\\d{2})(\\d{2})(\\d{2})(?!\\d))?"));
    const QRegularExpressionMatch match = pattern.match(QFileInfo(fileName).fileName());
    if (!match.hasMatch())
        return std::nullopt;
    const QDate date(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt());
    if (!date.isValid())
        return std::nullopt;
    NameTime name{date.toJulianDay() - kJulianDayOf1970, std::nullopt};
    const QTime time(match.captured(4).toInt(), match.captured(5).toInt(), match.captured(6).toInt());
    if (match.hasCaptured(6) && time.isValid())
        name.msOfDay = time.msecsSinceStartOfDay();
    return name;
}

// Reads the records after the header into the result, row by row.
class RunReader {
public:
    RunReader(std::string_view text, std::optional<NameTime> name, RunFileResult& result)
        : m_text(text)
        , m_records(text, FieldSeparator(text))
        , m_name(name)
        , m_result(result)
    {
        if (name)
            m_day = name->day;
    }

    void read();

private:
    bool readHeader();
    // Reads one record into a sample; the reason it cannot, or empty.
    QString readRow(RunFileSample& sample);
    void readTime(const FieldTime& time, RunFileSample& sample);
    void readTimeWithoutHour(const FieldTime& time, RunFileSample& sample);
    void countStep(const RunFileSample& sample);
    void fail(int line, const QString& reason) { m_result.error = RunFileError{line, reason}; }

    std::string_view field(int column) const
    {
        const auto& fields = m_records.fields();
        return column >= 0 && column < static_cast<int>(fields.size()) ? fields[static_cast<size_t>(column)].text : std::string_view();
    }

    std::string_view m_text;
    CsvRecords m_records;
    Columns m_columns;
    std::optional<NameTime> m_name;
    std::optional<qint64> m_day;   // the date of the last row that had one, or the file name's
    qint64 m_unknownDay = 0;       // days since the first row, when no date is known
    int m_lastMsOfDay = -1;
    // Rows of minutes and seconds alone: the hours passed since the first such row, which is in
    // the journal name's hour or the next, else counts as the run's start.
    qint64 m_hours = 0;
    int m_lastMsOfHour = -1;
    int m_firstMsOfHour = 0;
    RunFileResult& m_result;

    // What tells the interval: tenths written; a full time written to the second without them;
    // else the usual step between samples.
    bool m_tenthsWritten = false;
    bool m_secondsWritten = false;
    qint64 m_shortSteps = 0;
    qint64 m_longSteps = 0;
    quint8 m_previousClockKind = 0;   // none before the first sample
    qint64 m_previousClock = 0;
    std::optional<qint64> m_elapsedMs;   // of the row being read
};

bool RunReader::readHeader()
{
    for (;;) {
        switch (m_records.next()) {
        case CsvRecords::Next::End:
            fail(1, QStringLiteral("何も書かれていません"));
            return false;
        case CsvRecords::Next::OpenQuote:
            fail(m_records.line(), QStringLiteral("引用符が閉じていません"));
            return false;
        case CsvRecords::Next::Record:
            break;
        }
        const auto& fields = m_records.fields();
        if (std::all_of(fields.begin(), fields.end(), [](const CsvField& f) { return Trimmed(f.text).empty(); }))
            continue;   // blank lines above the header
        m_columns.find(fields);
        if (m_columns.time < 0 && m_columns.elapsed < 0) {
            fail(m_records.line(), QStringLiteral("記録の見出しがありません"));
            return false;
        }
        if (m_columns.temperature < 0 && m_columns.pressure < 0) {
            fail(m_records.line(), QStringLiteral("温度と気圧の列がありません"));
            return false;
        }
        return true;
    }
}

void RunReader::read()
{
    if (!readHeader())
        return;
    // One row a line, as the journal is written: the samples never move while they are read.
    m_result.samples.reserve(static_cast<size_t>(std::count(m_text.begin(), m_text.end(), '\n')));
    for (;;) {
        const CsvRecords::Next next = m_records.next();
        if (next == CsvRecords::Next::End)
            break;
        if (next == CsvRecords::Next::OpenQuote) {
            fail(m_records.line(), QStringLiteral("引用符が閉じていません"));
            break;
        }
        const auto& fields = m_records.fields();
        if (std::all_of(fields.begin(), fields.end(), [](const CsvField& f) { return Trimmed(f.text).empty(); }))
            continue;   // a spreadsheet's emptied row
        RunFileSample sample;
        const QString reason = readRow(sample);
        if (!reason.isEmpty()) {
            fail(m_records.line(), reason);
            break;
        }
        if (sample.has(RunFileSample::HasAlerts)) {
            const QString text = FieldText(m_records.fields()[static_cast<size_t>(m_columns.alerts)]);
            m_result.alerts.emplace_back(static_cast<qsizetype>(m_result.samples.size()),
                                         text.split(QStringLiteral(" / ")));
        }
        if (!m_result.start.isValid() && sample.has(RunFileSample::FullTime))
            m_result.start = LocalTime(sample.clock - m_elapsedMs.value_or(0));
        countStep(sample);
        m_result.samples.push_back(sample);
    }
    if (m_tenthsWritten)
        m_result.interval = RunInterval::Tenth;
    else if (m_secondsWritten)
        m_result.interval = RunInterval::Minute;
    else if (m_shortSteps + m_longSteps > 0)
        m_result.interval = m_shortSteps > m_longSteps ? RunInterval::Tenth : RunInterval::Minute;
}

QString RunReader::readRow(RunFileSample& sample)
{
    if (const std::string_view slot = Trimmed(field(m_columns.slot)); !slot.empty()) {
        const std::optional<double> value = ReadDecimal(slot);
        if (!value || *value < 0 || *value > 1e9 || *value != std::floor(*value))
            return QStringLiteral("番号を読めません");
        sample.slot = static_cast<qint32>(*value);
    }

    m_elapsedMs.reset();
    if (const std::string_view elapsed = Trimmed(field(m_columns.elapsed)); !elapsed.empty()) {
        bool fraction = false;
        const std::optional<double> seconds = ReadDecimal(elapsed, &fraction);
        if (!seconds || std::fabs(*seconds) > kMostElapsedSeconds)
            return QStringLiteral("経過時間を読めません");
        m_elapsedMs = std::llround(*seconds * 1000);
        m_tenthsWritten |= fraction;
    }
    if (const std::string_view time = Trimmed(field(m_columns.time)); !time.empty()) {
        const std::optional<FieldTime> read = ReadFieldTime(time);
        if (!read)
            return QStringLiteral("時刻を読めません");
        if (!read->noHour) {
            readTime(*read, sample);
        } else if (m_elapsedMs) {   // an export's elapsed seconds tell more than minutes and seconds
            m_tenthsWritten |= read->fraction;
            sample.clock = *m_elapsedMs;
            sample.flags |= RunFileSample::Elapsed;
        } else {
            readTimeWithoutHour(*read, sample);
        }
    } else if (m_elapsedMs) {
        sample.clock = *m_elapsedMs;
        sample.flags |= RunFileSample::Elapsed;
    } else if (m_columns.elapsed < 0) {
        // Every journal row has its time; only an export leaves it out, for a slot never timed.
        return QStringLiteral("時刻がありません");
    }

    const std::pair<int, float RunFileSample::*> values[] = {{m_columns.temperature, &RunFileSample::temperatureValue},
                                                             {m_columns.pressure, &RunFileSample::pressureValue}};
    for (const auto& [column, member] : values) {
        const std::string_view text = field(column);
        if (Trimmed(text).empty())
            continue;
        const std::optional<double> value = ReadDecimal(text);
        const bool temperature = member == &RunFileSample::temperatureValue;
        if (!value || !std::isfinite(static_cast<float>(*value)))
            return temperature ? QStringLiteral("温度を読めません") : QStringLiteral("気圧を読めません");
        sample.*member = static_cast<float>(*value);
        sample.flags |= temperature ? RunFileSample::HasTemperature : RunFileSample::HasPressure;
    }

    if (Trimmed(field(m_columns.state)) == kGapState)
        sample.flags |= RunFileSample::Gap;
    if (!Trimmed(field(m_columns.alerts)).empty())
        sample.flags |= RunFileSample::HasAlerts;
    return QString();
}

void RunReader::readTime(const FieldTime& time, RunFileSample& sample)
{
    m_tenthsWritten |= time.fraction;
    m_secondsWritten |= time.programForm && !time.fraction;
    if (time.hasDate) {
        m_day = time.day;
    } else if (time.msOfDay < m_lastMsOfDay) {
        // A time of day alone that goes back is on the next day.
        if (m_day)
            ++*m_day;
        else
            ++m_unknownDay;
    }
    m_lastMsOfDay = time.msOfDay;
    if (m_day) {
        sample.clock = *m_day * kMsPerDay + time.msOfDay;
        sample.flags |= RunFileSample::FullTime;
    } else {
        sample.clock = m_unknownDay * kMsPerDay + time.msOfDay;
        sample.flags |= RunFileSample::TimeOfDay;
    }
}

void RunReader::readTimeWithoutHour(const FieldTime& time, RunFileSample& sample)
{
    constexpr qint64 kMsPerHour = 3600000;
    m_tenthsWritten |= time.fraction;
    const std::optional<qint32> nameMs = m_name ? m_name->msOfDay : std::nullopt;
    if (m_lastMsOfHour < 0) {
        m_firstMsOfHour = time.msOfDay;
        if (nameMs && time.msOfDay < *nameMs % kMsPerHour)
            m_hours = 1;   // the run began just before the hour turned
    } else if (time.msOfDay < m_lastMsOfHour) {
        ++m_hours;
    }
    m_lastMsOfHour = time.msOfDay;
    if (nameMs) {
        sample.clock = m_name->day * kMsPerDay + (*nameMs / kMsPerHour + m_hours) * kMsPerHour + time.msOfDay;
        sample.flags |= RunFileSample::FullTime;
    } else {
        sample.clock = m_hours * kMsPerHour + time.msOfDay - m_firstMsOfHour;
        sample.flags |= RunFileSample::Elapsed;
    }
}

void RunReader::countStep(const RunFileSample& sample)
{
    constexpr quint8 kClocks = RunFileSample::FullTime | RunFileSample::TimeOfDay | RunFileSample::Elapsed;
    const quint8 kind = sample.flags & kClocks;
    const qint64 step = sample.clock - m_previousClock;
    if (kind != 0 && kind == m_previousClockKind && step >= 0)
        ++(step < kLongestTenthStepMs ? m_shortSteps : m_longSteps);
    m_previousClockKind = kind;
    m_previousClock = sample.clock;
}

// The file's bytes, one more than the limit at most. The buffer is sized for the size the file
// had when it was looked at (asking QFile for the limit at once would set aside 256 MB for every
// file) and grows when the file did, as the journal of a run being recorded does.
QByteArray ReadAtMost(QFile& file, qint64 sizeSeen)
{
    QByteArray bytes(std::min(sizeSeen, kMostRunFileBytes) + 1, Qt::Uninitialized);
    qint64 filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (filled > kMostRunFileBytes)
                break;
            bytes.resize(std::min(filled * 2, kMostRunFileBytes + 1));
        }
        const qint64 read = file.read(bytes.data() + filled, bytes.size() - filled);
        if (read <= 0)
            break;
        filled += read;
    }
    bytes.truncate(filled);
    return bytes;
}

}   // namespace

std::optional<float> RunFileSample::temperature() const
{
    return has(HasTemperature) ? std::optional<float>(temperatureValue) : std::nullopt;
}

std::optional<float> RunFileSample::pressure() const
{
    return has(HasPressure) ? std::optional<float>(pressureValue) : std::nullopt;
}

QDateTime RunFileSample::time() const
{
    return has(FullTime) ? LocalTime(clock) : QDateTime();
}

QString RunFileError::text() const
{
    if (line <= 0)
        return reason;
    return QStringLiteral("%1 行目を読めません: %2").arg(line).arg(reason);
}

QStringList RunFileResult::alertsOf(qsizetype sampleIndex) const
{
    const auto found = std::lower_bound(alerts.begin(), alerts.end(), sampleIndex,
                                        [](const auto& entry, qsizetype index) { return entry.first < index; });
    return found != alerts.end() && found->first == sampleIndex ? found->second : QStringList();
}

RunFileResult ReadRunFile(const QByteArray& bytes, const QString& fileName)
{
    RunFileResult result;
    std::string_view text(bytes.constData(), static_cast<size_t>(bytes.size()));
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        text.remove_prefix(kByteOrderMark.size());
    // A spreadsheet on a Japanese Windows saves CSV in Shift_JIS, without a byte-order mark, and
    // its "Unicode text" in UTF-16 with one (and tabs between the fields).
    QByteArray converted;
    const std::optional<QStringConverter::Encoding> utf16 = QStringConverter::encodingForData(bytes);
    if (utf16 == QStringConverter::Utf16LE || utf16 == QStringConverter::Utf16BE) {
        QStringDecoder decoder(*utf16, QStringDecoder::Flag::Stateless);
        converted = QString(decoder.decode(bytes.mid(2))).toUtf8();
        text = std::string_view(converted.constData(), static_cast<size_t>(converted.size()));
    } else if (!IsValidUtf8(text) && text.find('\0') == std::string_view::npos) {
        // (Shift_JIS text holds no NUL byte: bytes that do are no text and are read as they
        // are, their header not found, rather than decoded whole first.)
        QStringDecoder shiftJis("Shift_JIS");
        converted = shiftJis.isValid() ? QString(shiftJis.decode(bytes)).toUtf8() : QString::fromLatin1(bytes).toUtf8();
        text = std::string_view(converted.constData(), static_cast<size_t>(converted.size()));
    }
    // Every journal is named after its first sample; the date stands in the name.
    RunReader(text, fileName.isEmpty() ? std::nullopt : TimeOfFileName(fileName), result).read();
    return result;
}

RunFileResult ReadRunFileAt(const QString& path)
{
    RunFileResult result;
    const QFileInfo info(path);
    if (!info.exists()) {
        result.error = RunFileError{0, QStringLiteral("ファイルがありません")};
        return result;
    }
    // Never a folder, a device or a pipe: opening a pipe would wait for a writer.
    if (!info.isFile()) {
        result.error = RunFileError{0, QStringLiteral("記録のファイルではありません")};
        return result;
    }
    const QString tooLarge = QStringLiteral("ファイルが大きすぎます (%1 MB まで)").arg(kMostRunFileBytes >> 20);
    if (info.size() > kMostRunFileBytes) {
        result.error = RunFileError{0, tooLarge};
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = RunFileError{0, QStringLiteral("ファイルを開けません")};
        return result;
    }
    const QByteArray bytes = ReadAtMost(file, info.size());
    if (bytes.size() > kMostRunFileBytes) {
        result.error = RunFileError{0, tooLarge};
        return result;
    }
    return ReadRunFile(bytes, info.fileName());
}
