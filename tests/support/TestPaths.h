#pragma once

// Where the checkout and the built programs are, found from the test program's own folder:
// no test object holds a path of one checkout, so the compiler cache shares them all.

#include "TestLayout.h"

#include <QCoreApplication>
#include <QDir>
#include <QString>

inline QString FromTestPrograms(const char* relative)
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QLatin1Char('/') + QString::fromUtf8(relative));
}

// A file or folder of the checkout: SourcePath("/data").
inline QString SourcePath(const char* tail = "")
{
    return FromTestPrograms(PORUKA_SOURCE_FROM_TESTS) + QString::fromUtf8(tail);
}
inline QString BoxPath() { return FromTestPrograms(PORUKA_BOX_FROM_TESTS); }
inline QString ProgramPath() { return FromTestPrograms(PORUKA_PROGRAM_FROM_TESTS); }
inline QString RecordHarnessPath() { return FromTestPrograms(PORUKA_RECORD_HARNESS_FROM_TESTS); }
