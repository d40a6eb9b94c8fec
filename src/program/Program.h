#pragma once

// The program built from its parts: the main window, and beside it the features that follow
// it (the journal, saving, the larger views, the connection status, the class view) and the settings window
// behind せってい. This is the one place that knows them all; the program's main, the tests
// and the measuring harness build the program here alike. Parts not given in the environment
// are the classroom's: the serial port the customization file names, the system clock, message
// boxes, and an end that quits the event loop.

#include "widgets/CommandRegistry.h"
#include "window/Poruka.h"

#include <QPointer>
#include <QString>
#include <QStringList>

#include <memory>

class ClassView;
class ExportCommands;
class Journal;
class QMenu;
class ReviewWindow;
struct LiveRun;
class WindowZoom;

class Program {
public:
    explicit Program(PorukaEnvironment environment = {});
    ~Program();

    Poruka& window() { return *m_window; }
    WindowZoom& zoom() { return *m_zoom; }
    ExportCommands& exportCommands() { return *m_export; }
    Journal& journal() { return *m_journal; }
    ClassView& classView() { return *m_classView; }
    QMenu& pictureMenu() { return *m_pictureMenu; }
    const CommandRegistry& commands() const { return m_commands; }

    // The window 記録を見る (built on first use, shown at the main window's zoom, the run being
    // recorded among its runs), with these files opened in it.
    ReviewWindow& openReview(const QStringList& files = {});

private:
    CommandRegistry m_commands;
    std::unique_ptr<Poruka> m_window;
    // Children of the window.
    QMenu* m_pictureMenu = nullptr;
    ExportCommands* m_export = nullptr;
    WindowZoom* m_zoom = nullptr;
    Journal* m_journal = nullptr;
    std::unique_ptr<LiveRun> m_liveRun;
    QPointer<ReviewWindow> m_review;
    ClassView* m_classView = nullptr;
};

// The classroom's serial link: the device named on the command line (empty: the port the
// customization file names), reopened whenever the box comes back. The environment's port and
// its status.
void UseClassroomPort(PorukaEnvironment& environment, const QString& device);
