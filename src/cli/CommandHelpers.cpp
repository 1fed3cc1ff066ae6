#include "cli/CommandHelpers.h"

#include "language/InterfaceTexts.h"
#include "platform/Profile.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace vc {

int checkFolderArgument(const CliOptions& options, const char* command) {
    if (options.positional.size() != 1) {
        std::fprintf(stderr, "vellacord: %s needs one FOLDER\n%s", command,
                     qPrintable(usageText()));
        return kExitUsage;
    }
    const QString folder = options.positional.constFirst();
    if (!QFileInfo(folder).isDir()) {
        std::fprintf(stderr, "vellacord: %s is not a folder\n", qPrintable(folder));
        return kExitInput;
    }
    return kExitOk;
}

int checkProfileArgument(const CliOptions& options, const char* command) {
    if (options.profile.isEmpty() || !options.positional.isEmpty()) {
        std::fprintf(stderr, "vellacord: %s needs --profile DIR\n%s", command,
                     qPrintable(usageText()));
        return kExitUsage;
    }
    return kExitOk;
}

bool canReadInput(const QString& path) {
    QFile probe(path);
    if (!probe.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "vellacord: cannot read %s: %s\n", qPrintable(path),
                     qPrintable(probe.errorString()));
        return false;
    }
    return true;
}

int commandStatus(int outputStatus, bool someInputUnreadable) {
    if (outputStatus != kExitOk)
        return outputStatus;
    return someInputUnreadable ? kExitInput : kExitOk;
}

CommandContext::CommandContext() {
    m_context.report = &m_reporter;
}

CommandProfile::CommandProfile() = default;

CommandProfile::~CommandProfile() {
    if (m_profile && currentProfile() == m_profile.get())
        setCurrentProfile(nullptr);
}

bool CommandProfile::open(const QString& folder) {
    auto profile = std::make_unique<Profile>();
    QString error;
    if (!profile->open(folder, &error)) {
        std::fprintf(stderr, "vellacord: %s\n", qPrintable(error));
        return false;
    }
    if (!error.isEmpty())
        std::fprintf(stderr, "vellacord: warning: %s\n", qPrintable(error));
    if (profile->foldersGuessed())
        std::fprintf(stderr, "vellacord: warning: %s\n", qPrintable(tx(TextFoldersGuessed)));
    m_profile = std::move(profile);
    setCurrentProfile(m_profile.get());
    return true;
}

} // namespace vc
