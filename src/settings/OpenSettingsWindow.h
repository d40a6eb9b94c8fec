#pragma once

// The settings window as the main window's せってい reaches it: the program's composition root
// installs OpenSettingsWindow as PorukaEnvironment::openSettings.

#include <functional>

class Fsettei;
class Poruka;
class QWidget;

// Shows the main window's settings window, building it on first use (or after its own close
// control discarded it), and fills it from the program state. Recording is already paused.
// A window built anew is handed to `built` before it is first placed and shown.
void OpenSettingsWindow(Poruka& main, const std::function<void(QWidget&)>& built = {});

// The main window's settings window, shown or hidden; nullptr before the first opening and
// once its own close control has discarded it.
Fsettei* SettingsWindowOf(const Poruka& main);
