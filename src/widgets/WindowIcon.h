#pragma once

#include <QIcon>
#include <QImage>

// The program's icon, a small thermometer beside a barometer column, drawn at size x size
// pixels. The design is laid out on a 32 x 32 grid and scaled, so every size shows the same
// picture; the installed icon files are made from it too.
QImage DrawWindowIcon(int size);

// The window's own 32 x 32 icon.
QIcon MakeWindowIcon();
