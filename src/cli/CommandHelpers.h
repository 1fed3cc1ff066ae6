#pragma once

#include "cli/CommandLine.h"
#include "platform/LoadContext.h"
#include "platform/Reporter.h"

#include <QString>

#include <memory>

namespace vc {

class Profile;

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

// Opens --profile DIR for a sub-command and makes it the current profile
// for the life of the object; the profile is closed again at its end.
class CommandProfile {
public:
    CommandProfile();
    ~CommandProfile();
    CommandProfile(const CommandProfile&) = delete;
    CommandProfile& operator=(const CommandProfile&) = delete;
    // False after naming the folder and the problem on stderr.
    bool open(const QString& folder);

private:
    std::unique_ptr<Profile> m_profile;
};

} // namespace vc
