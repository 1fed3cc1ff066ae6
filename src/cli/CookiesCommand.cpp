// vellacord cookies FOLDER [--text-files] [--hash-walk]
#include "app/TableColumns.h"
#include "app/WorkFile.h"
#include "cache/CookieTable.h"
#include "cache/CookieTextFile.h"
#include "cache/IndexLoad.h"
#include "cli/Commands.h"
#include "cli/TableOutput.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace vc {

int runCookiesCommand(const CliOptions& options) {
    if (options.positional.size() != 1) {
        std::fprintf(stderr, "vellacord: cookies needs one FOLDER\n%s", qPrintable(usageText()));
        return kExitUsage;
    }
    const QString folder = options.positional.constFirst();
    if (!QFileInfo(folder).isDir()) {
        std::fprintf(stderr, "vellacord: %s is not a folder\n", qPrintable(folder));
        return kExitInput;
    }
    WorkFile workFile;
    TableModel table(QStringLiteral("ieC_ListView"), cookieColumns());
    bool unreadable = false;
    table.beginBulkUpdate();

    // The cookie text files first, then the rows of the folder's index, as
    // the whole-computer recall reads them.
    if (options.textFiles) {
        const QStringList names = ListCookieTextFiles(folder);
        if (!names.isEmpty()) {
            if (!workFile.createOrEmpty()) {
                std::fprintf(stderr, "vellacord: cannot create the work file %s\n",
                             qPrintable(workFile.fileName()));
                return kExitInput;
            }
            const QDir dir(folder);
            for (const QString& name : names)
                if (!ReadCookieFile(dir.filePath(name), QFile::encodeName(name),
                                    *workFile.device()))
                    unreadable = true;
            workFile.close();
            FillCookieRowsFromFiles(workFile.readLines(), table, nullptr, 40);
        }
    }

    const QString indexFile = FindCookieIndexFile(folder);
    if (!indexFile.isEmpty()) {
        QFile probe(indexFile);
        if (!probe.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "vellacord: cannot read %s: %s\n", qPrintable(indexFile),
                         qPrintable(probe.errorString()));
            unreadable = true;
        } else {
            probe.close();
            WalkOptions walk;
            walk.linearScan = !options.hashWalk;
            const IndexLoadResult load = WalkIndexIntoWorkFile(workFile, indexFile, walk);
            if (!load.workFileOpened) {
                std::fprintf(stderr, "vellacord: cannot create the work file %s\n",
                             qPrintable(workFile.fileName()));
                return kExitInput;
            }
            QStringList fileNames;
            FillCookieRowsFromIndex(workFile.readLines(), table, fileNames, nullptr, 10);
        }
    }
    table.endBulkUpdate();
    const int status = writeTableOutput(table, options, folder);
    return status != kExitOk ? status : (unreadable ? kExitInput : kExitOk);
}

} // namespace vc
