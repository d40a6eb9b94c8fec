#pragma once

// A program state as the start-up leaves it with no customization file (colours, limits,
// minute mode), for the picture tests; each test changes what it needs.

#include "base/ProgramState.h"
#include "files/CustomizationDefaults.h"
#include "render/Surface.h"
#include "support/Pictures.h"

#include <QString>

#include <memory>
#include <utility>

inline std::unique_ptr<ProgramState> DefaultRenderState()
{
    auto state = std::make_unique<ProgramState>();
    SetCustomizationDefaults(*state);
    return state;
}

inline void SavePictureIfAsked(Surface& surface, const QString& name)
{
    SavePictureIfAsked(surface.image(), name);
}

// How many pixels of the rectangle [x1, x2] x [y1, y2] have the colour.
inline int CountPixels(Surface& surface, int x1, int y1, int x2, int y2, QRgb colour)
{
    const QImage& image = surface.image();
    int count = 0;
    for (int y = y1; y <= y2; ++y)
        for (int x = x1; x <= x2; ++x)
            count += image.valid(x, y) && (image.pixel(x, y) | 0xff000000u) == (colour | 0xff000000u);
    return count;
}

// The first and last row of column x, within [y1, y2], painted in the colour; {-1, -1} if none.
inline std::pair<int, int> RowsInColour(Surface& surface, int x, int y1, int y2, QRgb colour)
{
    std::pair<int, int> rows{-1, -1};
    for (int y = y1; y <= y2; ++y) {
        if (surface.pixel(x, y) == (colour | 0xff000000u)) {
            if (rows.first < 0)
                rows.first = y;
            rows.second = y;
        }
    }
    return rows;
}
