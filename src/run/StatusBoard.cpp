#include "run/StatusBoard.h"

bool StatusBoard::set(StatusSource source, const QString& text)
{
    QString& slot = m_texts[static_cast<size_t>(source)];
    if (slot == text)
        return false;
    slot = text;
    emit changed(brackets());
    return true;
}

QString StatusBoard::text(StatusSource source) const
{
    return m_texts[static_cast<size_t>(source)];
}

QString StatusBoard::brackets() const
{
    QString shown;
    for (const QString& text : m_texts) {
        if (!text.isEmpty())
            shown += QStringLiteral("（") + text + QStringLiteral("）");
    }
    return shown;
}

QString StatusBoard::caption() const
{
    return QString::fromUtf8(kProgramTitle) + brackets();
}
