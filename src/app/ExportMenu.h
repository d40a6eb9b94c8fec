#pragma once

// Saving the class's data: a right-click menu on the drawing surface and two keyboard
// shortcuts of the main window, "データをCSVで保存…" (Ctrl+S) and "グラフを画像で保存…"
// (Ctrl+Shift+S). Both work while a run is recording and leave it running: nothing here stops
// Timer2 or touches SampleCount, and the data is taken at the moment the file is written.

#include <QObject>
#include <QString>

class Poruka;
class QAction;
class QByteArray;
class QMenu;
class QPoint;

class ExportCommands : public QObject {
    Q_OBJECT
public:
    explicit ExportCommands(Poruka& window);

    void SaveDataAsCsv();
    void SaveGraphAsPicture();
    // Opens the menu at a point of the drawing surface (its own coordinates).
    void ShowMenu(const QPoint& where);

    QAction* saveDataAction() const { return m_saveData; }
    QAction* savePictureAction() const { return m_savePicture; }
    QMenu* menu() const { return m_menu; }

    // The folder and name the save dialog starts from, e.g. ".../poruka-2026-12-07-0930.csv".
    QString SuggestedPath(const QString& suffix) const;

private:
    // Asks where to save; empty when the user cancels. Adds the suffix when none was typed.
    QString AskPath(const QString& title, const QString& suffix, const QString& filter);
    void Save(const QString& path, const QByteArray& bytes);

    Poruka& m_window;
    QAction* m_saveData = nullptr;
    QAction* m_savePicture = nullptr;
    QMenu* m_menu = nullptr;
    QString m_lastFolder;   // the folder of the last save in this session
};

// Hook for the main window: creates the commands as a child of the window, adds the
// shortcuts and gives the drawing surface its right-click menu.
ExportCommands* InstallExportCommands(Poruka& window);
