#pragma once

// Qt's own texts (the buttons of the questions, the help box's OK, the save dialog) in
// Japanese whatever the system's language, like every other text of the program.

class QCoreApplication;

// Loads Qt's Japanese translations (Debian: qt6-translations-l10n) from Qt's translations
// folder. False when they are not installed: Qt's texts then stay English.
bool InstallJapaneseQtTexts(QCoreApplication& application);
