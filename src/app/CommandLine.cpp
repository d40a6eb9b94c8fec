#include "app/CommandLine.h"

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
            if (!ok || options.quitAfterSeconds < 0)
                return std::nullopt;
        } else if (option == QLatin1String("--port")) {
            options.portDevice = value;
        } else {
            return std::nullopt;
        }
    }
    return options;
}
