#include "features/FullScreenStatus.h"

#include "widgets/WindowLayout.h"

#include <algorithm>

namespace {

constexpr QRgb kNoticeBack = qRgb(176, 0, 0);
constexpr QRgb kNoticeText = qRgb(255, 255, 255);

} // namespace

FullScreenStatus::FullScreenStatus(QWidget& window)
    : QLabel(&window)
{
    setObjectName(QStringLiteral("FullScreenStatus"));
    setAlignment(Qt::AlignCenter);
    setStyleSheet(QStringLiteral("QLabel { background: %1; color: %2; padding: 0.15em 0.6em; }")
                      .arg(QColor::fromRgb(kNoticeBack).name(), QColor::fromRgb(kNoticeText).name()));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void FullScreenStatus::setFullScreen(bool fullScreen)
{
    m_fullScreen = fullScreen;
    refresh();
}

void FullScreenStatus::setStatus(const QString& brackets)
{
    m_status = brackets;
    refresh();
}

void FullScreenStatus::place(const QRect& content, const QRect& pictures)
{
    m_content = content;
    m_pictures = pictures;
    refresh();
}

QFont FullScreenStatus::bannerFont(QSize window) const
{
    // About a twentieth of the screen's height: some 50 pixels on a projector's 1080 lines.
    QFont font = WindowFont(12, true);
    font.setPixelSize(std::max(24, window.height() / 20));
    return font;
}

int FullScreenStatus::bandHeight(QSize window) const
{
    if (!m_fullScreen || m_status.isEmpty())
        return 0;
    const QFontMetrics metrics(bannerFont(window));
    // The label's padding, and as much again between the label and the content.
    return metrics.height() + 2 * metrics.height() * 3 / 10;
}

void FullScreenStatus::refresh()
{
    if (!m_fullScreen || m_status.isEmpty()) {
        hide();
        return;
    }
    const QWidget& window = *parentWidget();
    setFont(bannerFont(window.size()));
    setText(m_status);
    const QSize size = sizeHint().boundedTo(window.size());
    const int left = std::clamp(m_pictures.center().x() - size.width() / 2, 0,
                                window.width() - size.width());
    // In the middle of the grey above the content, which leaves the band free for it.
    const int top = std::max(0, (m_content.top() - size.height()) / 2);
    setGeometry(QRect(QPoint(left, top), size));
    raise();
    show();
}
