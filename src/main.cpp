// The program, above every layer: it wires the main window to the settings window.

#include "app/CommandLine.h"
#include "app/Fonts.h"
#include "app/Poruka.h"
#include "app/Zoom.h"
#include "device/ReconnectingPort.h"
#include "device/SerialCommPort.h"
#include "settings/OpenSettingsWindow.h"

#include <QApplication>
#include <QPixmap>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    // Options are read before the window system is touched, so a wrong option is reported
    // even where no display exists.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const auto options = ParseCommandLine(arguments);
    if (!options) {
        std::fprintf(stderr, "%s\n", kUsage);
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    InstallFontSubstitutions();

    PorukaEnvironment environment;
    // A box unplugged or switched off during the lesson is picked up again when it returns.
    environment.port = std::make_unique<ReconnectingPort>(
        std::make_unique<SerialCommPort>(options->portDevice));
    environment.endProgram = [] { QCoreApplication::exit(0); };
    environment.openSettings = OpenSettingsWindow;
    Poruka window(std::move(environment));
    window.Form_Load();
    window.zoom()->setFactor(options->zoom);
    window.show();

    if (options->quitAfterSeconds >= 0 || !options->screenshotFile.isEmpty()) {
        const double seconds = options->quitAfterSeconds >= 0 ? options->quitAfterSeconds : 3.0;
        QTimer::singleShot(static_cast<int>(seconds * 1000), &window, [&window, &options] {
            if (!options->screenshotFile.isEmpty()) {
                if (!window.grab().save(options->screenshotFile, "PNG")) {
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
