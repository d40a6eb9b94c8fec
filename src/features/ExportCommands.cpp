#include "features/ExportCommands.h"

#include "base/DateTime.h"
#include "base/ProgramState.h"
#include "features/ExportFiles.h"
#include "run/Clock.h"
#include "run/RunCsv.h"
#include "run/RunLog.h"
#include "widgets/CommandRegistry.h"
#include "widgets/Questions.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>
#include <QStandardPaths>

#include <utility>

ExportCommands::ExportCommands(ExportParts parts, CommandRegistry& commands, QMenu& pictureMenu)
    : QObject(&parts.window)
    , m_parts(std::move(parts))
{
    setObjectName(QStringLiteral("ExportCommands"));
    QWidget& window = m_parts.window;
    m_saveData = commands.add(window, QStringLiteral("データをCSVで保存…"), {QKeySequence(Qt::CTRL | Qt::Key_S)});
    m_savePicture = commands.add(window, QStringLiteral("グラフを画像で保存…"),
                                 {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)});
    connect(m_saveData, &QAction::triggered, this, &ExportCommands::SaveDataAsCsv);
    connect(m_savePicture, &QAction::triggered, this, &ExportCommands::SaveGraphAsPicture);
    pictureMenu.addAction(m_saveData);
    pictureMenu.addAction(m_savePicture);
}

QString ExportCommands::SuggestedPath(const QString& suffix) const
{
    // Minute mode names the file after the start of the run; the 0.1-s mode has no start
    // moment of its own, so it takes the moment of saving.
    const ProgramState& state = m_parts.state;
    const double moment = state.MinuteMode == 1 && state.StartTime > 0 ? state.StartTime
                                                                       : m_parts.clock.Now();
    // The folder of the last save, else the class's working folder, where its files are.
    QString folder = m_lastFolder;
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = m_parts.workingFolder.absolutePath();
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    return QDir(folder).filePath(SuggestedExportName(moment, suffix));
}

QString ExportCommands::AskPath(const QString& title, const QString& suffix, const QString& filter)
{
    QString path = m_parts.questions.AskSaveFileName(&m_parts.window, title, SuggestedPath(suffix),
                                                     filter);
    if (path.isEmpty())
        return path;
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + suffix;
    return path;
}

void ExportCommands::Save(const QString& path, const QByteArray& bytes)
{
    const WriteResult result = bytes.isEmpty() ? WriteResult{false, QStringLiteral("画像を作れませんでした")}
                                               : WriteWholeFile(path, bytes);
    if (result.ok) {
        m_lastFolder = QFileInfo(path).absolutePath();
        return;
    }
    m_parts.questions.ShowMessage(
        &m_parts.window,
        QStringLiteral("ファイルを保存できませんでした。\n\n%1\n\n"
                       "保存先のフォルダーに書き込めるか、空き容量があるかを確かめて、"
                       "もう一度保存してください。記録したデータはそのまま残っています。\n\n(%2)")
            .arg(QDir::toNativeSeparators(path), result.error),
        QStringLiteral("保存できませんでした"));
}

void ExportCommands::SaveDataAsCsv()
{
    const QString path = AskPath(QStringLiteral("データをCSVで保存"), QStringLiteral("csv"),
                                 QStringLiteral("CSV ファイル (*.csv)"));
    if (path.isEmpty())
        return;
    // Built after the dialog closes: a run that went on meanwhile is saved up to now.
    Save(path, BuildSamplesCsv(m_parts.state, m_parts.run.moments(), m_parts.recording()));
}

void ExportCommands::SaveGraphAsPicture()
{
    const QString path = AskPath(QStringLiteral("グラフを画像で保存"), QStringLiteral("png"),
                                 QStringLiteral("PNG 画像 (*.png)"));
    if (path.isEmpty())
        return;
    const ProgramState& state = m_parts.state;
    const PictureCaption caption{
        RunSpanText(m_parts.run.moments(), ExportedSampleCount(state, m_parts.recording()),
                    DateTimeFromValue(m_parts.clock.Now())),
        state.ThermometerLiquidColor, state.BarometerLiquidColor};
    Save(path, PngBytes(GraphPicture(m_parts.surface, caption)));
}
