#pragma once

// The 16-colour palette that the customization file's colour indexes name.

#include "base/ProgramState.h"

#include <QRgb>

#include <array>
#include <type_traits>

static_assert(std::is_same_v<Rgb, QRgb>, "the program state's colours are Qt's QRgb");

inline constexpr std::array<QRgb, 16> kPalette = {
    qRgb(0, 0, 0),       qRgb(0, 0, 128),     qRgb(0, 128, 0),     qRgb(0, 128, 128),
    qRgb(128, 0, 0),     qRgb(128, 0, 128),   qRgb(128, 128, 0),   qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(0, 0, 255),     qRgb(0, 255, 0),     qRgb(0, 255, 255),
    qRgb(255, 0, 0),     qRgb(255, 0, 255),   qRgb(255, 255, 0),   qRgb(255, 255, 255),
};
