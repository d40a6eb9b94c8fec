#include "program/CommandLine.h"

#include "features/Zoom.h"

#include <QCommandLineParser>
#include <QDir>

#include <algorithm>

namespace {

struct Options {
    QCommandLineOption port{QStringLiteral("port"),
                            QStringLiteral("Open the serial device DEVICE instead of the customization file's port."),
                            QStringLiteral("DEVICE")};
    QCommandLineOption screenshot{QStringLiteral("screenshot"),
                                  QStringLiteral("Save a picture of the window to FILE (PNG) and end, after --quit-after"
                                                 " or three seconds."),
                                  QStringLiteral("FILE")};
    QCommandLineOption quitAfter{QStringLiteral("quit-after"),
                                 QStringLiteral("End the program after SECONDS."), QStringLiteral("SECONDS")};
    QCommandLineOption folder{QStringLiteral("folder"),
                              QStringLiteral("Read the calibration tables and VORUM.TXT from DIR. DIR is created when"
                                             " missing, and every sample file missing there is copied in; files"
                                             " already there are never changed."),
                              QStringLiteral("DIR")};
    QCommandLineOption zoom{QStringLiteral("zoom"),
                            QStringLiteral("Draw the window FACTOR times as large: 1, 1.5, 2 or 3."),
                            QStringLiteral("FACTOR")};
    QCommandLineOption review{QStringLiteral("review"),
                              QStringLiteral("Open the window 記録を見る, which compares saved runs, with the run files"
                                             " given after the options.")};
    QCommandLineOption classView{QStringLiteral("class-view"),
                                 QStringLiteral("Show the readings to the pupils' browsers from the start, on port 8080"
                                                " (or the next free one) or on PORT, and print the page's address."),
                                 QStringLiteral("PORT")};
};

// The parser with our options; the help and version options come from Qt.
struct Parser {
    Parser()
    {
        parser.setApplicationDescription(
            QStringLiteral("Temperature and air pressure from the Poruka sensor box, for science classes."));
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addOptions({options.port, options.screenshot, options.quitAfter, options.folder, options.zoom,
                           options.classView, options.review});
        parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("With --review: a run to open."),
                                     QStringLiteral("[FILE...]"));
    }

    QCommandLineParser parser;
    Options options;
};

QString ExpandHome(const QString& folder)
{
    // A shell expands "~/" before we see it; a desktop entry's Exec line does not.
    if (folder == u'~')
        return QDir::homePath();
    if (folder.startsWith(QLatin1String("~/")))
        return QDir::homePath() + folder.mid(1);
    return folder;
}

// --class-view may come without its port, which Qt's parser does not allow; alone it means
// "the default port".
QStringList WithClassViewPort(QStringList arguments)
{
    for (QString& argument : arguments) {
        if (argument == QLatin1String("--class-view") || argument == QLatin1String("-class-view"))
            argument = QStringLiteral("--class-view=0");
    }
    return arguments;
}

}   // namespace

std::optional<CommandLine> ParseCommandLine(const QStringList& arguments)
{
    Parser reader;
    QCommandLineParser& parser = reader.parser;
    const Options& option = reader.options;
    if (!parser.parse(QStringList{QStringLiteral("poruka")} + WithClassViewPort(arguments)))
        return std::nullopt;
    // Files are runs to review; without --review there is nothing to give them to.
    if (!parser.isSet(option.review) && !parser.positionalArguments().isEmpty())
        return std::nullopt;

    CommandLine options;
    options.showHelp = parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"));
    options.showVersion = parser.isSet(QStringLiteral("version"));
    options.review = parser.isSet(option.review);
    options.reviewFiles = parser.positionalArguments();
    options.portDevice = parser.value(option.port);
    options.screenshotFile = parser.value(option.screenshot);
    if (parser.isSet(option.quitAfter)) {
        bool ok = false;
        options.quitAfterSeconds = parser.value(option.quitAfter).toDouble(&ok);
        // Up to a few weeks: the time is turned into milliseconds for a timer.
        if (!ok || !(options.quitAfterSeconds >= 0 && options.quitAfterSeconds <= kLongestQuitAfter))
            return std::nullopt;
    }
    if (parser.isSet(option.folder)) {
        options.folder = ExpandHome(parser.value(option.folder));
        if (options.folder.isEmpty())
            return std::nullopt;
    }
    if (parser.isSet(option.zoom)) {
        bool ok = false;
        options.zoom = parser.value(option.zoom).toDouble(&ok);
        if (!ok || !IsZoomFactor(options.zoom))
            return std::nullopt;
    }
    if (parser.isSet(option.classView)) {
        bool ok = false;
        options.classViewPort = parser.value(option.classView).toInt(&ok);
        if (!ok || options.classViewPort < 0 || options.classViewPort > 65535)
            return std::nullopt;
    }
    return options;
}

QStringList WithoutQtOptions(const QStringList& arguments)
{
    // QGuiApplication, QApplication, the xcb platform and QCoreApplication take these, with
    // one or two leading dashes; the first group takes the next argument as its value.
    static const QStringList kWithValue = {
        "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "geometry",
        "qwindowicon", "icon", "qwindowtitle", "title", "session", "style", "stylesheet",
        "qmljsdebugger", "display", "name", "visual"};
    static const QStringList kAlone = {"reverse", "testability", "widgetcount", "nograb", "dograb",
                                       "sync", "qdevel", "qdebug"};
    static const QStringList kJoined = {"style=", "stylesheet=", "qmljsdebugger="};

    QStringList ours;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (!argument.startsWith(u'-')) {
            ours << argument;
            continue;
        }
        const QString name = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
        if (kWithValue.contains(name)) {
            ++i;   // its value, if any
        } else if (!kAlone.contains(name)
                   && std::none_of(kJoined.begin(), kJoined.end(),
                                   [&](const QString& start) { return name.startsWith(start); })) {
            ours << argument;
        }
    }
    return ours;
}

QString CommandLineHelp()
{
    return Parser().parser.helpText();
}
