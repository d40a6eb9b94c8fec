// The class folder: created when missing, filled with the samples it lacks, never overwritten.

#include "files/FileNames.h"
#include "program/ClassFolder.h"
#include "support/TestPaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void Write(const QString& path, const QByteArray& content)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

}   // namespace

TEST(PrepareClassFolder, CreatesTheFolderCopiesWhatIsMissingAndKeepsWhatIsThere)
{
    QTemporaryDir root;
    const QDir samples(root.filePath("samples"));
    samples.mkpath(".");
    for (const char* name : kClassFileNames)
        Write(samples.filePath(name), QByteArray("sample ") + name);

    const QString folder = root.filePath("home/Poruka");   // two levels that do not exist
    ASSERT_TRUE(PrepareClassFolder(folder, samples.path()));
    for (const char* name : kClassFileNames)
        EXPECT_EQ(Read(QDir(folder).filePath(name)), QByteArray("sample ") + name) << name;

    // The teacher edits one, deletes another and keeps a copy from Windows under another case.
    Write(QDir(folder).filePath("VORUM.TXT"), "edited");
    QFile::remove(QDir(folder).filePath("KION.CSV"));
    QFile::remove(QDir(folder).filePath("EKION.CSV"));
    Write(QDir(folder).filePath("Ekion.csv"), "from windows");
    ASSERT_TRUE(PrepareClassFolder(folder, samples.path()));
    EXPECT_EQ(Read(QDir(folder).filePath("VORUM.TXT")), "edited");
    EXPECT_EQ(Read(QDir(folder).filePath("KION.CSV")), "sample KION.CSV");
    EXPECT_EQ(Read(QDir(folder).filePath("Ekion.csv")), "from windows");
    EXPECT_FALSE(QFile::exists(QDir(folder).filePath("EKION.CSV")));

    Write(root.filePath("a-file"), "");
    EXPECT_FALSE(PrepareClassFolder(root.filePath("a-file/Poruka"), samples.path()));
}

TEST(SampleFolder, BesideTheProgramWhenInstalledElseNamedByTheBuild)
{
    QTemporaryDir root;
    QDir(root.path()).mkpath("usr/bin");
    EXPECT_EQ(SampleFolder(root.filePath("usr/bin")), QString());
    QDir(root.path()).mkpath("usr/share/poruka");
    EXPECT_EQ(SampleFolder(root.filePath("usr/bin")), root.filePath("usr/share/poruka"));

    QDir(root.path()).mkpath("build");
    Write(root.filePath("build/poruka-samples.txt"), root.filePath("usr/share/poruka").toUtf8() + "\n");
    EXPECT_EQ(SampleFolder(root.filePath("build")), root.filePath("usr/share/poruka"));
}
