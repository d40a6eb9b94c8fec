#include "app/ScaledControls.h"

#include <QGroupBox>

#include <cmath>

namespace {

int Scaled(int value, double factor)
{
    return static_cast<int>(std::lround(value * factor));
}

QFont ScaledFont(QFont font, double factor)
{
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * factor);
    else if (font.pixelSize() > 0)
        font.setPixelSize(Scaled(font.pixelSize(), factor));
    return font;
}

} // namespace

QRect ScaledRect(const QRect& rect, double factor)
{
    const int left = Scaled(rect.x(), factor);
    const int top = Scaled(rect.y(), factor);
    return QRect(left, top, Scaled(rect.x() + rect.width(), factor) - left,
                 Scaled(rect.y() + rect.height(), factor) - top);
}

QSize ScaledSize(const QSize& size, double factor)
{
    return QSize(Scaled(size.width(), factor), Scaled(size.height(), factor));
}

ScaledControls::ScaledControls(QWidget& root)
    : m_root(&root)
    , m_rootSize(root.size())
    , m_fixedSize(root.minimumSize() == root.maximumSize())
{
    m_controls.push_back({&root, QRect(), root.font()});
    take(root);
}

// Only the window's own controls: the parts a control is made of (a text box's scroll bars)
// are laid out by the control itself.
void ScaledControls::take(QWidget& parent)
{
    for (QObject* child : parent.children()) {
        auto* control = qobject_cast<QWidget*>(child);
        if (!control || control->isWindow())
            continue;
        m_controls.push_back({control, control->geometry(), control->font()});
        if (auto* group = qobject_cast<QGroupBox*>(control))
            take(*group);
    }
}

void ScaledControls::apply(double factor)
{
    if (!m_root)
        return;
    const QSize size = ScaledSize(m_rootSize, factor);
    if (m_fixedSize)
        m_root->setFixedSize(size);
    else
        m_root->resize(size);
    for (const Control& control : m_controls) {
        if (!control.widget)
            continue;
        control.widget->setFont(ScaledFont(control.font, factor));
        if (control.widget != m_root)
            control.widget->setGeometry(ScaledRect(control.geometry, factor));
    }
}
