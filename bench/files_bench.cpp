// Start-up file reading: the four calibration tables, and a long customization file.

#include "base/ProgramState.h"
#include "files/CalibrationTables.h"
#include "files/CustomizationFile.h"
#include "render/Surface.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

void WriteFile(const QDir& dir, const QString& name, const QByteArray& content)
{
    QFile file(dir.filePath(name));
    file.open(QIODevice::WriteOnly);
    file.write(content);
}

// Tables shaped like the sample data: a header and 256 rising values, one per line, CR LF.
QByteArray TableFile(int first, int step)
{
    QByteArray text = "header\r\n";
    for (int i = 0; i < 256; ++i)
        text += QByteArray::number(first + step * i / 2) + "\r\n";
    return text;
}

void BM_LoadCalibrationTables(benchmark::State& run)
{
    QTemporaryDir folder;
    const QDir dir(folder.path());
    WriteFile(dir, QStringLiteral("EKION.CSV"), TableFile(-10, 1));
    WriteFile(dir, QStringLiteral("KION.CSV"), TableFile(-10, 1));
    WriteFile(dir, QStringLiteral("VORUM1.CSV"), TableFile(885, 2));
    WriteFile(dir, QStringLiteral("VORUM2.CSV"), TableFile(757, 4));
    auto state = std::make_unique<ProgramState>();
    Surface surface;
    for (auto _ : run) {
        surface.setPen({0, 0});
        LoadCalibrationTables(*state, surface, dir);
        benchmark::DoNotOptimize(state->Pressure2Table[255]);
    }
}
BENCHMARK(BM_LoadCalibrationTables)->Unit(benchmark::kMicrosecond);

// 1,000 lines as a teacher might write them: comments, settings, alerts with messages.
QByteArray LongCustomizationFile()
{
    QByteArray text;
    int lines = 0;
    while (lines < 1000) {
        text += "' 温度計の設定\r\nMax=80\r\nMin=0\r\nOndokeiEki=12\r\nZikan=1\r\n";
        text += "U" + QByteArray::number(lines % 100) + "T10C255\r\nお湯が熱くなりました。\r\n";
        text += "KD1000T5\r\n気圧が下がりました。\r\n\r\n";
        lines += 10;
    }
    return text;
}

void BM_LoadCustomizationFile1000Lines(benchmark::State& run)
{
    QTemporaryDir folder;
    const QDir dir(folder.path());
    WriteFile(dir, QStringLiteral("VORUM.TXT"), LongCustomizationFile());
    auto state = std::make_unique<ProgramState>();
    Surface surface;
    for (auto _ : run) {
        surface.setPen({0, 0});
        LoadCustomizationFile(*state, surface, dir);
        benchmark::DoNotOptimize(state->TemperatureAlertCount);
    }
}
BENCHMARK(BM_LoadCustomizationFile1000Lines)->Unit(benchmark::kMicrosecond);

} // namespace
