// poruka-box: a stand-in for the sensor box on a pseudo-terminal, the program's demo partner
// and the peer of the end-to-end tests. See Options.h for the command line.

#include "Calibration.h"
#include "Options.h"
#include "Protocol.h"
#include "PseudoTerminal.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t g_stop = 0;

void RequestStop(int)
{
    g_stop = 1;
}

// SIGTERM and SIGINT are blocked except while the box waits, so a stop is never missed
// between the check and the wait.
sigset_t BlockStopSignals()
{
    struct sigaction action {};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    sigset_t stops;
    sigemptyset(&stops);
    sigaddset(&stops, SIGTERM);
    sigaddset(&stops, SIGINT);
    sigset_t previous;
    sigprocmask(SIG_BLOCK, &stops, &previous);
    sigdelset(&previous, SIGTERM);
    sigdelset(&previous, SIGINT);
    return previous;
}

std::optional<RawTable> LoadTable(const std::string& folder, const char* name)
{
    const std::string path = folder + "/" + name;
    auto table = ReadRawTable(path);
    if (!table)
        std::fprintf(stderr, "poruka-box: cannot read %s\n", path.c_str());
    return table;
}

void Log(int logFile, unsigned char byte)
{
    if (logFile < 0)
        return;
    char line[4];
    std::snprintf(line, sizeof line, "%02X\n", byte);
    if (::write(logFile, line, 3) != 3)
        std::perror("poruka-box: log");
}

// One line per byte sent: the request it answers ("F2", "F3", "FF") and the byte, "F2 50".
void LogAnswer(int answersFile, unsigned char request, const std::string& answer)
{
    if (answersFile < 0)
        return;
    for (const char byte : answer) {
        char line[8];
        std::snprintf(line, sizeof line, "%02X %02X\n", request, static_cast<unsigned char>(byte));
        if (::write(answersFile, line, 6) != 6)
            std::perror("poruka-box: answers");
    }
}

int OpenLog(const std::string& path)
{
    if (path.empty())
        return -1;
    const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (file < 0)
        std::fprintf(stderr, "poruka-box: cannot open %s: %s\n", path.c_str(), std::strerror(errno));
    return file;
}

timespec Milliseconds(long ms)
{
    return timespec{ms / 1000, (ms % 1000) * 1000000};
}

} // namespace

int main(int argc, char** argv)
{
    std::string error;
    const auto options = ParseBoxOptions(argc, argv, error);
    if (!options) {
        std::fprintf(stderr, "poruka-box: %s\n%s\n", error.c_str(), kBoxUsage);
        return 2;
    }
    if (options->showHelp) {
        std::printf("%s\n", kBoxUsage);
        return 0;
    }
    // The tables the program uses at start-up: the liquid probe and 1 hPa sensitivity.
    const auto temperatureTable = LoadTable(options->dataFolder, "EKION.CSV");
    const auto pressureTable = LoadTable(options->dataFolder, "VORUM1.CSV");
    if (!temperatureTable || !pressureTable)
        return 1;

    const int logFile = OpenLog(options->logFile);
    const int answersFile = OpenLog(options->answersFile);
    if ((!options->logFile.empty() && logFile < 0) || (!options->answersFile.empty() && answersFile < 0))
        return 1;

    const sigset_t waitMask = BlockStopSignals();
    PseudoTerminal line;
    if (!line.Open(options->link, error)) {
        std::fprintf(stderr, "poruka-box: %s\n", error.c_str());
        return 1;
    }
    Protocol protocol(*options, *temperatureTable, *pressureTable);

    using Clock = std::chrono::steady_clock;
    const auto started = Clock::now();
    const auto secondsSinceStart = [&] { return std::chrono::duration<double>(Clock::now() - started).count(); };

    while (!g_stop) {
        long waitMs = -1;
        if (options->exitAfter >= 0) {
            const double left = options->exitAfter - secondsSinceStart();
            if (left <= 0)
                break;
            waitMs = static_cast<long>(left * 1000) + 1;
        }
        pollfd wait{line.master(), POLLIN, 0};
        const timespec timeout = Milliseconds(waitMs);
        const int ready = ::ppoll(&wait, 1, waitMs >= 0 ? &timeout : nullptr, &waitMask);
        if (ready < 0 && errno != EINTR) {
            std::perror("poruka-box: poll");
            return 1;
        }
        if (ready <= 0)
            continue;
        unsigned char received[256];
        const ssize_t count = (wait.revents & POLLIN) ? ::read(line.master(), received, sizeof received) : -1;
        if (count <= 0) {
            // Nobody has the line open (the program closed the port or has not opened it
            // yet): the master reports a hang-up until someone does. Look again shortly.
            timespec pause = Milliseconds(20);
            ::pselect(0, nullptr, nullptr, nullptr, &pause, &waitMask);
            continue;
        }
        const double modelSeconds = secondsSinceStart() * options->speed;
        for (ssize_t i = 0; i < count; ++i) {
            Log(logFile, received[i]);
            const std::string answer = protocol.Answer(received[i], modelSeconds);
            LogAnswer(answersFile, received[i], answer);
            if (!answer.empty() && ::write(line.master(), answer.data(), answer.size()) < 0) {
                // The program closed the line between its request and this answer; the
                // answer is lost, as it would be on a real line.
            }
        }
    }
    if (logFile >= 0)
        ::close(logFile);
    if (answersFile >= 0)
        ::close(answersFile);
    return 0;
}
