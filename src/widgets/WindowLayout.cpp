#include "widgets/WindowLayout.h"

#include <QApplication>
#include <QPalette>

#include <cmath>

QRect TwipsRect(int left, int top, int width, int height)
{
    const auto pixels = [](int twips) { return static_cast<int>(std::lround(twips / 15.0)); };
    return QRect(pixels(left), pixels(top), pixels(width), pixels(height));
}

QFont WindowFont(double points, bool bold, const QString& family)
{
    QFont font(family);
    font.setPointSizeF(points);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

void Paint(QWidget* control, QRgb back, bool blackText)
{
    QPalette palette = control->palette();
    const QColor colour = QColor::fromRgb(back);
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Button, QPalette::Base})
        palette.setColor(role, colour);
    const QColor text = blackText ? QColor(Qt::black) : QApplication::palette().color(QPalette::WindowText);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        palette.setColor(role, text);
    control->setPalette(palette);
    control->setAutoFillBackground(true);
}
