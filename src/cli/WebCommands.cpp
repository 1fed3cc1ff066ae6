// vellacord web-history|web-downloads|web-cookies --profile DIR
#include "browsers/BrowserLoad.h"
#include "cli/CommandHelpers.h"
#include "cli/Commands.h"
#include "cli/TableOutput.h"
#include "platform/Profile.h"

namespace vc {

namespace {

// One of the browser tables of the profile: into a table for --xml, else
// streamed row by row (a history of a million visits never sits in memory
// as a whole). Exit status 1 when a database could not be read or was read
// only in part; the report on standard error names it.
int runWebCommand(const CliOptions& options, BrowserTable which, const char* command) {
    if (const int status = checkProfileArgument(options, command); status != kExitOk)
        return status;
    CommandProfile profile;
    if (!profile.open(options.profile))
        return kExitInput;
    CommandContext context;
    const std::unique_ptr<TableModel> table = makeBrowserTable(which);
    const QList<BrowserDatabase> databases = findBrowserDatabases(*currentProfile());
    if (!options.xmlFile.isEmpty()) {
        loadBrowserTable(which, databases, context.load(), *table);
        return commandStatus(writeTableOutput(*table, options, options.profile), context.failed());
    }
    TabRowStream out;
    if (!out.open(options))
        return kExitInput;
    out.writeHeader(*table);
    loadBrowserTable(which, databases, context.load(), out);
    return commandStatus(out.finish(), context.failed());
}

} // namespace

int runWebHistoryCommand(const CliOptions& options) {
    return runWebCommand(options, BrowserTable::History, "web-history");
}

int runWebDownloadsCommand(const CliOptions& options) {
    return runWebCommand(options, BrowserTable::Downloads, "web-downloads");
}

int runWebCookiesCommand(const CliOptions& options) {
    return runWebCommand(options, BrowserTable::Cookies, "web-cookies");
}

} // namespace vc
