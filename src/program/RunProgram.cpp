#include "program/RunProgram.h"

#include "classview/ClassView.h"
#include "features/Zoom.h"
#include "program/ClassFolder.h"
#include "program/CommandLine.h"
#include "program/Program.h"
#include "program/RepaintTransport.h"
#include "program/Translations.h"
#include "review/ReviewWindow.h"
#include "widgets/Fonts.h"

#include <QApplication>
#include <QFileInfo>
#include <QPixmap>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

QStringList ArgumentsAfterProgramName(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

int RefuseOptions()
{
    std::fprintf(stderr, "%s\n", kUsage);
    return 2;
}

}   // namespace

int RunProgram(int argc, char** argv)
{
    // Our options are checked before the window system is touched, so that a wrong option,
    // --help and --version are answered even where no display exists.
    const auto checked = ParseCommandLine(WithoutQtOptions(ArgumentsAfterProgramName(argc, argv)));
    if (!checked)
        return RefuseOptions();
    if (checked->showHelp || checked->showVersion) {
        const QCoreApplication program(argc, argv);   // names the program in the help
        const QString text = checked->showHelp ? CommandLineHelp()
                                               : QStringLiteral("poruka " PORUKA_VERSION "\n");
        std::fputs(text.toLocal8Bit().constData(), stdout);
        return 0;
    }

    SendRepaintsOverTheConnection();
    // QApplication takes its own options (-platform, -style, ...) out of argv; what is left
    // are ours.
    QApplication app(argc, argv);
    const auto options = ParseCommandLine(ArgumentsAfterProgramName(argc, argv));
    if (!options)
        return RefuseOptions();
    QApplication::setApplicationVersion(QStringLiteral(PORUKA_VERSION));
    // Lets the desktop match the window with the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.poruka.Poruka"));
    QApplication::setStyle(QStringLiteral("Fusion"));
    InstallFontSubstitutions();
    if (!InstallJapaneseQtTexts(app))
        std::fprintf(stderr, "poruka: Qt's Japanese translations are missing (qt6-translations-l10n)\n");

    PorukaEnvironment environment;
    UseClassroomPort(environment, options->portDevice);
    if (!options->folder.isEmpty()) {
        const QString folder = QFileInfo(options->folder).absoluteFilePath();
        // A folder that cannot be made still starts the program: the caption then names the
        // missing files, where a teacher sees it.
        if (!PrepareClassFolder(folder, SampleFolder(QCoreApplication::applicationDirPath())))
            std::fprintf(stderr, "poruka: cannot create the folder %s\n", qPrintable(folder));
        environment.workingFolder = QDir(folder);
    }
    Program program(std::move(environment));
    Poruka& window = program.window();
    // Reviewing saved runs needs no box: the main window is not loaded, only built.
    if (!options->review)
        window.Form_Load();
    // A size larger than the screen would put the controls out of reach.
    const double zoom = std::min(options->zoom, program.zoom().largestOffered());
    if (zoom < options->zoom)
        std::fprintf(stderr, "poruka: --zoom %g does not fit the screen; starting at %g\n",
                     options->zoom, zoom);
    program.zoom().setFactor(zoom);
    QWidget* shown = &window;
    if (options->review) {
        ReviewWindow& review = program.openReview();
        shown = &review;
        // The files are opened once the event loop runs: a file that is no run gets a message
        // box, and --quit-after ends the program even while that box waits for an answer.
        QTimer::singleShot(0, &review, [&review, files = options->reviewFiles] { review.openFiles(files); });
    } else {
        window.show();
    }
    if (options->classViewPort >= 0) {
        if (!program.classView().start(static_cast<quint16>(options->classViewPort))) {
            std::fprintf(stderr, "poruka: the class view cannot open port %d\n", options->classViewPort);
            return 1;
        }
        // The address alone, for a shortcut or a script to pick up.
        std::printf("%s\n", qPrintable(program.classView().address()));
        std::fflush(stdout);
    }

    if (options->quitAfterSeconds >= 0 || !options->screenshotFile.isEmpty()) {
        const double seconds = options->quitAfterSeconds >= 0 ? options->quitAfterSeconds : 3.0;
        QTimer::singleShot(static_cast<int>(seconds * 1000), shown, [shown, &options] {
            if (!options->screenshotFile.isEmpty()) {
                if (!shown->grab().save(options->screenshotFile, "PNG")) {
                    std::fprintf(stderr, "poruka: cannot write %s\n",
                                 qPrintable(options->screenshotFile));
                    QCoreApplication::exit(1);
                    return;
                }
            }
            QCoreApplication::exit(0);
        });
    }
    return app.exec();
}
