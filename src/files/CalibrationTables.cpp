#include "files/CalibrationTables.h"

#include "base/ProgramState.h"
#include "files/CalibrationValues.h"
#include "files/FileNames.h"
#include "render/Surface.h"

namespace {

struct CalibrationFile {
    const char* name;
    CalibrationTable ProgramState::*table;
    const char* progress;
    const char* shortage;
};

// In the order they are read: liquid, air, 1 hPa, 2 hPa.
const CalibrationFile kCalibrationFiles[] = {
    {"EKION.CSV", &ProgramState::LiquidTemperatureTable,
     "液温データを読みこみます。", "液温データが足りません！"},
    {"KION.CSV", &ProgramState::AirTemperatureTable,
     "気温データを読みこみます。", "気温データが足りません！"},
    {"VORUM1.CSV", &ProgramState::Pressure1Table,
     "気圧データ(1hpaごと)を読みこみます。", "気圧データ(1hpaごと)が足りません！"},
    {"VORUM2.CSV", &ProgramState::Pressure2Table,
     "気圧データ(2hpaごと)を読みこみます。", "気圧データ(2hpaごと)が足りません！"},
};

} // namespace

QStringList LoadCalibrationTables(ProgramState& state, Surface& surface, const QDir& folder)
{
    QStringList missing;
    for (const CalibrationFile& file : kCalibrationFiles) {
        state.FileError = 0;
        // A missing file passes without a line on the surface; its table keeps what it holds.
        const std::optional<QByteArray> content =
            ReadWholeFile(PathInFolder(folder, QString::fromLatin1(file.name)));
        if (!content) {
            missing << QString::fromLatin1(file.name);
            continue;
        }
        surface.PrintLine(QString::fromUtf8(file.progress));
        ReadCalibrationValues(*content, state.*file.table, state.FileError);
        if (state.FileError != 0)
            surface.PrintLine(QString::fromUtf8(file.shortage));
    }
    return missing;
}
