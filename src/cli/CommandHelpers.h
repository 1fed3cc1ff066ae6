#pragma once

#include "cli/CommandLine.h"
#include "tables/TableModel.h"

#include <QByteArray>
#include <QList>

#include <vector>

namespace vc {

class WorkFile;

// Checks that the sub-command's one positional argument is an existing
// folder. kExitOk, or the exit status after the problem is named on stderr.
int checkFolderArgument(const CliOptions& options, const char* command);

// True when path opens for reading; otherwise prints
// "vellacord: cannot read PATH: reason" and gives false.
bool canReadInput(const QString& path);

// Prints "vellacord: cannot create the work file PATH"; gives kExitInput.
int reportWorkFileFailure(const WorkFile& workFile);

// Walks one index file into the work file, block by block or along its hash
// tables with --hash-walk. False after reportWorkFileFailure when the work
// file cannot be created.
bool walkIndexForCommand(WorkFile& workFile, const QString& indexFile, const CliOptions& options);

// The exit status of a run that got as far as writing its table: the
// output's own failure first, then kExitInput when some input was unreadable.
int commandStatus(int outputStatus, bool someInputUnreadable);

// Row lines (emptied) into a new table of that name and columns, written
// where the options say with the profile folder as title; the exit status.
int writeRowLinesTable(QList<QByteArray>& lines, const QString& tableName,
                       std::vector<TableColumn> columns, const CliOptions& options);

} // namespace vc
