#include "files/CustomizationFile.h"

#include "files/CustomizationDefaults.h"
#include "files/CustomizationText.h"
#include "files/FileNames.h"
#include "render/Surface.h"

std::optional<int> LoadCustomizationFile(ProgramState& state, Surface& surface, const QDir& folder)
{
    SetCustomizationDefaults(state);
    // A missing file leaves the defaults.
    const std::optional<QByteArray> content =
        ReadWholeFile(PathInFolder(folder, QStringLiteral("VORUM.TXT")));
    std::optional<int> stoppedAt;
    if (content) {
        surface.PrintLine(QStringLiteral("カスタマイズファイル(Vorum.txt) 読み込み中"));
        stoppedAt = ApplyCustomizationText(state, *content, [&](const QString& line) { surface.PrintLine(line); });
    }
    surface.PrintLine(QStringLiteral("設定終了"));
    return stoppedAt;
}
