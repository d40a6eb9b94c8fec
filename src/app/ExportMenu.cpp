#include "app/ExportMenu.h"

#include "app/ExportCsv.h"
#include "app/ExportFiles.h"
#include "app/Poruka.h"
#include "app/Questions.h"
#include "base/DateTime.h"
#include "render/SurfaceView.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>
#include <QStandardPaths>

ExportCommands::ExportCommands(Poruka& window)
    : QObject(&window)
    , m_window(window)
{
    setObjectName(QStringLiteral("ExportCommands"));

    m_saveData = new QAction(QStringLiteral("データをCSVで保存…"), &window);
    m_saveData->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    m_savePicture = new QAction(QStringLiteral("グラフを画像で保存…"), &window);
    m_savePicture->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    for (QAction* action : {m_saveData, m_savePicture}) {
        // Anywhere in the main window, also while a value field has the focus.
        action->setShortcutContext(Qt::WindowShortcut);
        action->setShortcutVisibleInContextMenu(true);
        window.addAction(action);
    }
    connect(m_saveData, &QAction::triggered, this, &ExportCommands::SaveDataAsCsv);
    connect(m_savePicture, &QAction::triggered, this, &ExportCommands::SaveGraphAsPicture);

    m_menu = new QMenu(&window);
    m_menu->addAction(m_saveData);
    m_menu->addAction(m_savePicture);
}

void ExportCommands::ShowMenu(const QPoint& where)
{
    m_menu->popup(m_window.Picture1->mapToGlobal(where));
}

QString ExportCommands::SuggestedPath(const QString& suffix) const
{
    // Minute mode names the file after the start of the run; the 0.1-s mode has no start
    // moment of its own, so it takes the moment of saving.
    const ProgramState& state = m_window.state();
    const double moment = state.MinuteMode == 1 && state.StartTime > 0 ? state.StartTime
                                                                       : m_window.clock().Now();
    // The folder of the last save, else the class's working folder, where its files are.
    QString folder = m_lastFolder;
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = m_window.workingFolder().absolutePath();
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    return QDir(folder).filePath(SuggestedExportName(moment, suffix));
}

QString ExportCommands::AskPath(const QString& title, const QString& suffix, const QString& filter)
{
    QString path = m_window.questions().AskSaveFileName(&m_window, title, SuggestedPath(suffix),
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
    m_window.questions().ShowMessage(
        &m_window,
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
    Save(path, BuildSamplesCsv(m_window.state(), m_window.sampleMoments(), m_window.RunActive()));
}

void ExportCommands::SaveGraphAsPicture()
{
    const QString path = AskPath(QStringLiteral("グラフを画像で保存"), QStringLiteral("png"),
                                 QStringLiteral("PNG 画像 (*.png)"));
    if (path.isEmpty())
        return;
    const ProgramState& state = m_window.state();
    const PictureCaption caption{
        RunSpanText(m_window.sampleMoments(), ExportedSampleCount(state, m_window.RunActive()),
                    DateTimeFromValue(m_window.clock().Now())),
        state.ThermometerLiquidColor, state.BarometerLiquidColor};
    Save(path, PngBytes(GraphPicture(m_window.surface(), caption)));
}

ExportCommands* InstallExportCommands(Poruka& window)
{
    auto* commands = new ExportCommands(window);
    window.Picture1->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(window.Picture1, &QWidget::customContextMenuRequested, commands,
                     &ExportCommands::ShowMenu);
    return commands;
}
