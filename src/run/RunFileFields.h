#pragma once

// The small readers behind ReadRunFile, each over the UTF-8 bytes of a file or of one field.

#include <QString>
#include <QtGlobal>

#include <optional>
#include <string_view>
#include <vector>

bool IsValidUtf8(std::string_view bytes);

// A field as it stands between its commas (the quotes taken off); `doubledQuotes` says that
// it still holds "" for each quote.
struct CsvField {
    std::string_view text;
    bool doubledQuotes = false;
};

// The field without blanks (spaces, tabs, line breaks) around it.
std::string_view Trimmed(std::string_view text);
// The field's text, each "" made one quote again.
QString FieldText(const CsvField& field);

// The records of a CSV text one by one. A record ends at CR LF, LF or a lone CR outside quotes;
// a quoted field may hold separators, quotes doubled and line breaks.
class CsvRecords {
public:
    explicit CsvRecords(std::string_view text, char separator = ',')
        : m_rest(text)
        , m_separator(separator)
    {
    }

    enum class Next { Record,
                      End,
                      OpenQuote };
    Next next();

    const std::vector<CsvField>& fields() const { return m_fields; }
    // The 1-based line the record (or the open quote) begins on.
    int line() const { return m_recordLine; }

private:
    std::string_view m_rest;
    char m_separator;
    std::vector<CsvField> m_fields;
    int m_line = 1;
    int m_recordLine = 0;
};

// The separator of a text's fields: a tab when its first line that is not empty holds more tabs
// than commas (a spreadsheet's "text" form), else a comma.
char FieldSeparator(std::string_view text);

// A decimal number such as "23.45", "-3", "1013.2" (spaces around it allowed); nothing when the
// field holds anything else or a number that is not finite. `fraction` is set when the text
// has a decimal point.
std::optional<double> ReadDecimal(std::string_view text, bool* fraction = nullptr);

// A time as this program writes it ("2026-12-07 06:23:04.7", "2026-12-07 09:30:00") or as a
// spreadsheet rewrites it ("2026/12/7 6:23", "6:23:00", "6:23", and "23:04.7": minutes and
// seconds with tenths, the hour left out, which a fraction tells apart from hours and minutes).
struct FieldTime {
    qint64 day = 0;   // days since 1970-01-01, when hasDate
    qint32 msOfDay = 0;   // when noHour, of the hour instead
    bool hasDate = false;
    bool noHour = false;
    bool fraction = false;      // written with a fraction of a second
    bool programForm = false;   // "yyyy-MM-dd HH:mm:ss" exactly as this program writes it
};
std::optional<FieldTime> ReadFieldTime(std::string_view text);
