#pragma once

// The settings window as the main window's せってい reaches it: main and the tests' windows
// install OpenSettingsWindow as PorukaEnvironment::openSettings.

class Fsettei;
class Poruka;

// Shows the main window's settings window, building it on first use (or after its own close
// control discarded it), and fills it from the program state. Recording is already paused.
void OpenSettingsWindow(Poruka& main);

// The main window's settings window, shown or hidden; nullptr before the first opening and
// once its own close control has discarded it.
Fsettei* SettingsWindowOf(const Poruka& main);
