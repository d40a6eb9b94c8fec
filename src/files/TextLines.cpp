#include "files/TextLines.h"

#include <QStringDecoder>

QString DecodeFileText(QByteArrayView content)
{
    static constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
    if (content.startsWith(QByteArrayView(kByteOrderMark, 3)))
        content = content.sliced(3);

    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(content);
    if (!utf8.hasError())
        return text;
    QStringDecoder shiftJis("Shift_JIS");
    if (!shiftJis.isValid())   // no converter for it: keep the UTF-8 reading with its marks
        return text;
    return shiftJis.decode(content);
}

QStringList SplitLines(QStringView text)
{
    QStringList lines;
    qsizetype start = 0;
    qsizetype at = 0;
    while (at < text.size()) {
        const QChar c = text[at];
        if (c == u'\r' || c == u'\n') {
            lines.append(text.sliced(start, at - start).toString());
            if (c == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n')
                ++at;
            start = ++at;
        } else {
            ++at;
        }
    }
    if (start < text.size())
        lines.append(text.sliced(start).toString());
    return lines;
}
