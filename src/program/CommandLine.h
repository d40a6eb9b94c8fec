#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Options for the class folder, demos and tests; with none the program behaves as it always has.
struct CommandLine {
    QString screenshotFile;         // --screenshot FILE: save the window as PNG when time is up
    double quitAfterSeconds = -1;   // --quit-after SECONDS: end the program after that time
    QString portDevice;             // --port DEVICE: open this device instead of port n
    QString folder;                 // --folder DIR: the five files' folder ("~/" expanded);
                                    // empty: the current folder
    double zoom = 1;                // --zoom FACTOR: start shown at 1, 1.5, 2 or 3 times the size
    bool review = false;            // --review [FILE...]: open the window 記録を見る instead
    QStringList reviewFiles;        // the runs it opens at once
    int classViewPort = -1;         // --class-view[=PORT]: serve the class view from the start
                                    // (-1: not; 0: 8080 or the next free port)
    bool showHelp = false;          // --help: print the options and end
    bool showVersion = false;       // --version: print the version and end
};

// Reads the arguments after the program name (Qt's own options already taken out); no value
// when they are not understood.
std::optional<CommandLine> ParseCommandLine(const QStringList& arguments);

// The arguments without the options that QApplication takes for itself (-platform NAME,
// -style NAME, -display NAME, ...), so that ours can be checked before the window system is
// touched: where no display exists, QApplication ends the program before we could say a word.
QStringList WithoutQtOptions(const QStringList& arguments);

// What --help prints: every option with a line about it.
QString CommandLineHelp();

inline constexpr double kLongestQuitAfter = 2000000;   // seconds, about 23 days

inline constexpr const char* kUsage =
    "usage: poruka [--port DEVICE] [--screenshot FILE] [--quit-after SECONDS] [--folder DIR]"
    " [--zoom 1|1.5|2|3] [--class-view[=PORT]] [--review [FILE...]] [--help] [--version]";
