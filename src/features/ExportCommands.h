#pragma once

// Saving the class's data: "データをCSVで保存…" (Ctrl+S) and "グラフを画像で保存…"
// (Ctrl+Shift+S), in the pictures' right-click menu and as keys of the main window. Both work
// while a run is recording and leave it running: nothing here stops the recording or touches
// the histories, and the data is taken at the moment the file is written.

#include <QDir>
#include <QObject>
#include <QString>

#include <functional>

class Clock;
class CommandRegistry;
class QAction;
class QByteArray;
class QMenu;
class QWidget;
class Questions;
class RunLog;
class Surface;
struct ProgramState;

// What the commands read and where they ask.
struct ExportParts {
    QWidget& window;   // owns the commands; the dialogs' parent
    const ProgramState& state;
    const RunLog& run;
    std::function<bool()> recording;   // a run is being recorded
    Surface& surface;
    Clock& clock;
    Questions& questions;
    QDir workingFolder;
};

class ExportCommands : public QObject {
    Q_OBJECT
public:
    ExportCommands(ExportParts parts, CommandRegistry& commands, QMenu& pictureMenu);

    void SaveDataAsCsv();
    void SaveGraphAsPicture();

    QAction* saveDataAction() const { return m_saveData; }
    QAction* savePictureAction() const { return m_savePicture; }

    // The folder and name the save dialog starts from, e.g. ".../poruka-2026-12-07-0930.csv".
    QString SuggestedPath(const QString& suffix) const;

private:
    // Asks where to save; empty when the user cancels. Adds the suffix when none was typed.
    QString AskPath(const QString& title, const QString& suffix, const QString& filter);
    void Save(const QString& path, const QByteArray& bytes);

    ExportParts m_parts;
    QAction* m_saveData = nullptr;
    QAction* m_savePicture = nullptr;
    QString m_lastFolder;   // the folder of the last save in this session
};
