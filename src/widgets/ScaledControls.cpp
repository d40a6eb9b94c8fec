#include "widgets/ScaledControls.h"

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

bool IsFixedSize(const QWidget& widget)
{
    return widget.minimumSize() == widget.maximumSize();
}

// A control held to its size stays held, at the new size.
void Resize(QWidget& widget, QSize size, bool fixedSize)
{
    if (fixedSize)
        widget.setFixedSize(size);
    else
        widget.resize(size);
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
{
    m_controls.push_back({&root, QRect(), root.font(), IsFixedSize(root)});
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
        m_controls.push_back({control, control->geometry(), control->font(), IsFixedSize(*control)});
        if (auto* group = qobject_cast<QGroupBox*>(control))
            take(*group);
    }
}

void ScaledControls::apply(double factor)
{
    if (!m_root)
        return;
    Resize(*m_root, ScaledSize(m_rootSize, factor), m_controls.front().fixedSize);
    for (const Control& control : m_controls) {
        if (!control.widget)
            continue;
        control.widget->setFont(ScaledFont(control.font, factor));
        if (control.widget == m_root)
            continue;
        const QRect place = ScaledRect(control.geometry, factor);
        Resize(*control.widget, place.size(), control.fixedSize);
        control.widget->move(place.topLeft());
    }
}
