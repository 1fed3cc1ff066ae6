// vellacord SOURCE (--profile DIR | --volume DIR [--user NAME]... | --image FILE |
//                   --this-computer)
// Any source of the catalogue with a sub-command of its name: its table of
// every user of the evidence.
#include "cli/SourceCommand.h"

#include "cli/CommandHelpers.h"
#include "cli/TableOutput.h"
#include "evidence/Machine.h"
#include "platform/WorkFile.h"

#include <cstdio>

namespace vc {

int runSourceCommand(const CliOptions& options, const SourceSpec& decl) {
    const bool evidence = CommandEvidence::given(options);
    // The temporary files alone may be read without evidence: this
    // computer's own temporary folder.
    const bool thisComputer = !evidence && QLatin1String(decl.name) == QLatin1String("temp");
    if (!options.positional.isEmpty() || (!evidence && !thisComputer)) {
        std::fprintf(
            stderr,
            "vellacord: %s needs --profile DIR, --volume DIR, --image FILE or --this-computer\n%s",
            decl.command, qPrintable(usageText()));
        return kExitUsage;
    }
    CommandEvidence machine;
    if (evidence && !machine.open(options))
        return kExitInput;
    CommandContext context;
    WorkFile workFile;
    const std::unique_ptr<TableModel> table = makeSourceTable(
        decl, hasSnapshotColumn(machine.machine()), hasDeletedColumn(decl, machine.machine()));
    QString title = machine.title();
    bool loaded = true;
    const auto load = [&](RowSink& rows) {
        SourceInput input;
        input.machine = machine.machine();
        input.workFile = &workFile;
        input.linearScan = !options.hashWalk;
        input.fullHistory = options.full;
        const MachineLoad done = loadFromMachine(decl, input, context.load(), rows);
        if (machine.machine() && machine.machine()->users().size() == 1)
            for (const SourceOutcome& outcome : done.outcomes)
                if (!outcome.title.isEmpty()) {
                    title = outcome.title;
                    break;
                }
        loaded = done.loaded;
        for (const QString& line : snapshotSummary(machine.machine(), done))
            std::fprintf(stderr, "vellacord: %s\n", qPrintable(line));
        return loaded;
    };
    int status = kExitOk;
    if (!options.xmlFile.isEmpty()) {
        // Into the table, which is then written whole under its title.
        load(*table);
        if (!loaded)
            return kExitInput;
        status = writeTableOutput(*table, options, title);
    } else {
        // Tab-delimited: each row written as it comes, so a large source
        // never sits in memory as a whole table.
        TabRowStream out;
        if (!out.open(options))
            return kExitInput;
        out.writeHeader(*table);
        load(out);
        // A source that could not be read is reported and writes nothing
        // (what is still waiting in the stream is dropped).
        if (!loaded)
            return kExitInput;
        status = out.finish();
    }
    // A file that could not be read at all was named on stderr; the table
    // holds everything else.
    return commandStatus(status, context.failed());
}

} // namespace vc
