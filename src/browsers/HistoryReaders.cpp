#include "browsers/BrowserCells.h"
#include "browsers/BrowserColumns.h"
#include "browsers/BrowserReaders.h"
#include "browsers/BrowserRowWriter.h"
#include "browsers/SqliteReader.h"

#include <charconv>

namespace vc {

namespace {

// One visit per row: the visits table with the address row it points to
// (kept when the address row is gone), in the order the visits were written.
// Select list: url, title, visit time, visit count, typed count, transition.
BrowserReadOutcome readVisits(SqliteDatabase& database, const QByteArray& sql, bool chrome,
                              const BrowserCellTexts& texts, BrowserRowWriter& writer) {
    SqliteRows rows(database, sql);
    while (rows.next()) {
        rows.appendBytes(0, writer.cell(kHistoryUrl));
        rows.appendBytes(1, writer.cell(kHistoryTitle));
        if (!rows.isNull(2)) {
            if (chrome)
                appendChromeTime(rows.integer(2), writer.cell(kHistoryVisitTime));
            else
                appendUnixMicroseconds(rows.integer(2), writer.cell(kHistoryVisitTime));
        }
        appendNumber(rows, 3, writer.cell(kHistoryVisitCount));
        appendNumber(rows, 4, writer.cell(kHistoryTypedCount));
        if (!rows.isNull(5))
            writer.cell(kHistoryTransition) = chrome ? texts.chromeTransition(rows.integer(5))
                                                     : texts.firefoxVisitType(rows.integer(5));
        writer.write();
    }
    return {true, rows.error()};
}

QByteArray visitsQuery(const QSet<QByteArray>& visits, const QSet<QByteArray>& pages,
                       const char* visitsTable, const char* pagesTable, const char* pageKey,
                       const char* visitTime, const char* typed, const char* transition) {
    QByteArray sql =
        "SELECT " + columnOrNull(pages, "p", "url") + ", " + columnOrNull(pages, "p", "title") +
        ", " + columnOrNull(visits, "v", visitTime) + ", " +
        columnOrNull(pages, "p", "visit_count") + ", " + columnOrNull(pages, "p", typed) + ", " +
        columnOrNull(visits, "v", transition) + " FROM " + visitsTable + " v";
    if (!pages.isEmpty() && visits.contains(pageKey))
        sql += QByteArray(" LEFT JOIN ") + pagesTable + " p ON p.id = v." + pageKey;
    return sql + orderById(visits, "v");
}

} // namespace

void appendNumber(const SqliteRows& rows, int column, QByteArray& out) {
    if (rows.isNull(column))
        return;
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, rows.integer(column)).ptr;
    out.append(digits, end - digits);
}

QByteArray columnOrNull(const QSet<QByteArray>& columns, const char* alias, const char* name) {
    if (!columns.contains(QByteArray(name).toLower()))
        return QByteArrayLiteral("NULL");
    return QByteArray(alias) + '.' + name;
}

QByteArray selectList(const QSet<QByteArray>& columns, const char* alias,
                      std::initializer_list<const char*> names) {
    QByteArrayList items;
    for (const char* name : names) {
        const QByteArrayList alternatives = QByteArray(name).split('|');
        QByteArray item = QByteArrayLiteral("NULL");
        for (const QByteArray& alternative : alternatives) {
            if (columns.contains(alternative.toLower())) {
                item = QByteArray(alias) + '.' + alternative;
                break;
            }
        }
        items << item;
    }
    return items.join(", ");
}

QByteArray orderById(const QSet<QByteArray>& columns, const char* alias) {
    return columns.contains("id") ? QByteArray(" ORDER BY ") + alias + ".id" : QByteArray();
}

QByteArray chromeVisitsQuery(const QSet<QByteArray>& visitColumns,
                             const QSet<QByteArray>& urlColumns) {
    return visitsQuery(visitColumns, urlColumns, "visits", "urls", "url", "visit_time",
                       "typed_count", "transition");
}

BrowserReadOutcome readChromeVisits(SqliteDatabase& database, const BrowserCellTexts& texts,
                                    BrowserRowWriter& writer) {
    const QSet<QByteArray> visits = database.columns("visits");
    if (visits.isEmpty())
        return {false, QString()};
    return readVisits(database, chromeVisitsQuery(visits, database.columns("urls")), true, texts,
                      writer);
}

BrowserReadOutcome readFirefoxVisits(SqliteDatabase& database, const BrowserCellTexts& texts,
                                     BrowserRowWriter& writer) {
    const QSet<QByteArray> visits = database.columns("moz_historyvisits");
    if (visits.isEmpty())
        return {false, QString()};
    const QByteArray sql =
        visitsQuery(visits, database.columns("moz_places"), "moz_historyvisits", "moz_places",
                    "place_id", "visit_date", "typed", "visit_type");
    return readVisits(database, sql, false, texts, writer);
}

} // namespace vc
