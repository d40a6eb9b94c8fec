#pragma once

// A temporary working folder with a state and a surface, for the file loaders' tests.

#include "base/ProgramState.h"
#include "render/Surface.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

struct FileTestFolder {
    void Write(const QString& name, const QByteArray& content) const
    {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    QDir dir() const { return QDir(folder.path()); }

    // The surface holds exactly these start-up lines, in this order, and nothing else.
    void ExpectPrinted(const QStringList& lines)
    {
        Surface expected;
        for (const QString& line : lines)
            expected.PrintLine(line);
        EXPECT_EQ(surface.pen(), expected.pen()) << "a different number of lines";
        EXPECT_TRUE(surface.image() == expected.image())
            << "printed lines differ from: " << lines.join(QStringLiteral(" | ")).toStdString();
    }

    QTemporaryDir folder;
    ProgramState state;
    Surface surface;
};

// A calibration file: a header line and the values, one per line.
inline QByteArray TableFile(const QList<int>& values, const QByteArray& lineEnd = "\n")
{
    QByteArray text = "header" + lineEnd;
    for (int value : values)
        text += QByteArray::number(value) + lineEnd;
    return text;
}

inline QList<int> Ramp(int first, int count, int step = 1)
{
    QList<int> values;
    for (int i = 0; i < count; ++i)
        values.append(first + i * step);
    return values;
}
