// vellacord cookies FOLDER [--text-files] [--hash-walk]
#include "app/TableColumns.h"
#include "app/WorkFile.h"
#include "cache/CookieTable.h"
#include "cache/CookieTextFile.h"
#include "cli/CommandHelpers.h"
#include "cli/Commands.h"
#include "cli/TableOutput.h"

#include <QDir>
#include <QFile>

namespace vc {

int runCookiesCommand(const CliOptions& options) {
    if (const int status = checkFolderArgument(options, "cookies"); status != kExitOk)
        return status;
    const QString folder = options.positional.constFirst();
    WorkFile workFile;
    TableModel table(QStringLiteral("ieC_ListView"), cookieColumns());
    bool unreadable = false;
    table.beginBulkUpdate();

    // The cookie text files first, then the rows of the folder's index, as
    // the whole-computer recall reads them.
    if (options.textFiles) {
        const QStringList names = ListCookieTextFiles(folder);
        if (!names.isEmpty()) {
            if (!workFile.createOrEmpty())
                return reportWorkFileFailure(workFile);
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
        if (!canReadInput(indexFile)) {
            unreadable = true;
        } else {
            if (!walkIndexForCommand(workFile, indexFile, options))
                return kExitInput;
            QStringList fileNames;
            FillCookieRowsFromIndex(workFile.readLines(), table, fileNames, nullptr, 10);
        }
    }
    table.endBulkUpdate();
    return commandStatus(writeTableOutput(table, options, folder), unreadable);
}

} // namespace vc
