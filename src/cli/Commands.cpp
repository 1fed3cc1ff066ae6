#include "cli/Commands.h"

#include <QTextStream>

#include <cstdio>

namespace vc {

namespace {

struct CommandEntry {
    const char* name;
    CommandFunction run;
};

// Every headless sub-command.
const CommandEntry kCommands[] = {
    {"activity", &runActivityCommand},
    {"recent", &runRecentCommand},
    {"temp", &runTempCommand},
    {"recall", &runRecallCommand},
    {"history", &runHistoryCommand},
    {"cookies", &runCookiesCommand},
    {"favorites", &runFavoritesCommand},
    {"web-history", &runWebHistoryCommand},
    {"web-downloads", &runWebDownloadsCommand},
    {"web-cookies", &runWebCookiesCommand},
};

} // namespace

CommandFunction findCommand(const QString& name) {
    for (const CommandEntry& c : kCommands)
        if (name == QLatin1String(c.name))
            return c.run;
    return nullptr;
}

int runHeadless(const QStringList& arguments) {
    CliOptions options;
    QString error;
    if (!parseCommandLine(arguments, options, &error)) {
        std::fprintf(stderr, "vellacord: %s\n%s", qPrintable(error), qPrintable(usageText()));
        return kExitUsage;
    }
    if (options.help) {
        std::fputs(qPrintable(usageText()), stdout);
        return kExitOk;
    }
    if (options.version) {
        std::printf("vellacord %s\n", VELLACORD_VERSION);
        return kExitOk;
    }
    if (!applyDisplayOptions(options, &error)) {
        std::fprintf(stderr, "vellacord: %s\n", qPrintable(error));
        return kExitUsage;
    }
    const CommandFunction run = findCommand(options.command);
    if (!run) {
        std::fprintf(stderr, "vellacord: no such command\n%s", qPrintable(usageText()));
        return kExitUsage;
    }
    return run(options);
}

} // namespace vc
