#include "features/Zoom.h"

#include "features/FullScreenStatus.h"
#include "render/SurfaceView.h"
#include "run/StatusBoard.h"
#include "widgets/CommandRegistry.h"
#include "widgets/ScaledControls.h"

#include <QAction>
#include <QActionGroup>
#include <QEvent>
#include <QKeySequence>
#include <QMenu>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace {

bool Fits(QSize space, QSize content, double factor)
{
    const QSize needed = ScaledSize(content, factor);
    return needed.width() <= space.width() && needed.height() <= space.height();
}

QString FactorText(double factor)
{
    return QString::number(factor) + QStringLiteral("倍");
}

} // namespace

bool IsZoomFactor(double factor)
{
    return std::find(kZoomFactors.begin(), kZoomFactors.end(), factor) != kZoomFactors.end();
}

double LargestFittingFactor(QSize space, QSize content)
{
    double largest = kZoomFactors.front();
    for (double factor : kZoomFactors) {
        if (Fits(space, content, factor))
            largest = factor;
    }
    return largest;
}

double FullScreenFactor(QSize screen, QSize content)
{
    if (content.isEmpty())
        return 1;
    const double room = std::min(screen.width() / double(content.width()),
                                 screen.height() / double(content.height()));
    double factor = std::max(1.0, std::floor(room * 2) / 2);
    while (factor > 1 && !Fits(screen, content, factor))   // rounding of the scaled size
        factor -= 0.5;
    return factor;
}

WindowZoom::WindowZoom(QWidget& window, QWidget& content, SurfaceView& pictures,
                       StatusBoard& status, CommandRegistry& commands, QMenu& pictureMenu)
    : QObject(&window)
    , m_window(window)
    , m_content(content)
    , m_pictures(pictures)
    , m_baseSize(content.size())
    , m_controls(std::make_unique<ScaledControls>(content))
{
    setObjectName(QStringLiteral("WindowZoom"));
    // At 1x the window is its own size; larger, it may be resized, maximized or full screen.
    m_window.setMinimumSize(m_baseSize);
    m_window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    m_status = new FullScreenStatus(window);
    m_status->setStatus(status.brackets());
    connect(&status, &StatusBoard::changed, m_status, &FullScreenStatus::setStatus);
    // In full screen the status takes a band above the pictures, which then get smaller.
    connect(&status, &StatusBoard::changed, this, [this] {
        if (m_window.isFullScreen())
            fitToWindow();
    });

    createActions(commands);
    pictureMenu.addSeparator();
    pictureMenu.addMenu(m_menu);
    m_menus = {ScaledMenu(pictureMenu), ScaledMenu(*m_menu)};
    markChoices();
    m_window.installEventFilter(this);
}

WindowZoom::~WindowZoom() = default;

void WindowZoom::createActions(CommandRegistry& commands)
{
    const auto addAction = [this, &commands](const QString& text, const QList<QKeySequence>& keys) {
        return commands.add(m_window, text, keys);
    };
    QAction* larger = addAction(QStringLiteral("拡大"), {QKeySequence(Qt::CTRL | Qt::Key_Equal),
                                                       QKeySequence(Qt::CTRL | Qt::Key_Plus)});
    QAction* smaller = addAction(QStringLiteral("縮小"), {QKeySequence(Qt::CTRL | Qt::Key_Minus)});
    connect(larger, &QAction::triggered, this, &WindowZoom::zoomIn);
    connect(smaller, &QAction::triggered, this, &WindowZoom::zoomOut);

    m_menu = new QMenu(QStringLiteral("表示の大きさ"), &m_window);
    auto* group = new QActionGroup(this);
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (size_t i = 0; i < kZoomFactors.size(); ++i) {
        const double factor = kZoomFactors[i];
        QList<QKeySequence> keys;
        if (factor == 1)
            keys << QKeySequence(Qt::CTRL | Qt::Key_0);
        QAction* action = addAction(FactorText(factor), keys);
        action->setCheckable(true);
        group->addAction(action);
        m_menu->addAction(action);
        connect(action, &QAction::triggered, this, [this, factor] { setFactor(factor); });
        m_factorActions[i] = action;
    }
    m_menu->addSeparator();
    m_fullScreen = addAction(QStringLiteral("全画面"), {QKeySequence(Qt::Key_F11)});
    m_fullScreen->setCheckable(true);
    m_menu->addAction(m_fullScreen);
    connect(m_fullScreen, &QAction::triggered, this, &WindowZoom::setFullScreen);
    // Escape belongs to the window only while it is full screen.
    m_leaveFullScreen = addAction(QString(), {QKeySequence(Qt::Key_Escape)});
    m_leaveFullScreen->setEnabled(false);
    connect(m_leaveFullScreen, &QAction::triggered, this, [this] { setFullScreen(false); });
}

bool WindowZoom::offers(double factor) const
{
    if (factor <= kZoomFactors.front())
        return true;
    const QSize frame = m_window.frameGeometry().size() - m_window.size();
    return Fits(m_window.screen()->availableGeometry().size() - frame, m_baseSize, factor);
}

double WindowZoom::largestOffered() const
{
    double largest = kZoomFactors.front();
    for (double factor : kZoomFactors) {
        if (offers(factor))
            largest = factor;
    }
    return largest;
}

void WindowZoom::setFactor(double factor)
{
    if (!IsZoomFactor(factor) || !offers(factor))
        return;
    if (m_window.windowState() & (Qt::WindowFullScreen | Qt::WindowMaximized)) {
        const QSize space = m_window.size() - QSize(0, statusBand());
        const double room = m_window.isFullScreen() ? FullScreenFactor(space, m_baseSize)
                                                    : LargestFittingFactor(space, m_baseSize);
        show(std::min(factor, room));
        return;
    }
    show(factor);
    m_window.resize(ScaledSize(m_baseSize, factor));
    keepOnScreen();
}

void WindowZoom::zoomIn()
{
    const auto next = std::upper_bound(kZoomFactors.begin(), kZoomFactors.end(), m_factor);
    if (next != kZoomFactors.end() && offers(*next))
        setFactor(*next);
}

void WindowZoom::zoomOut()
{
    const auto first = std::lower_bound(kZoomFactors.begin(), kZoomFactors.end(), m_factor);
    if (first != kZoomFactors.begin())
        setFactor(*(first - 1));
}

void WindowZoom::setFullScreen(bool fullScreen)
{
    const Qt::WindowStates state = m_window.windowState();
    m_window.setWindowState(fullScreen ? state | Qt::WindowFullScreen : state & ~Qt::WindowFullScreen);
    m_window.show();
}

void WindowZoom::follow(QWidget& window)
{
    std::erase_if(m_followers, [](const auto& follower) { return !follower->root(); });
    m_followers.push_back(std::make_unique<ScaledControls>(window));
    m_followers.back()->apply(m_factor);
}

bool WindowZoom::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_window) {
        if (event->type() == QEvent::Resize) {
            fitToWindow();
        } else if (event->type() == QEvent::WindowStateChange) {
            m_status->setFullScreen(m_window.isFullScreen());
            fitToWindow();
        } else if (event->type() == QEvent::Show) {
            // Queued: the move that brought the window there is still being handled, and its
            // resize event, with the old size, would otherwise pick the old factor again.
            connect(m_window.windowHandle(), &QWindow::screenChanged, this, &WindowZoom::fitToScreen,
                    Qt::ConnectionType(Qt::QueuedConnection | Qt::UniqueConnection));
            fitToScreen();
        }
    }
    return QObject::eventFilter(watched, event);
}

// A window resized or maximized by hand, or full screen, shows the largest factor that fits.
void WindowZoom::fitToWindow()
{
    const QSize space = m_window.size() - QSize(0, statusBand());
    show(m_window.isFullScreen() ? FullScreenFactor(space, m_baseSize)
                                 : LargestFittingFactor(space, m_baseSize));
}

// Shown, or on another screen: a normal window whose size no longer fits takes the largest
// that does, and one that sticks out is moved in.
void WindowZoom::fitToScreen()
{
    markChoices();
    if (m_window.windowState() & (Qt::WindowFullScreen | Qt::WindowMaximized))
        return;
    if (!offers(m_factor))
        setFactor(largestOffered());
    else
        keepOnScreen();
}

void WindowZoom::keepOnScreen()
{
    if (!m_window.isVisible() || m_window.windowState() != Qt::WindowNoState)
        return;
    const QRect area = m_window.screen()->availableGeometry();
    const QSize frameExtra = m_window.frameGeometry().size() - m_window.size();
    // The size just asked for: a window system may report the new size only later.
    const QRect frame(m_window.frameGeometry().topLeft(), ScaledSize(m_baseSize, m_factor) + frameExtra);
    const QPoint inside(std::clamp(frame.left(), area.left(), std::max(area.left(), area.right() + 1 - frame.width())),
                        std::clamp(frame.top(), area.top(), std::max(area.top(), area.bottom() + 1 - frame.height())));
    if (inside != frame.topLeft())
        m_window.move(inside);   // a window's position is that of its frame
}

// The height the full-screen status takes above the content; 0 when it shows nothing.
int WindowZoom::statusBand() const
{
    return m_status->bandHeight(m_window.size());
}

void WindowZoom::show(double factor)
{
    const bool changed = factor != m_factor;
    if (changed) {
        m_factor = factor;
        m_controls->apply(factor);
        m_pictures.setScale(factor);
        for (ScaledMenu& menu : m_menus)
            menu.apply(factor);
        std::erase_if(m_followers, [](const auto& follower) { return !follower->root(); });
        for (const auto& follower : m_followers)
            follower->apply(factor);
    }
    placeContent();
    markChoices();
    if (changed)
        emit factorChanged(factor);
}

// In the middle of the window, on the window's grey.
void WindowZoom::placeContent()
{
    const QSize size = ScaledSize(m_baseSize, m_factor);
    const int band = statusBand();
    const QSize space = m_window.size() - QSize(0, band);
    m_content.move(std::max(0, (space.width() - size.width()) / 2),
                   band + std::max(0, (space.height() - size.height()) / 2));
    const QRect content = m_content.geometry();
    const QRect pictures = m_pictures.geometry().translated(content.topLeft()) & content;
    m_status->place(content, pictures);
}

void WindowZoom::markChoices()
{
    const bool fullScreen = m_window.isFullScreen();
    for (size_t i = 0; i < kZoomFactors.size(); ++i) {
        m_factorActions[i]->setChecked(!fullScreen && kZoomFactors[i] == m_factor);
        m_factorActions[i]->setEnabled(offers(kZoomFactors[i]));
    }
    m_fullScreen->setChecked(fullScreen);
    m_leaveFullScreen->setEnabled(fullScreen);
}
