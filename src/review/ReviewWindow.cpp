#include "review/ReviewWindow.h"

#include "base/ProgramState.h"
#include "review/FolderRunList.h"
#include "review/ReviewGraph.h"
#include "review/ReviewPalette.h"
#include "run/ComparisonCsv.h"
#include "run/RunLog.h"
#include "run/RunNames.h"
#include "run/WholeFile.h"
#include "widgets/CommandRegistry.h"
#include "widgets/Questions.h"
#include "widgets/ScaledControls.h"

#include <QAction>
#include <QBuffer>
#include <QCheckBox>
#include <QDate>
#include <QDir>
#include <QDragEnterEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString kTitle = QStringLiteral("記録を見る");
const QString kLiveName = QStringLiteral("いまの記録");
const QSize kBaseSize(1000, 700);

QIcon Swatch(const QColor& colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

// A button that runs the command and shows its keys in its tip.
QToolButton* ButtonFor(QAction* action)
{
    auto* button = new QToolButton;
    button->setDefaultAction(action);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return button;
}

// The legend's name of a run nobody named: its start, else its file's name.
QString DefaultName(const RunSeries& series, const QString& path)
{
    if (series.start().isValid())
        return series.start().toString(QStringLiteral("M月d日 H:mm"));
    return QFileInfo(path).completeBaseName();
}

}   // namespace

ReviewWindow::ReviewWindow(const ReviewParts& parts, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_questions(parts.questions)
    , m_saveFolder(parts.saveFolder)
{
    setWindowTitle(kTitle);
    setAcceptDrops(true);
    m_graph = new ReviewGraph;
    m_folderRuns = new FolderRunList(parts.runFolder);
    m_compared = new QListWidget;
    m_compared->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::DoubleClicked);
    m_clockTime = new QCheckBox(QStringLiteral("時刻で並べる"));
    m_pressure = new QCheckBox(QStringLiteral("気圧も表示"));
    m_pressure->setChecked(true);
    buildCommands(parts.commands);

    auto* compared = new QWidget;
    auto* comparedLayout = new QVBoxLayout(compared);
    comparedLayout->setContentsMargins(0, 0, 0, 0);
    comparedLayout->addWidget(new QLabel(QStringLiteral("比べている記録（チェックで表示、F2で名前）")));
    comparedLayout->addWidget(m_compared);
    auto* comparedButtons = new QHBoxLayout;
    for (QAction* action : actions())
        if (action->property("forRun").toBool())
            comparedButtons->addWidget(ButtonFor(action));
    comparedButtons->addStretch();
    comparedLayout->addLayout(comparedButtons);

    auto* folder = new QWidget;
    auto* folderLayout = new QVBoxLayout(folder);
    folderLayout->setContentsMargins(0, 0, 0, 0);
    folderLayout->addWidget(new QLabel(QStringLiteral("記録フォルダー（Enterかダブルクリックで開く）")));
    folderLayout->addWidget(m_folderRuns);

    auto* lists = new QSplitter(Qt::Horizontal);
    lists->addWidget(folder);
    lists->addWidget(compared);
    auto* split = new QSplitter(Qt::Vertical);
    split->addWidget(m_graph);
    split->addWidget(lists);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);

    auto* bar = new QHBoxLayout;
    for (QAction* action : actions())
        if (!action->property("forRun").toBool() && !action->property("keyOnly").toBool())
            bar->addWidget(ButtonFor(action));
    bar->addWidget(m_clockTime);
    bar->addWidget(m_pressure);
    bar->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(split, 1);
    m_baseFont = font();
    resize(kBaseSize);

    connect(m_folderRuns, &FolderRunList::openRequested, this, [this](const QString& path) { openFiles({path}); });
    connect(m_compared, &QListWidget::itemChanged, this, &ReviewWindow::itemChanged);
    connect(m_clockTime, &QCheckBox::toggled, this, [this](bool on) {
        m_graph->plot().view().clockTime = on;
        m_graph->showAll();
    });
    connect(m_pressure, &QCheckBox::toggled, this, [this](bool on) {
        m_graph->plot().view().pressure = on;
        m_graph->update();
    });
    if (parts.live)
        followLiveRun(*parts.live);
}

void ReviewWindow::buildCommands(CommandRegistry& commands)
{
    const auto add = [&](const QString& text, QList<QKeySequence> keys, auto slot, const char* kind = nullptr) {
        QAction* action = commands.add(*this, text, keys);
        if (kind)
            action->setProperty(kind, true);
        connect(action, &QAction::triggered, this, slot);
    };
    add(QStringLiteral("開く…"), {QKeySequence(Qt::CTRL | Qt::Key_O)}, [this] { askToOpen(); });
    add(QStringLiteral("全体を表示"), {QKeySequence(Qt::CTRL | Qt::Key_0)}, [this] { m_graph->showAll(); });
    add(QStringLiteral("画像で保存…"), {QKeySequence(Qt::CTRL | Qt::Key_S)}, [this] { savePicture(0); });
    add(QStringLiteral("スライド用の画像で保存（幅1920）…"), {QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_S)},
        [this] { savePicture(1920); });
    add(QStringLiteral("CSVで保存…"), {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}, [this] { saveTable(); });
    add(
        QStringLiteral("時刻で並べる"), {QKeySequence(Qt::CTRL | Qt::Key_T)}, [this] { m_clockTime->toggle(); }, "keyOnly");
    add(
        QStringLiteral("気圧も表示"), {QKeySequence(Qt::CTRL | Qt::Key_P)}, [this] { m_pressure->toggle(); }, "keyOnly");
    add(
        QStringLiteral("これだけ表示"), {QKeySequence(Qt::CTRL | Qt::Key_L)}, [this] { showCurrentAlone(); }, "forRun");
    add(
        QStringLiteral("はずす"), {QKeySequence(Qt::Key_Delete)}, [this] { removeCurrent(); }, "forRun");
}

void ReviewWindow::setZoom(double factor)
{
    setFont(ScaledFont(m_baseFont, factor));
    for (QWidget* control : std::initializer_list<QWidget*>{m_clockTime, m_pressure, m_compared})
        control->setStyle(ZoomedStyle(factor));
    QSize wanted = ScaledSize(kBaseSize, factor);
    if (const QScreen* screen = this->screen())
        wanted = wanted.boundedTo(screen->availableSize() * 0.95);
    resize(wanted.expandedTo(size()));
}

void ReviewWindow::tell(const QString& message)
{
    m_questions.ShowMessage(this, message, kTitle);
}

void ReviewWindow::openFiles(const QStringList& paths)
{
    for (const QString& given : paths) {
        const QString path = QFileInfo(given).absoluteFilePath();
        const QString name = QFileInfo(path).fileName();
        if (const qsizetype known = m_paths.indexOf(path); known >= 0) {
            m_compared->item(static_cast<int>(known))->setCheckState(Qt::Checked);
            continue;
        }
        RunFileResult read = ReadRunFileAt(path);
        if (!read.ok()) {
            tell(QStringLiteral("%1 は記録として読めません。\n%2").arg(name, read.error->text()));
            continue;
        }
        auto series = std::make_shared<RunSeries>(std::move(read));
        if (series->empty()) {
            tell(QStringLiteral("%1 には時刻のついた記録がありません。").arg(name));
            continue;
        }
        QString runName = RunName(path);
        if (runName.isEmpty())
            runName = DefaultName(*series, path);
        addRun({std::move(series), runName, freeColour(), true}, path);
    }
    runsChanged();
}

void ReviewWindow::askToOpen()
{
    const QStringList paths = m_questions.AskOpenFileNames(this, QStringLiteral("記録を開く"), m_folderRuns->folder(),
                                                           QStringLiteral("記録 (*.csv *.CSV);;すべてのファイル (*)"));
    if (!paths.isEmpty())
        openFiles(paths);
}

void ReviewWindow::addRun(PlotRun run, const QString& path)
{
    m_updating = true;
    auto* item = new QListWidgetItem(Swatch(run.colour), run.name);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable | Qt::ItemIsEditable);
    item->setCheckState(run.visible ? Qt::Checked : Qt::Unchecked);
    item->setToolTip(path.isEmpty() ? QStringLiteral("メインの画面で記録している記録") : path);
    m_compared->addItem(item);
    m_graph->plot().runs().push_back(std::move(run));
    m_paths << path;
    m_updating = false;
}

QColor ReviewWindow::freeColour() const
{
    const auto& runs = m_graph->plot().runs();
    for (const QRgb colour : kRunColours)
        if (std::none_of(runs.begin(), runs.end(), [colour](const PlotRun& run) { return run.colour.rgb() == colour; }))
            return QColor(colour);
    return QColor(kRunColours[runs.size() % kRunColours.size()]);
}

void ReviewWindow::followLiveRun(const LiveRun& live)
{
    // The run joins the comparison once it has a sample, and again after it was cleared when
    // the class had taken it out.
    auto series = std::make_shared<RunSeries>(RunSeries::FromHistories(live.state, live.log.moments(), live.recordedSlots()));
    const auto shown = [this, series] {
        const auto& runs = m_graph->plot().runs();
        return std::any_of(runs.begin(), runs.end(), [&](const PlotRun& run) { return run.series == series; });
    };
    if (!series->empty())
        addRun({series, kLiveName, freeColour(), true}, QString());
    connect(&live.log, &RunLog::sampleRecorded, this, [this, series, shown](const RecordedSample& sample) {
        series->append(sample);
        if (!shown() && series->size() == 1)
            addRun({series, kLiveName, freeColour(), true}, QString());
        if (shown())
            m_graph->runsChanged();
    });
    connect(&live.log, &RunLog::runCleared, this, [this, series] {
        *series = RunSeries();
        m_graph->runsChanged();
    });
}

void ReviewWindow::runsChanged()
{
    m_graph->runsChanged();
}

void ReviewWindow::itemChanged(QListWidgetItem* item)
{
    if (m_updating)
        return;
    const int row = m_compared->row(item);
    auto& runs = m_graph->plot().runs();
    if (row < 0 || row >= static_cast<int>(runs.size()))
        return;
    PlotRun& run = runs[size_t(row)];
    run.visible = item->checkState() == Qt::Checked;
    const QString name = item->text().simplified();
    if (name != run.name) {
        const QString& path = m_paths[row];
        if (!path.isEmpty() && !SetRunName(path, name))
            tell(QStringLiteral("名前を保存できませんでした。"));
        run.name = name.isEmpty() ? (path.isEmpty() ? kLiveName : DefaultName(*run.series, path)) : name.left(kLongestRunName);
        m_updating = true;
        item->setText(run.name);
        m_updating = false;
    }
    runsChanged();
}

void ReviewWindow::removeCurrent()
{
    const int row = m_compared->currentRow();
    if (row < 0)
        return;
    delete m_compared->takeItem(row);
    m_graph->plot().runs().erase(m_graph->plot().runs().begin() + row);
    m_paths.removeAt(row);
    runsChanged();
}

void ReviewWindow::showCurrentAlone()
{
    const int current = m_compared->currentRow();
    if (current < 0)
        return;
    m_updating = true;
    for (int row = 0; row < m_compared->count(); ++row) {
        m_compared->item(row)->setCheckState(row == current ? Qt::Checked : Qt::Unchecked);
        m_graph->plot().runs()[size_t(row)].visible = row == current;
    }
    m_updating = false;
    runsChanged();
}

void ReviewWindow::savePicture(int width)
{
    const QString suggested = QDir(m_saveFolder).filePath(QStringLiteral("記録の比較-%1.png").arg(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))));
    const QString path = m_questions.AskSaveFileName(this, QStringLiteral("画像で保存"), suggested, QStringLiteral("PNG画像 (*.png)"));
    if (path.isEmpty())
        return;
    const QImage picture = m_graph->picture(width > 0 ? width : m_graph->width());
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "PNG") || !WriteWholeFile(path, png).ok)
        tell(QStringLiteral("%1 を保存できませんでした。").arg(QFileInfo(path).fileName()));
}

void ReviewWindow::saveTable()
{
    const QString suggested = QDir(m_saveFolder).filePath(QStringLiteral("記録の比較-%1.csv").arg(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))));
    const QString path = m_questions.AskSaveFileName(this, QStringLiteral("CSVで保存"), suggested, QStringLiteral("CSV (*.csv)"));
    if (path.isEmpty())
        return;
    std::vector<ComparedSeries> runs;
    for (const PlotRun& run : m_graph->plot().runs())
        if (run.visible)
            runs.push_back({run.name, run.series.get()});
    if (!WriteWholeFile(path, ComparisonCsv(runs, m_graph->plot().view().clockTime)).ok)
        tell(QStringLiteral("%1 を保存できませんでした。").arg(QFileInfo(path).fileName()));
}

void ReviewWindow::showEvent(QShowEvent* event)
{
    m_folderRuns->refresh();
    QWidget::showEvent(event);
}

void ReviewWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void ReviewWindow::dropEvent(QDropEvent* event)
{
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    event->acceptProposedAction();
    openFiles(paths);
}
