#pragma once

// The stand-in box as the end-to-end tests run it: poruka-box on a pseudo-terminal linked
// inside a temporary folder that also holds the calibration files both sides read.

#include "support/TestPaths.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <csignal>

// Calibration files whose entries are easy to check: liquid temperature = byte / 2 - 20 °C
// (byte 80 is 20 °C), air temperature = byte - 40, pressure = 900 + byte hPa (byte 113 is
// 1013 hPa), 2 hPa pressure = 760 + 2 x byte.
inline void WriteTestTables(const QString& folder)
{
    const auto write = [&](const char* name, auto entry) {
        QByteArray content = "header\r\n";
        for (int i = 0; i < 256; ++i)
            content += QByteArray::number(entry(i)) + "\r\n";
        QFile file(folder + "/" + name);
        file.open(QIODevice::WriteOnly);
        file.write(content);
    };
    write("EKION.CSV", [](int i) { return i / 2 - 20; });
    write("KION.CSV", [](int i) { return i - 40; });
    write("VORUM1.CSV", [](int i) { return 900 + i; });
    write("VORUM2.CSV", [](int i) { return 760 + 2 * i; });
}

struct BoxProcess {
    explicit BoxProcess(const QString& folderPath) : folder(folderPath) {}
    ~BoxProcess() { Stop(); }

    QString link() const { return folder + "/" + linkName; }
    QString log() const { return folder + "/box.log"; }

    // Starts the box and waits (boundedly, processing events) until its link appears.
    bool Start(const QStringList& extra = {})
    {
        process = std::make_unique<QProcess>();
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(BoxPath(),
                       QStringList{"--link", link(), "--data", folder, "--log", log()} + extra);
        if (!process->waitForStarted(5000))
            return false;
        // The link leads to a device only once the box has set its line up.
        return QTest::qWaitFor([this] {
            return QFileInfo(link()).exists() || process->state() == QProcess::NotRunning;
        }, 10000) && process->state() == QProcess::Running;
    }

    // Ends the box the way the run script does; true when it stopped cleanly.
    bool Stop()
    {
        if (!process || process->state() == QProcess::NotRunning)
            return true;
        process->terminate();
        return process->waitForFinished(5000) && process->exitStatus() == QProcess::NormalExit
            && process->exitCode() == 0;
    }

    void Kill()
    {
        process->kill();
        process->waitForFinished(5000);
    }

    QStringList LoggedBytes() const
    {
        QFile file(log());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromLatin1(file.readAll()).split('\n', Qt::SkipEmptyParts);
    }

    // Switches the box off (it hears and answers nothing) or on again; the line stays.
    void SwitchPower(bool on) const { ::kill(static_cast<pid_t>(process->processId()), on ? SIGUSR2 : SIGUSR1); }

    QString folder;
    QString linkName = QStringLiteral("poruka-tty");
    std::unique_ptr<QProcess> process;
};
