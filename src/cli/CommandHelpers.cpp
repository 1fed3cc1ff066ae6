#include "cli/CommandHelpers.h"

#include "app/WorkFile.h"
#include "cache/IndexLoad.h"
#include "cli/Commands.h"
#include "cli/TableOutput.h"
#include "documents/LinesToTable.h"
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

bool canReadInput(const QString& path) {
    QFile probe(path);
    if (!probe.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "vellacord: cannot read %s: %s\n", qPrintable(path),
                     qPrintable(probe.errorString()));
        return false;
    }
    return true;
}

int reportWorkFileFailure(const WorkFile& workFile) {
    std::fprintf(stderr, "vellacord: cannot create the work file %s\n",
                 qPrintable(workFile.fileName()));
    return kExitInput;
}

bool walkIndexForCommand(WorkFile& workFile, const QString& indexFile, const CliOptions& options) {
    WalkOptions walk;
    walk.linearScan = !options.hashWalk;
    if (WalkIndexIntoWorkFile(workFile, indexFile, walk).workFileOpened)
        return true;
    reportWorkFileFailure(workFile);
    return false;
}

int commandStatus(int outputStatus, bool someInputUnreadable) {
    if (outputStatus != kExitOk)
        return outputStatus;
    return someInputUnreadable ? kExitInput : kExitOk;
}

int writeRowLinesTable(QList<QByteArray>& lines, const QString& tableName,
                       std::vector<TableColumn> columns, const CliOptions& options) {
    TableModel table(tableName, std::move(columns));
    LinesToTable(lines, table, nullptr, 100);
    return writeTableOutput(table, options, options.profile);
}

bool openCommandProfile(const QString& folder, Profile& profile) {
    QString error;
    if (!profile.open(folder, &error)) {
        std::fprintf(stderr, "vellacord: %s\n", qPrintable(error));
        return false;
    }
    if (!error.isEmpty())
        std::fprintf(stderr, "vellacord: warning: %s\n", qPrintable(error));
    setCurrentProfile(&profile);
    return true;
}

} // namespace vc
