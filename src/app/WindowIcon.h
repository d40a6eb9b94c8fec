#pragma once

#include <QIcon>

// The window's own 32 x 32 icon: a small thermometer beside a barometer column.
QIcon MakeWindowIcon();
