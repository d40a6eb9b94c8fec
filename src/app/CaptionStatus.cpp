#include "app/CaptionStatus.h"

bool CaptionStatus::set(StatusSource source, const QString& text)
{
    QString& slot = m_texts[static_cast<size_t>(source)];
    if (slot == text)
        return false;
    slot = text;
    return true;
}

QString CaptionStatus::text(StatusSource source) const
{
    return m_texts[static_cast<size_t>(source)];
}

QString CaptionStatus::brackets() const
{
    QString shown;
    for (const QString& text : m_texts) {
        if (!text.isEmpty())
            shown += QStringLiteral("（") + text + QStringLiteral("）");
    }
    return shown;
}

QString CaptionStatus::caption() const
{
    return QString::fromUtf8(kProgramTitle) + brackets();
}
