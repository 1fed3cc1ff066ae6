// vellacord activity INDEX_FILE [--hash-walk]
#include "app/TableColumns.h"
#include "app/WorkFile.h"
#include "cache/ActivityTable.h"
#include "cache/IndexLoad.h"
#include "cli/CommandHelpers.h"
#include "cli/Commands.h"
#include "cli/TableOutput.h"

#include <QFile>

#include <cstdio>

namespace vc {

int runActivityCommand(const CliOptions& options) {
    if (options.positional.size() != 1) {
        std::fprintf(stderr, "vellacord: activity needs one INDEX_FILE\n%s",
                     qPrintable(usageText()));
        return kExitUsage;
    }
    const QString indexFile = options.positional.constFirst();
    if (!canReadInput(indexFile))
        return kExitInput;

    WorkFile workFile;
    if (!walkIndexForCommand(workFile, indexFile, options))
        return kExitInput;
    TableModel table(QStringLiteral("ListView1"), activityColumns());
    if (!options.xmlFile.isEmpty()) {
        table.beginBulkUpdate();
        FillActivityRows(workFile.readLines(), table, nullptr, 50);
        table.endBulkUpdate();
        return writeTableOutput(table, options, indexFile);
    }
    // Tab-delimited output streams the work file line by line.
    TabRowStream out;
    if (!out.open(options))
        return kExitInput;
    out.writeHeader(table);
    QFile lines(workFile.fileName());
    if (!lines.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "vellacord: cannot read the work file %s\n",
                     qPrintable(workFile.fileName()));
        return kExitInput;
    }
    QByteArray line;
    while (!(line = lines.readLine()).isEmpty()) {
        if (line.endsWith('\n'))
            line.chop(1);
        if (line.endsWith('\r'))
            line.chop(1);
        out.writeRow(ActivityRowCells(line), table.columns());
    }
    return out.finish();
}

} // namespace vc
