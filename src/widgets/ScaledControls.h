#pragma once

// A window laid out by fixed positions, shown larger: every control's place, size and font are
// those of 1x times the factor, so text is drawn at the larger size instead of being blown up.
// What the style draws at a fixed size grows too: the boxes of check boxes and option buttons,
// the gap to their text, and so the area that takes a click or a touch.

#include <QFont>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>

class QMenu;
class QStyle;

#include <vector>

// A rectangle at the factor; edges are scaled, so neighbours that touch at 1x still touch.
QRect ScaledRect(const QRect& rect, double factor);
QSize ScaledSize(const QSize& size, double factor);
QFont ScaledFont(QFont font, double factor);
// The application's style with its indicators, their gaps and the menus' margins at the factor;
// the application's style itself at 1x. Lives as long as the application.
QStyle* ZoomedStyle(double factor);

// A menu whose text, margins and check marks follow the factor, as the window's controls do.
class ScaledMenu {
public:
    explicit ScaledMenu(QMenu& menu);
    void apply(double factor);

private:
    QPointer<QMenu> m_menu;
    QFont m_font;
};

class ScaledControls {
public:
    // Takes the 1x layout of the root's controls as they stand now, including those inside
    // group boxes; the root itself is sized by the factor too.
    explicit ScaledControls(QWidget& root);

    void apply(double factor);
    QWidget* root() const { return m_root; }
    QSize baseSize() const { return m_rootSize; }

private:
    struct Control {
        QPointer<QWidget> widget;
        QRect geometry;
        QFont font;
        bool fixedSize;   // held to its size (minimum and maximum the same)
    };
    void take(QWidget& parent);

    QPointer<QWidget> m_root;
    QSize m_rootSize;
    std::vector<Control> m_controls;   // the root first
};
