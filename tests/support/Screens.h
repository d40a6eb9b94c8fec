#pragma once

// The test platform's screens (see test_main.cpp): a window is put on one by moving it there.

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

inline QScreen* TestScreen(const char* name)
{
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen->name() == QLatin1String(name))
            return screen;
    }
    return nullptr;
}

// The window's frame at the top left of the screen's available area.
inline void PutOnScreen(QWidget& window, const char* name)
{
    window.move(TestScreen(name)->availableGeometry().topLeft());
}
