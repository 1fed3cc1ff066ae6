#pragma once

#include "browsers/BrowserColumns.h"
#include "browsers/BrowserSources.h"

#include <QList>

namespace vc {

class UserProfile;
class RowSink;
class TableModel;
struct LoadContext;

// What a load of one table came to.
struct BrowserLoadResult {
    int rows = 0;      // rows delivered to the sink (after the row filter)
    int databases = 0; // databases that serve the table
    int failures = 0;  // of those, the ones read only in part or not at all
};

// Loads one table from every database of the profile that serves it
// (findBrowserDatabases): History from Chrome's and Edge's "History" and
// Firefox's places.sqlite, one row per visit; Downloads from "History",
// places.sqlite (annotations) and downloads.sqlite; Cookies from the cookie
// databases. Each database is read from a private copy taken with its
// write-ahead log (DatabaseCopy), so no file of the profile is opened by
// SQLite or changed. A database that cannot be copied or opened, or that
// breaks off (truncated, corrupt), gives the rows that could be read and a
// report naming the file; one without the expected table gives a warning.
// Every row is offered to the context's filter with its whole text (cells
// joined by single spaces) and its date: the visit time, the download's
// start, the cookie's last access. The context's progress bar moves over
// its share as the databases are done. The cells are UTF-8 text, apart from
// the date cells, which are the program's time texts.
BrowserLoadResult loadBrowserHistory(const UserProfile& profile, const LoadContext& context,
                                     RowSink& sink);
BrowserLoadResult loadBrowserDownloads(const UserProfile& profile, const LoadContext& context,
                                       RowSink& sink);
BrowserLoadResult loadBrowserCookies(const UserProfile& profile, const LoadContext& context,
                                     RowSink& sink);

// The same for a given list of databases; those that do not serve the
// table are passed over.
BrowserLoadResult loadBrowserTable(BrowserTable table, const QList<BrowserDatabase>& databases,
                                   const LoadContext& context, RowSink& sink);

// Fills a table of the program with one of the tables of the profile, in
// place of its rows (sort marks and hint gone too) and in one bulk update:
// the window's tab and the recall's section. Without a profile the table is
// left empty.
BrowserLoadResult fillBrowserTable(BrowserTable table, const UserProfile* profile,
                                   const LoadContext& context, TableModel& model);

// True when a database of this kind serves the table.
bool servesTable(BrowserDatabaseKind kind, BrowserTable table);

} // namespace vc
