#include "browsers/BrowserLoad.h"

#include "browsers/BrowserCells.h"
#include "browsers/BrowserColumns.h"
#include "browsers/BrowserReaders.h"
#include "browsers/BrowserRowWriter.h"
#include "browsers/DatabaseCopy.h"
#include "browsers/SqliteReader.h"
#include "cache/IndexLoad.h"
#include "evidence/EvidenceFiles.h"
#include "language/InterfaceTexts.h"
#include "platform/LoadContext.h"
#include "platform/Progress.h"
#include "platform/Reporter.h"
#include "tables/TableModel.h"

namespace vc {

namespace {

using Reader = BrowserReadOutcome (*)(SqliteDatabase&, const BrowserCellTexts&, BrowserRowWriter&);

Reader readerFor(BrowserDatabaseKind kind, BrowserTable table) {
    switch (table) {
    case BrowserTable::History:
        if (kind == BrowserDatabaseKind::ChromeHistory)
            return readChromeVisits;
        if (kind == BrowserDatabaseKind::FirefoxPlaces)
            return readFirefoxVisits;
        break;
    case BrowserTable::Downloads:
        if (kind == BrowserDatabaseKind::ChromeHistory)
            return readChromeDownloads;
        if (kind == BrowserDatabaseKind::FirefoxPlaces)
            return readFirefoxAnnotatedDownloads;
        if (kind == BrowserDatabaseKind::FirefoxDownloads)
            return readFirefoxDownloadsTable;
        break;
    case BrowserTable::Cookies:
        if (kind == BrowserDatabaseKind::ChromeCookies)
            return readChromeCookies;
        if (kind == BrowserDatabaseKind::FirefoxCookies)
            return readFirefoxCookies;
        break;
    }
    return nullptr;
}

// "text:", a line break, the file, and what went wrong on the next line.
QString reportText(int text, const QString& path, const QString& detail) {
    QString message = tx(text) + QStringLiteral(":\n") + path;
    if (!detail.isEmpty())
        message += QLatin1Char('\n') + detail;
    return message;
}

// Reads one database; false when it could be read only in part or not at all.
// A database SQLite finds damaged is named as damaged (an error, after the
// rows that could be read), whether the damage stopped the rows or hid the
// table itself; one without the table is a warning.
bool readDatabase(const BrowserDatabase& database, Reader reader, const BrowserCellTexts& texts,
                  BrowserRowWriter& writer, Reporter* report) {
    DatabaseCopy copy;
    QString error;
    const bool made =
        database.files ? copy.make(*database.files, EvidenceFiles::pathBytes(database.path), &error)
                       : copy.make(database.path, &error);
    if (!made) {
        if (report)
            report->error(reportText(TextDatabaseUnreadable, database.path, error));
        return false;
    }
    SqliteDatabase sqlite;
    if (!sqlite.open(copy.path(), copy.size(), &error)) {
        if (report)
            report->error(reportText(TextDatabaseUnreadable, database.path, error));
        return false;
    }
    writer.setSource(database, copy.readFrom());
    const BrowserReadOutcome outcome = reader(sqlite, texts, writer);
    if (!sqlite.damage().isEmpty()) {
        QStringList problems{sqlite.damage()};
        if (!outcome.error.isEmpty() && outcome.error != sqlite.damage())
            problems << outcome.error;
        if (report)
            report->error(
                reportText(TextDatabaseDamaged, database.path, problems.join(QLatin1Char('\n'))));
        return false;
    }
    if (!outcome.hasTable) {
        if (!sqlite.lookupError().isEmpty()) {
            if (report)
                report->error(
                    reportText(TextDatabasePartlyRead, database.path, sqlite.lookupError()));
        } else if (report) {
            report->warning(reportText(TextDatabaseWithoutTable, database.path, QString()));
        }
        return false;
    }
    if (!outcome.error.isEmpty()) {
        if (report)
            report->error(reportText(TextDatabasePartlyRead, database.path, outcome.error));
        return false;
    }
    return true;
}

} // namespace

bool servesTable(BrowserDatabaseKind kind, BrowserTable table) {
    return readerFor(kind, table) != nullptr;
}

BrowserLoadResult loadBrowserTable(BrowserTable table, const QList<BrowserDatabase>& databases,
                                   const LoadContext& context, RowSink& sink) {
    QList<BrowserDatabase> sources;
    for (const BrowserDatabase& database : databases)
        if (servesTable(database.kind, table))
            sources.append(database);

    BrowserLoadResult result;
    result.databases = int(sources.size());
    const BrowserCellTexts texts;
    BrowserRowWriter writer(sink, context.filter, browserTableColumns(table),
                            browserAccessTimeColumn(table));
    const int start = progressStart(context.progress);
    for (qsizetype i = 0; i < sources.size(); ++i) {
        const BrowserDatabase& database = sources[i];
        if (!readDatabase(database, readerFor(database.kind, table), texts, writer, context.report))
            ++result.failures;
        context.noteInputRead();
        if (context.progress)
            context.progress->raiseTo(start + int(context.share * (i + 1) / sources.size()));
    }
    if (context.progress)
        context.progress->raiseTo(start + context.share);
    result.rows = writer.rows();
    return result;
}

BrowserLoadResult loadBrowserHistory(const UserProfile& profile, const LoadContext& context,
                                     RowSink& sink) {
    return loadBrowserTable(BrowserTable::History, findBrowserDatabases(profile), context, sink);
}

BrowserLoadResult loadBrowserDownloads(const UserProfile& profile, const LoadContext& context,
                                       RowSink& sink) {
    return loadBrowserTable(BrowserTable::Downloads, findBrowserDatabases(profile), context, sink);
}

BrowserLoadResult loadBrowserCookies(const UserProfile& profile, const LoadContext& context,
                                     RowSink& sink) {
    return loadBrowserTable(BrowserTable::Cookies, findBrowserDatabases(profile), context, sink);
}

BrowserLoadResult fillBrowserTable(BrowserTable table, const UserProfile* profile,
                                   const LoadContext& context, TableModel& model) {
    BulkUpdate bulk(model);
    model.clearRows();
    if (!profile) {
        if (context.progress)
            context.progress->raiseTo(progressStart(context.progress) + context.share);
        return {};
    }
    return loadBrowserTable(table, findBrowserDatabases(*profile), context, model);
}

} // namespace vc
