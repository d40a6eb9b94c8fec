#pragma once

// 記録を見る: the window that opens saved runs (journals and exports, as written or as a
// spreadsheet saved them again), draws them together and lets a class read them. Runs come
// from the class folder's list, a file dialog or files dropped on the window; the run being
// recorded in the main window can be one of them, growing as it records. A file that is no run
// gets one message naming the file and the first line that could not be read; no file is ever
// changed.

#include "review/ComparisonPlot.h"

#include <QFont>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

class CommandRegistry;
class FolderRunList;
class QAction;
class QCheckBox;
class QListWidget;
class QListWidgetItem;
class Questions;
class ReviewGraph;
class RunLog;
struct ProgramState;

// The run the main window is recording, when the review shows it.
struct LiveRun {
    RunLog& log;
    const ProgramState& state;
    std::function<int()> recordedSlots;   // history slots holding the run's samples now
};

struct ReviewParts {
    Questions& questions;
    CommandRegistry& commands;
    QString runFolder;    // the class folder's 記録
    QString saveFolder;   // where pictures and tables are suggested
    const LiveRun* live = nullptr;
};

class ReviewWindow : public QWidget {
    Q_OBJECT
public:
    explicit ReviewWindow(const ReviewParts& parts, QWidget* parent = nullptr);

    // Opens each file as a run to compare; one message for each that is not a run.
    void openFiles(const QStringList& paths);
    // Asks which files to open.
    void askToOpen();
    // Saves the graph as PNG (`width` pixels wide, 0: as shown) or the runs as one CSV, asking
    // where.
    void savePicture(int width);
    void saveTable();

    // Shown as large as the main window for a projector: text, check boxes and the graph's
    // lettering at the factor; the window grows to match as far as the screen allows.
    void setZoom(double factor);

    ReviewGraph& graph() { return *m_graph; }
    FolderRunList& folderRuns() { return *m_folderRuns; }
    QListWidget& comparedRuns() { return *m_compared; }

protected:
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildCommands(CommandRegistry& commands);
    void addRun(PlotRun run, const QString& path);
    void followLiveRun(const LiveRun& live);
    void runsChanged();
    void itemChanged(QListWidgetItem* item);
    void removeCurrent();
    void showCurrentAlone();
    QColor freeColour() const;
    void tell(const QString& message);

    Questions& m_questions;
    QString m_saveFolder;
    ReviewGraph* m_graph = nullptr;
    FolderRunList* m_folderRuns = nullptr;
    QListWidget* m_compared = nullptr;
    QCheckBox* m_clockTime = nullptr;
    QCheckBox* m_pressure = nullptr;
    QStringList m_paths;   // per compared run, its file; empty for the live run
    bool m_updating = false;
    QFont m_baseFont;
};
