#pragma once

// What the caption says, until the program ends, about the files start-up read: the
// calibration tables that were missing ("校正ファイルがありません: KION.CSV") and the line at
// which the customization file stopped ("VORUM.TXT の 3 行目で読み込みを止めました"). The
// lines start-up prints about them are painted over at once; the caption stays.

#include <QString>
#include <QStringList>

#include <optional>

// The caption's bracket text; empty when all files were read.
QString FilesStatusText(const QStringList& missingTables, std::optional<int> customizationStoppedAt);
