#include "app/CommandLine.h"

#include "app/Zoom.h"

std::optional<CommandLine> ParseCommandLine(const QStringList& arguments)
{
    CommandLine options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& option = arguments[i];
        if (i + 1 >= arguments.size())
            return std::nullopt;   // every option takes a value
        const QString& value = arguments[++i];
        if (option == QLatin1String("--screenshot")) {
            options.screenshotFile = value;
        } else if (option == QLatin1String("--quit-after")) {
            bool ok = false;
            options.quitAfterSeconds = value.toDouble(&ok);
            // Up to a few weeks: the time is turned into milliseconds for a timer.
            if (!ok || !(options.quitAfterSeconds >= 0 && options.quitAfterSeconds <= kLongestQuitAfter))
                return std::nullopt;
        } else if (option == QLatin1String("--zoom")) {
            bool ok = false;
            options.zoom = value.toDouble(&ok);
            if (!ok || !IsZoomFactor(options.zoom))
                return std::nullopt;
        } else if (option == QLatin1String("--port")) {
            options.portDevice = value;
        } else {
            return std::nullopt;
        }
    }
    return options;
}
