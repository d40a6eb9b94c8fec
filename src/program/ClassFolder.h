#pragma once

// The class folder (--folder DIR): the five files the program reads, in a folder of the
// teacher's choosing, filled at first use with the sample files that come with the program.

#include <QString>

// The folder of the sample files that come with the program, found from the program's own
// folder: ../share/poruka beside it when installed, unpacked or moved anywhere; run from the
// build folder, the folder named in kSampleFolderNote beside it (the source tree's data/).
// Empty when neither is there.
QString SampleFolder(const QString& programFolder);

inline constexpr const char* kSampleFolderNote = "poruka-samples.txt";

// Creates the folder when it is missing and copies in, from samples, each of the five files
// it lacks (a name that differs only in letter case counts as there). A file that is there is
// never touched. False when the folder could not be made.
bool PrepareClassFolder(const QString& folder, const QString& samples);
