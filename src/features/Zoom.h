#pragma once

// The main window shown larger for a class watching on a projector: 1x (the window's own size,
// the default), 1.5x, 2x, 3x and full screen. Everything in the window grows together: the
// controls with their fonts (text drawn at the larger size) and the pictures, whose pixels
// become exact blocks at whole factors. It is only a view: the program state and the drawing
// surface's own coordinates stay as they are.
//
// Keys: Ctrl+= and Ctrl++ one step larger, Ctrl+- one step smaller, Ctrl+0 back to 1x, F11 full
// screen on and off, Escape leaves full screen. The pictures' context menu offers the same
// choices under "表示の大きさ".
//
// Only the sizes whose window, frame included, fits the available area of the screen the window
// is on are offered: the menu shows the others disabled and Ctrl+= skips them. On another
// screen the choice is made again, and a size that no longer fits steps down.

#include "widgets/ScaledControls.h"

#include <QObject>
#include <QPointer>
#include <QSize>

#include <array>
#include <memory>
#include <vector>

class CommandRegistry;
class FullScreenStatus;
class QAction;
class QMenu;
class QWidget;
class StatusBoard;
class SurfaceView;

inline constexpr std::array<double, 4> kZoomFactors = {1, 1.5, 2, 3};

bool IsZoomFactor(double factor);
// The largest listed factor at which content of this size fits the space; 1 when none does.
double LargestFittingFactor(QSize space, QSize content);
// Full screen is not held to the list: the largest factor in steps of 0.5 that fits, 1 at least.
double FullScreenFactor(QSize screen, QSize content);

class WindowZoom : public QObject {
    Q_OBJECT
public:
    // The content holds every control of the window at its 1x place, the pictures among them;
    // the status board's text is shown inside the window in full screen; the menu is the
    // pictures' context menu, which gets the submenu.
    WindowZoom(QWidget& window, QWidget& content, SurfaceView& pictures, StatusBoard& status,
               CommandRegistry& commands, QMenu& pictureMenu);
    ~WindowZoom() override;

    double factor() const { return m_factor; }
    // A listed factor that is offered. A normal window takes the size it needs and stays
    // inside the screen; a maximized or full-screen one keeps its size and shows the content
    // at that factor, as far as it fits, in the middle.
    void setFactor(double factor);
    // Whether the window at this factor, frame included, fits the screen it is on; 1 always.
    bool offers(double factor) const;
    double largestOffered() const;
    void zoomIn();
    void zoomOut();
    void setFullScreen(bool fullScreen);

    // Another window laid out by fixed positions (the settings window) is shown at the same
    // factor for as long as it exists.
    void follow(QWidget& window);

    QMenu* menu() const { return m_menu; }

signals:
    void factorChanged(double factor);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createActions(CommandRegistry& commands);
    void show(double factor);
    void fitToWindow();
    void fitToScreen();
    void keepOnScreen();
    void placeContent();
    int statusBand() const;
    void markChoices();

    QWidget& m_window;
    QWidget& m_content;
    SurfaceView& m_pictures;
    QSize m_baseSize;
    double m_factor = 1;
    std::unique_ptr<ScaledControls> m_controls;
    std::vector<std::unique_ptr<ScaledControls>> m_followers;
    FullScreenStatus* m_status = nullptr;
    QMenu* m_menu = nullptr;
    std::vector<ScaledMenu> m_menus;
    std::array<QAction*, kZoomFactors.size()> m_factorActions{};
    QAction* m_fullScreen = nullptr;
    QAction* m_leaveFullScreen = nullptr;
};
