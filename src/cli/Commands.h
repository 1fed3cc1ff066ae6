#pragma once

#include "cli/CommandLine.h"

namespace vc {

using CommandFunction = int (*)(const CliOptions& options);

// The headless sub-command of that name, or nullptr.
CommandFunction findCommand(const QString& name);

// Runs the headless program: parses, applies the display options and runs
// the sub-command. Returns the exit status.
int runHeadless(const QStringList& arguments);

// The sub-commands, each in the file of its subsystem.
int runActivityCommand(const CliOptions& options);
int runRecentCommand(const CliOptions& options);
int runTempCommand(const CliOptions& options);
int runRecallCommand(const CliOptions& options);
int runHistoryCommand(const CliOptions& options);
int runCookiesCommand(const CliOptions& options);
int runFavoritesCommand(const CliOptions& options);
int runWebHistoryCommand(const CliOptions& options);
int runWebDownloadsCommand(const CliOptions& options);
int runWebCookiesCommand(const CliOptions& options);

} // namespace vc
