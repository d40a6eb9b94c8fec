#pragma once

// The class view: the live readings and the run's graph in every pupil's browser. The pictures'
// menu item "生徒の端末に表示…" starts it and shows the address in large letters with a QR
// code; closing that window or choosing the item again stops it, and so does ending the
// program. It is read-only: the page can change nothing here. It follows the run log, the
// status board and the readings it is handed, never the window.

#include "classview/ClassFeed.h"
#include "classview/ClassServer.h"
#include "classview/ClassViewWindow.h"

#include <QObject>
#include <QPointer>
#include <QString>

class CommandRegistry;
class Questions;
class QAction;
class QMenu;
class QWidget;

class ClassView : public QObject {
    Q_OBJECT
public:
    static constexpr quint16 kDefaultPort = 8080;

    // `window` is the main window: the menu item's and the address window's owner.
    // `questions` says so when no port could be opened from the menu.
    ClassView(ClassFeedParts parts, QWidget& window, Questions& questions, CommandRegistry& commands,
              QMenu& pictureMenu);
    ~ClassView() override;

    // Starts serving on `port`, or on the next free port after 8080 when none is given, and
    // shows the address window. False (and a message only from the menu) when no port could be
    // opened.
    bool start(quint16 port = 0);
    void stop();
    bool running() const { return m_server.running(); }

    // "http://192.168.1.20:8080/KEY/": the page's address on the school network (on this
    // computer alone when it has no network).
    QString address() const;

    // The readout's texts as the window shows them.
    void showReadings(const QString& temperature, const QString& pressure);

    ClassServer& server() { return m_server; }
    QAction& action() { return *m_action; }
    ClassViewWindow* addressWindow() const { return m_addressWindow; }

private:
    QWidget& m_window;
    ClassServer m_server;
    ClassFeed m_feed;
    QAction* m_action = nullptr;
    QPointer<ClassViewWindow> m_addressWindow;
};
