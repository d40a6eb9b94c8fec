// Measures the real program's main window from the inside: the window as the program builds
// it (real serial port, working folder = the current folder), shown on whatever platform Qt
// was given (offscreen, or a real X server). With --record, Start is pressed once the window
// is shown; otherwise the window only reads the box (live readout). After the warm-up, the CPU
// time (user + sys, every thread) the process spends over the measured seconds is reported.
// The product has no option to start recording by itself; this harness presses the button.
// With --reference, a bare window that makes a recording's events in place of the program's
// (ReferenceWindow.h) is measured the same way.
//
// With --class-view PORT the program also serves the class view there and prints its address
// on a line of its own first.
//
//   poruka_measure_harness --port DEVICE [--seconds N] [--warm-up N] [--record | --reference]
//                          [--class-view PORT]
// prints: cpu_seconds wall_seconds cpu_share_percent samples max_rss_kb

#include "ReferenceWindow.h"
#include "classview/ClassView.h"
#include "program/Program.h"
#include "program/RepaintTransport.h"
#include "widgets/Fonts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/resource.h>

namespace {

double CpuSeconds(const rusage& usage)
{
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec
        + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

int Milliseconds(double seconds)
{
    return static_cast<int>(seconds * 1000);
}

}   // namespace

int main(int argc, char** argv)
{
    QString device;
    double seconds = 60;
    double warmUp = 0;
    int classViewPort = -1;
    bool record = false;
    bool reference = false;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--record") == 0)
            record = true;
        else if (std::strcmp(argv[i], "--reference") == 0)
            reference = true;
        else if (hasValue && std::strcmp(argv[i], "--port") == 0)
            device = QString::fromLocal8Bit(argv[++i]);
        else if (hasValue && std::strcmp(argv[i], "--seconds") == 0)
            seconds = std::atof(argv[++i]);
        else if (hasValue && std::strcmp(argv[i], "--warm-up") == 0)
            warmUp = std::atof(argv[++i]);
        else if (hasValue && std::strcmp(argv[i], "--class-view") == 0)
            classViewPort = std::atoi(argv[++i]);
    }
    if (device.isEmpty() || seconds <= 0 || warmUp < 0) {
        std::fprintf(stderr, "usage: poruka_measure_harness --port DEVICE [--seconds N] [--warm-up N] [--record | --reference] [--class-view PORT]\n");
        return 2;
    }
    SendRepaintsOverTheConnection();
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    InstallFontSubstitutions();

    std::unique_ptr<Program> program;
    std::unique_ptr<ReferenceWindow> bare;
    QWidget* window = nullptr;
    if (reference) {
        bare = std::make_unique<ReferenceWindow>(device);
        window = bare.get();
    } else {
        PorukaEnvironment environment;
        UseClassroomPort(environment, device);
        program = std::make_unique<Program>(std::move(environment));
        program->window().Form_Load();
        window = &program->window();
        if (classViewPort >= 0) {
            if (!program->classView().start(static_cast<quint16>(classViewPort)))
                return 1;
            std::printf("%s\n", qPrintable(program->classView().address()));
            std::fflush(stdout);
        }
    }
    window->show();
    const auto samples = [&] {
        return program ? static_cast<int>(program->window().state().SampleCount) : bare->ticks();
    };

    rusage before{};
    QElapsedTimer wall;
    QTimer::singleShot(0, window, [&] {
        if (record && program)
            program->window().Start_Click();
        QTimer::singleShot(Milliseconds(warmUp), window, [&] {
            getrusage(RUSAGE_SELF, &before);
            wall.start();
            QTimer::singleShot(Milliseconds(seconds), window, [&] {
                rusage after{};
                getrusage(RUSAGE_SELF, &after);
                const double cpu = CpuSeconds(after) - CpuSeconds(before);
                const double elapsed = wall.nsecsElapsed() / 1e9;
                std::printf("%.3f %.3f %.3f %d %ld\n", cpu, elapsed, 100 * cpu / elapsed,
                            samples(), after.ru_maxrss);
                QCoreApplication::exit(0);
            });
        });
    });
    return app.exec();
}
