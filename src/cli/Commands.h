#pragma once

#include "cli/CommandLine.h"

namespace vc {

using CommandFunction = int (*)(const CliOptions& options);

// True when a headless sub-command has that name.
bool isCommandName(const QString& name);
// Runs the sub-command of that name; the exit status.
int runCommand(const QString& name, const CliOptions& options);
// The sub-commands that read a source of the catalogue from the evidence.
QStringList sourceCommandNames();

// Runs the headless program: parses, applies the display options and runs
// the sub-command. Returns the exit status.
int runHeadless(const QStringList& arguments);

// The sub-commands, each in the file of its subsystem.
int runActivityCommand(const CliOptions& options);
int runRecallCommand(const CliOptions& options);
int runHistoryCommand(const CliOptions& options);
int runCookiesCommand(const CliOptions& options);
int runTimelineCommand(const CliOptions& options);

} // namespace vc
