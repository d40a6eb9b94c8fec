// Measures a 0.1-s recording run of the real program: the main window as the program builds
// it (real serial port, working folder = the current folder), Start pressed once the window is
// shown, then the CPU time the process spends over the measured seconds. The product has no
// option to start recording by itself; this harness presses the button instead.
//
//   poruka_record_harness --port DEVICE [--seconds N]
// prints: cpu_seconds wall_seconds cpu_share_percent samples max_rss_kb

#include "app/Fonts.h"
#include "app/Poruka.h"
#include "device/ReconnectingPort.h"
#include "device/SerialCommPort.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <sys/resource.h>

namespace {

double CpuSeconds(const rusage& usage)
{
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec
        + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    QString device;
    double seconds = 60;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--port") == 0)
            device = QString::fromLocal8Bit(argv[i + 1]);
        else if (std::strcmp(argv[i], "--seconds") == 0)
            seconds = std::atof(argv[i + 1]);
    }
    if (device.isEmpty() || seconds <= 0) {
        std::fprintf(stderr, "usage: poruka_record_harness --port DEVICE [--seconds N]\n");
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    InstallFontSubstitutions();

    PorukaEnvironment environment;
    auto port = std::make_unique<ReconnectingPort>(std::make_unique<SerialCommPort>(device));
    environment.portStatus = port.get();
    environment.port = std::move(port);
    environment.endProgram = [] { QCoreApplication::exit(0); };
    Poruka window(std::move(environment));
    window.Form_Load();
    window.show();

    rusage before{};
    QElapsedTimer wall;
    QTimer::singleShot(0, &window, [&] {
        window.Start_Click();
        getrusage(RUSAGE_SELF, &before);
        wall.start();
        QTimer::singleShot(static_cast<int>(seconds * 1000), &window, [&] {
            rusage after{};
            getrusage(RUSAGE_SELF, &after);
            const double cpu = CpuSeconds(after) - CpuSeconds(before);
            const double elapsed = wall.nsecsElapsed() / 1e9;
            std::printf("%.3f %.3f %.2f %d %ld\n", cpu, elapsed, 100 * cpu / elapsed,
                        static_cast<int>(window.state().SampleCount), after.ru_maxrss);
            QCoreApplication::exit(0);
        });
    });
    return app.exec();
}
