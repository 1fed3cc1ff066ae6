#pragma once

#include "cli/CommandLine.h"
#include "platform/LoadContext.h"
#include "platform/Reporter.h"

#include <QString>

#include <memory>

namespace vc {

class Machine;

// Prints "vellacord: TEXT" and the usage on standard error; kExitUsage.
int usageError(const QString& text);

// Checks that the sub-command's one positional argument is an existing
// folder. kExitOk, or the exit status after the problem is named on stderr.
int checkFolderArgument(const CliOptions& options, const char* command);

// Checks that a sub-command that reads a profile was given --profile DIR and
// nothing else. kExitOk, or kExitUsage after the usage message.
int checkProfileArgument(const CliOptions& options, const char* command);

// True when path opens for reading; otherwise prints
// "vellacord: cannot read PATH: reason" and gives false.
bool canReadInput(const QString& path);

// The exit status of a run that got as far as writing its table: the
// output's own failure first, then kExitInput when some input was unreadable.
int commandStatus(int outputStatus, bool someInputUnreadable);

// What a sub-command hands its loader: no filter, no bar, failures printed
// on standard error (and remembered, so the exit status can tell).
class CommandContext {
public:
    CommandContext();
    const LoadContext& load() const { return m_context; }
    // Something was reported as an error.
    bool failed() const { return m_reporter.failed; }

private:
    struct CountingStderr : StderrReporter {
        void error(const QString& text) override {
            failed = true;
            StderrReporter::error(text);
        }
        bool failed = false;
    };
    CountingStderr m_reporter;
    LoadContext m_context;
};

// The evidence a sub-command reads: --profile DIR (a machine of one user),
// --volume DIR with its --user choices, or --this-computer; the machine's
// time zone is applied unless --time-zone or --utc chose another.
class CommandEvidence {
public:
    CommandEvidence();
    ~CommandEvidence();
    CommandEvidence(const CommandEvidence&) = delete;
    CommandEvidence& operator=(const CommandEvidence&) = delete;
    // True when the options name evidence.
    static bool given(const CliOptions& options);
    // False after naming the evidence and the problem on stderr; warnings
    // (a hive that cannot be read) are printed too.
    bool open(const CliOptions& options);
    const Machine* machine() const { return m_machine.get(); }
    // How the evidence is named (the XML export's title).
    QString title() const;

private:
    std::unique_ptr<Machine> m_machine;
    QString m_given;
};

} // namespace vc
