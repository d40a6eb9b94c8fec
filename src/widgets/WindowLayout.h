#pragma once

// How both windows lay out their controls: positions given in twips (15 to the pixel),
// the fonts by their classroom names, a background colour with black text.

#include <QFont>
#include <QRect>
#include <QRgb>
#include <QString>
#include <QWidget>

inline constexpr QRgb kYellow = qRgb(255, 255, 0);
inline constexpr QRgb kCyan = qRgb(0, 255, 255);
inline constexpr QRgb kGrey = qRgb(192, 192, 192);

inline const QString kGothic = QStringLiteral("ＭＳ ゴシック");
inline const QString kProportionalGothic = QStringLiteral("ＭＳ Ｐゴシック");

QRect TwipsRect(int left, int top, int width, int height);
QFont WindowFont(double points, bool bold, const QString& family = kGothic);

// The control's background colour; text is black unless the control keeps the system's colour.
void Paint(QWidget* control, QRgb back, bool blackText = true);

template <typename Control>
Control* Place(QWidget* parent, Control* control, QRect where, QRgb back, const QFont& font)
{
    control->setParent(parent);
    control->move(where.topLeft());
    // Held to its size: a control whose size is fixed does not ask its window to lay out
    // again each time its text changes (a label ten times a second while recording).
    control->setFixedSize(where.size());
    control->setFont(font);
    Paint(control, back);
    return control;
}
