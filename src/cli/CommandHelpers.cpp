#include "cli/CommandHelpers.h"

#include "evidence/Machine.h"
#include "evidence/image/ImageMachine.h"
#include "language/InterfaceTexts.h"
#include "thiscomputer/ThisComputer.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace vc {

int usageError(const QString& text) {
    std::fprintf(stderr, "vellacord: %s\n%s", qPrintable(text), qPrintable(usageText()));
    return kExitUsage;
}

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

CommandEvidence::CommandEvidence() = default;
CommandEvidence::~CommandEvidence() = default;

bool CommandEvidence::given(const CliOptions& options) {
    return !options.profile.isEmpty() || !options.volume.isEmpty() || !options.image.isEmpty() ||
           options.thisComputer;
}

bool CommandEvidence::open(const CliOptions& options) {
    // The evidence as the command line named it.
    m_given = !options.profile.isEmpty() ? options.profile
              : !options.image.isEmpty() ? options.image
                                         : options.volume;
    QString error;
    if (options.thisComputer) {
        m_machine = openThisComputer();
        m_given = m_machine->description();
        if (m_machine->users().empty())
            std::fprintf(stderr, "vellacord: warning: %s:\n%s\n",
                         qPrintable(tx(TextNoHomeReadable)),
                         qPrintable(thisComputerPlaces().currentHome));
    } else if (!options.image.isEmpty()) {
        m_machine = openImageMachine(options.image, options.partition.toInt(), options.users,
                                     options.snapshots, &error);
    } else if (!options.volume.isEmpty())
        m_machine = Machine::openVolume(options.volume, options.users, &error);
    else
        m_machine = Machine::openProfile(options.profile, &error);
    if (!m_machine) {
        std::fprintf(stderr, "vellacord: %s\n", qPrintable(error));
        return false;
    }
    for (const QString& message : m_machine->messages())
        std::fprintf(stderr, "vellacord: warning: %s\n", qPrintable(message));
    if (options.snapshots && m_machine->snapshots().empty())
        std::fprintf(stderr, "vellacord: warning: %s: %s\n", qPrintable(m_machine->description()),
                     qPrintable(tx(TextNoShadowCopies)));
    const bool alone = m_machine->kind() == Machine::Kind::Profile;
    for (const auto& user : m_machine->users()) {
        if (!user->foldersGuessed())
            continue;
        if (alone)
            std::fprintf(stderr, "vellacord: warning: %s\n", qPrintable(tx(TextFoldersGuessed)));
        else
            std::fprintf(stderr, "vellacord: warning: %s: %s\n", qPrintable(user->folder()),
                         qPrintable(tx(TextFoldersGuessed)));
    }
    const QString zone = options.utc ? QStringLiteral("utc") : options.timeZone;
    if (zone.isEmpty() || zone.compare(QLatin1String("machine"), Qt::CaseInsensitive) == 0) {
        if (!showTimesInZoneOf(*m_machine) && !zone.isEmpty())
            std::fprintf(stderr, "vellacord: warning: %s\n",
                         qPrintable(QStringLiteral("the evidence names no time zone; "
                                                   "times are shown in local time")));
    }
    return true;
}

QString CommandEvidence::title() const {
    return m_given;
}

} // namespace vc
