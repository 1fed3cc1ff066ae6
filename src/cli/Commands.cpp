#include "cli/Commands.h"

#include "cli/SourceCommand.h"
#include "evidence/Sources.h"

#include <QTextStream>

#include <cstdio>

namespace vc {

namespace {

struct CommandEntry {
    const char* name;
    CommandFunction run;
};

// The sub-commands of their own; every other one is a source of the
// catalogue read from the evidence (favorites, recent, temp, web-history...).
const CommandEntry kCommands[] = {
    {"activity", &runActivityCommand}, {"history", &runHistoryCommand},
    {"cookies", &runCookiesCommand},   {"recall", &runRecallCommand},
    {"timeline", &runTimelineCommand},
};

const SourceSpec* sourceOfCommand(const QString& name) {
    for (const SourceSpec& decl : sourceCatalogue())
        if (decl.command[0] != '\0' && name == QLatin1String(decl.command))
            return &decl;
    return nullptr;
}

} // namespace

bool isCommandName(const QString& name) {
    for (const CommandEntry& c : kCommands)
        if (name == QLatin1String(c.name))
            return true;
    return sourceOfCommand(name) != nullptr;
}

int runCommand(const QString& name, const CliOptions& options) {
    for (const CommandEntry& c : kCommands)
        if (name == QLatin1String(c.name))
            return c.run(options);
    if (const SourceSpec* decl = sourceOfCommand(name))
        return runSourceCommand(options, *decl);
    std::fprintf(stderr, "vellacord: no such command\n%s", qPrintable(usageText()));
    return kExitUsage;
}

QStringList sourceCommandNames() {
    QStringList names;
    for (const SourceSpec& decl : sourceCatalogue())
        if (decl.command[0] != '\0')
            names << QString::fromLatin1(decl.command);
    return names;
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
    return runCommand(options.command, options);
}

} // namespace vc
