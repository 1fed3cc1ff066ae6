#pragma once

#include <QByteArray>
#include <QSet>
#include <QString>

#include <initializer_list>

namespace vc {

class BrowserCellTexts;
class BrowserRowWriter;
class SqliteDatabase;
class SqliteRows;

// How reading one database went.
struct BrowserReadOutcome {
    bool hasTable = true; // false: the database lacks the table this reader needs
    QString error;        // why reading stopped before the end; empty when it did not
};

// The readers of the three tables, one per kind of database. Each looks at
// the columns the file's tables have (the browsers added, renamed and
// dropped columns over the years) and fills the cells laid out in
// BrowserColumns.h; a column the file lacks gives empty cells.
BrowserReadOutcome readChromeVisits(SqliteDatabase& database, const BrowserCellTexts& texts,
                                    BrowserRowWriter& writer);
BrowserReadOutcome readFirefoxVisits(SqliteDatabase& database, const BrowserCellTexts& texts,
                                     BrowserRowWriter& writer);
BrowserReadOutcome readChromeDownloads(SqliteDatabase& database, const BrowserCellTexts& texts,
                                       BrowserRowWriter& writer);
BrowserReadOutcome readFirefoxAnnotatedDownloads(SqliteDatabase& database,
                                                 const BrowserCellTexts& texts,
                                                 BrowserRowWriter& writer);
BrowserReadOutcome readFirefoxDownloadsTable(SqliteDatabase& database,
                                             const BrowserCellTexts& texts,
                                             BrowserRowWriter& writer);
BrowserReadOutcome readChromeCookies(SqliteDatabase& database, const BrowserCellTexts& texts,
                                     BrowserRowWriter& writer);
BrowserReadOutcome readFirefoxCookies(SqliteDatabase& database, const BrowserCellTexts& texts,
                                      BrowserRowWriter& writer);

// The SELECT of Chrome's visits as readChromeVisits runs it on a History of
// the current layout (for comparisons with the sqlite3 program).
QByteArray chromeVisitsQuery(const QSet<QByteArray>& visitColumns,
                             const QSet<QByteArray>& urlColumns);

// The integer of a cell as decimal digits appended to out; nothing for NULL.
void appendNumber(const SqliteRows& rows, int column, QByteArray& out);

// "alias.name" when the table has the column, else "NULL": a select list
// that keeps its shape whatever the file's version.
QByteArray columnOrNull(const QSet<QByteArray>& columns, const char* alias, const char* name);

// The select list of several columns of one table, joined by ", ", each as
// columnOrNull gives it; a name "a|b" takes the first of the alternatives the
// table has (a column that was renamed).
QByteArray selectList(const QSet<QByteArray>& columns, const char* alias,
                      std::initializer_list<const char*> names);

// " ORDER BY alias.id" when the table has an id column (the order the rows
// were written in), else nothing.
QByteArray orderById(const QSet<QByteArray>& columns, const char* alias);

} // namespace vc
