#pragma once

// The names a class gives its runs for the legend ("1班", "アルミはく"). They are kept in one
// small file in the run file's folder, under the run file's name, so that they come back when
// the run is opened again and travel with the folder; the run file itself is never written.

#include <QString>

// The file beside the runs that keeps their names (UTF-8 JSON: file name -> name).
inline constexpr const char* kRunNamesFileName = "記録の名前.json";
// Longer names are cut: the legend has room for a few words.
inline constexpr qsizetype kLongestRunName = 40;

// The name given to the run at `runPath`; empty when none was given.
QString RunName(const QString& runPath);

// Gives the run a name (line breaks and runs of blanks become one space); an empty name forgets
// it. False when it could not be saved; the names already kept are then left as they were.
bool SetRunName(const QString& runPath, const QString& name);
