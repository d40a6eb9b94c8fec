// poruka-box: a stand-in for the sensor box on a pseudo-terminal, the program's demo partner
// and the peer of the end-to-end tests. See Options.h for the command line.

#include "Calibration.h"
#include "Options.h"
#include "Protocol.h"
#include "PseudoTerminal.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <deque>
#include <fcntl.h>
#include <poll.h>
#include <random>
#include <string>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t g_stop = 0;
volatile std::sig_atomic_t g_switchedOn = 1;

void RequestStop(int)
{
    g_stop = 1;
}

void SwitchPower(int signal)
{
    g_switchedOn = signal == SIGUSR2 ? 1 : 0;
}

// The stop and power signals are blocked except while the box waits, so none is missed
// between the check and the wait.
sigset_t BlockSignals()
{
    struct sigaction action {};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    action.sa_handler = SwitchPower;
    sigaction(SIGUSR1, &action, nullptr);
    sigaction(SIGUSR2, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    sigset_t handled;
    sigemptyset(&handled);
    for (int signal : {SIGTERM, SIGINT, SIGUSR1, SIGUSR2})
        sigaddset(&handled, signal);
    sigset_t previous;
    sigprocmask(SIG_BLOCK, &handled, &previous);
    for (int signal : {SIGTERM, SIGINT, SIGUSR1, SIGUSR2})
        sigdelset(&previous, signal);
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

using Clock = std::chrono::steady_clock;

// An answer on its way: sent when due, after every answer before it.
struct Pending {
    Clock::time_point due;
    unsigned char request;
    std::string bytes;
};

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

    const sigset_t waitMask = BlockSignals();
    PseudoTerminal line;
    if (!line.Open(options->link, error)) {
        std::fprintf(stderr, "poruka-box: %s\n", error.c_str());
        return 1;
    }
    Protocol protocol(*options, *temperatureTable, *pressureTable);

    const auto started = Clock::now();
    std::deque<Pending> pending;
    std::mt19937 lateness(static_cast<std::mt19937::result_type>(options->seed));
    const auto sendDue = [&] {
        while (!pending.empty() && pending.front().due <= Clock::now()) {
            const Pending& answer = pending.front();
            LogAnswer(answersFile, answer.request, answer.bytes);
            if (::write(line.master(), answer.bytes.data(), answer.bytes.size()) < 0) {
                // The program closed the line between its request and this answer; the
                // answer is lost, as it would be on a real line.
            }
            pending.pop_front();
        }
    };
    const auto secondsSinceStart = [&] { return std::chrono::duration<double>(Clock::now() - started).count(); };

    while (!g_stop) {
        if (!g_switchedOn)
            pending.clear();   // switched off: what it was about to say is lost
        sendDue();
        long waitMs = -1;
        if (options->exitAfter >= 0) {
            const double left = options->exitAfter - secondsSinceStart();
            if (left <= 0)
                break;
            waitMs = static_cast<long>(left * 1000) + 1;
        }
        if (!pending.empty()) {
            const auto untilDue = std::chrono::ceil<std::chrono::milliseconds>(pending.front().due - Clock::now());
            const long dueMs = std::max<long>(0, static_cast<long>(untilDue.count()));
            waitMs = waitMs < 0 ? dueMs : std::min(waitMs, dueMs);
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
        if (!g_switchedOn)
            continue;   // a box switched off hears nothing
        const double modelSeconds = secondsSinceStart() * options->speed;
        for (ssize_t i = 0; i < count; ++i) {
            Log(logFile, received[i]);
            const std::string answer = protocol.Answer(received[i], modelSeconds);
            if (answer.empty())
                continue;
            auto due = Clock::now();
            if (options->delayMs > 0)
                due += std::chrono::milliseconds(std::uniform_int_distribution<long>(0, options->delayMs)(lateness));
            // Answers keep their order: none overtakes one sent before it.
            if (!pending.empty())
                due = std::max(due, pending.back().due);
            pending.push_back({due, received[i], answer});
        }
        sendDue();
    }
    if (logFile >= 0)
        ::close(logFile);
    if (answersFile >= 0)
        ::close(answersFile);
    return 0;
}
