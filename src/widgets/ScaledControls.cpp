#include "widgets/ScaledControls.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QMenu>
#include <QProxyStyle>
#include <QRadioButton>
#include <QStyleOption>

#include <cmath>
#include <map>

namespace {

int Scaled(int value, double factor)
{
    return static_cast<int>(std::lround(value * factor));
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

class ZoomStyle : public QProxyStyle {
public:
    ZoomStyle(const QString& base, double factor)
        : QProxyStyle(base)
        , m_factor(factor)
    {
    }

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        const int size = QProxyStyle::pixelMetric(metric, option, widget);
        switch (metric) {
        case PM_IndicatorWidth:
        case PM_IndicatorHeight:
        case PM_ExclusiveIndicatorWidth:
        case PM_ExclusiveIndicatorHeight:
        case PM_CheckBoxLabelSpacing:
        case PM_RadioButtonLabelSpacing:
        case PM_MenuHMargin:
        case PM_MenuVMargin:
        case PM_SmallIconSize:
            return Scaled(size, m_factor);
        default:
            return size;
        }
    }

    // What a menu entry adds to its text (the style's fixed padding and check column) grows
    // with the text.
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& contents,
                           const QWidget* widget) const override
    {
        QSize size = QProxyStyle::sizeFromContents(type, option, contents, widget);
        if (type == CT_MenuItem) {
            const int text = option->fontMetrics.height();
            size.setHeight(size.height() > text ? text + Scaled(size.height() - text, m_factor)
                                                : Scaled(size.height(), m_factor));   // a separator
            if (size.width() > contents.width())
                size.setWidth(contents.width() + Scaled(size.width() - contents.width(), m_factor));
        }
        return size;
    }

private:
    double m_factor;
};

} // namespace

QFont ScaledFont(QFont font, double factor)
{
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * factor);
    else if (font.pixelSize() > 0)
        font.setPixelSize(Scaled(font.pixelSize(), factor));
    return font;
}

QStyle* ZoomedStyle(double factor)
{
    if (factor == 1)
        return nullptr;   // a widget without a style of its own uses the application's
    static std::map<double, QStyle*> styles;
    QStyle*& style = styles[factor];
    if (!style) {
        style = new ZoomStyle(QApplication::style()->name(), factor);
        style->setParent(qApp);
    }
    return style;
}

ScaledMenu::ScaledMenu(QMenu& menu)
    : m_menu(&menu)
    , m_font(menu.font())
{
}

void ScaledMenu::apply(double factor)
{
    if (!m_menu)
        return;
    m_menu->setFont(ScaledFont(m_font, factor));
    m_menu->setStyle(ZoomedStyle(factor));
}

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
        if (qobject_cast<QCheckBox*>(control.widget) || qobject_cast<QRadioButton*>(control.widget))
            control.widget->setStyle(ZoomedStyle(factor));
        const QRect place = ScaledRect(control.geometry, factor);
        Resize(*control.widget, place.size(), control.fixedSize);
        control.widget->move(place.topLeft());
    }
}
