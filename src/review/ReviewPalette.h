#pragma once

// Colours of the compared runs: the Okabe-Ito palette, whose colours pupils with any common
// colour-vision deficiency can tell apart, in an order that keeps neighbours far apart. Yellow
// (too pale on white) is left out.

#include <QColor>

#include <array>

inline constexpr std::array<QRgb, 7> kRunColours = {
    0xFF0072B2,   // blue
    0xFFD55E00,   // vermillion
    0xFF009E73,   // bluish green
    0xFFCC79A7,   // reddish purple
    0xFFE69F00,   // orange
    0xFF56B4E9,   // sky blue
    0xFF000000,   // black
};
