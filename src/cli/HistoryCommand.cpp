// vellacord history FOLDER [--full] [--hash-walk]
#include "app/TableColumns.h"
#include "app/WorkFile.h"
#include "cache/HistoryIndexSearch.h"
#include "cache/HistoryTable.h"
#include "cache/IndexLoad.h"
#include "cli/Commands.h"
#include "cli/TableOutput.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace vc {

int runHistoryCommand(const CliOptions& options) {
    if (options.positional.size() != 1) {
        std::fprintf(stderr, "vellacord: history needs one FOLDER\n%s", qPrintable(usageText()));
        return kExitUsage;
    }
    const QString folder = options.positional.constFirst();
    if (!QFileInfo(folder).isDir()) {
        std::fprintf(stderr, "vellacord: %s is not a folder\n", qPrintable(folder));
        return kExitInput;
    }
    QStringList indexFiles;
    FindIndexFiles(indexFiles, folder);
    // Without --full only the first index file found is read, as the
    // window does with "Full history" unchecked.
    if (!options.full && indexFiles.size() > 1)
        indexFiles = indexFiles.mid(0, 1);

    WorkFile workFile;
    TableModel table(QStringLiteral("ieH_ListView"), historyColumns());
    bool unreadable = false;
    table.beginBulkUpdate();
    for (const QString& indexFile : indexFiles) {
        QFile probe(indexFile);
        if (!probe.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "vellacord: cannot read %s: %s\n", qPrintable(indexFile),
                         qPrintable(probe.errorString()));
            unreadable = true;
            continue;
        }
        probe.close();
        WalkOptions walk;
        walk.linearScan = !options.hashWalk;
        const IndexLoadResult load = WalkIndexIntoWorkFile(workFile, indexFile, walk);
        if (!load.workFileOpened) {
            std::fprintf(stderr, "vellacord: cannot create the work file %s\n",
                         qPrintable(workFile.fileName()));
            return kExitInput;
        }
        FillHistoryRows(workFile.readLines(), table, nullptr, 25);
    }
    table.endBulkUpdate();
    const int status = writeTableOutput(table, options, folder);
    return status != kExitOk ? status : (unreadable ? kExitInput : kExitOk);
}

} // namespace vc
