#include "run/FilesStatus.h"

QString FilesStatusText(const QStringList& missingTables, std::optional<int> customizationStoppedAt)
{
    QStringList parts;
    if (!missingTables.isEmpty())
        parts << QStringLiteral("校正ファイルがありません: ") + missingTables.join(QStringLiteral("、"));
    if (customizationStoppedAt)
        parts << QStringLiteral("VORUM.TXT の %1 行目で読み込みを止めました").arg(*customizationStoppedAt);
    // One bracket for both: the two are told apart by an ideographic space.
    return parts.join(QStringLiteral("　"));
}
