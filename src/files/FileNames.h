#pragma once

#include <QDir>
#include <QByteArray>
#include <QString>

#include <array>
#include <optional>

// The five files a class folder holds: the four calibration tables and the customization file.
inline constexpr std::array<const char*, 5> kClassFileNames = {
    "EKION.CSV", "KION.CSV", "VORUM1.CSV", "VORUM2.CSV", "VORUM.TXT"};

// The path of a file of the working folder given by its bare name. Files copied from a Windows
// machine may differ in letter case ("Vorum.txt" for VORUM.TXT); a case-sensitive file system
// would then miss them, so when the exact name is absent the first name that differs only in
// case is taken.
QString PathInFolder(const QDir& folder, const QString& bareName);

// Reads a whole file; no value when the file is missing, is a folder or cannot be opened.
std::optional<QByteArray> ReadWholeFile(const QString& path);
