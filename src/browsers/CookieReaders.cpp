#include "browsers/BrowserCells.h"
#include "browsers/BrowserColumns.h"
#include "browsers/BrowserReaders.h"
#include "browsers/BrowserRowWriter.h"
#include "browsers/SqliteReader.h"

namespace vc {

namespace {

// Firefox wrote cookie expiry times in seconds since 1970; newer versions
// write milliseconds. A number of seconds this large would lie past the
// year 5000, so it is read as milliseconds.
constexpr qint64 kLargestExpirySeconds = 100000000000LL;

// Select list of both readers: host, name, value, encrypted value, path,
// created, expires, last accessed, secure, HTTP only.
void readCookieRows(SqliteDatabase& database, const QByteArray& sql, bool chrome,
                    const BrowserCellTexts& texts, BrowserRowWriter& writer, QString* error) {
    SqliteRows rows(database, sql);
    while (rows.next()) {
        rows.appendBytes(0, writer.cell(kCookieHost));
        rows.appendBytes(1, writer.cell(kCookieName));
        QByteArray& value = writer.cell(kCookieValue);
        rows.appendBytes(2, value);
        // Since 2014 Chrome keeps the value encrypted by Windows (DPAPI, or
        // AES with a DPAPI-protected key behind "v10"/"v11") and leaves the
        // plain column empty: the value cannot be read here, only its size.
        if (value.isEmpty() && rows.size(3) > 0)
            value = texts.encryptedValue(rows.size(3));
        rows.appendBytes(4, writer.cell(kCookiePath));
        for (int c = 5; c <= 7; ++c) {
            if (rows.isNull(c))
                continue;
            const qint64 time = rows.integer(c);
            QByteArray& cell = writer.cell(kCookieCreated + (c - 5));
            if (chrome)
                appendChromeTime(time, cell);
            else if (c != 6)
                appendUnixMicroseconds(time, cell);
            else if (time > kLargestExpirySeconds)
                appendUnixMilliseconds(time, cell);
            else
                appendUnixSeconds(time, cell);
        }
        writer.cell(kCookieFlags) = texts.cookieFlags(rows.integer(8) != 0, rows.integer(9) != 0);
        writer.write();
    }
    *error = rows.error();
}

} // namespace

BrowserReadOutcome readChromeCookies(SqliteDatabase& database, const BrowserCellTexts& texts,
                                     BrowserRowWriter& writer) {
    const QSet<QByteArray> c = database.columns("cookies");
    if (c.isEmpty())
        return {false, QString()};
    const QByteArray sql =
        "SELECT " +
        selectList(c, "c",
                   {"host_key", "name", "value", "encrypted_value", "path", "creation_utc",
                    "expires_utc", "last_access_utc", "is_secure|secure", "is_httponly|httponly"}) +
        " FROM cookies c";
    BrowserReadOutcome outcome;
    readCookieRows(database, sql, true, texts, writer, &outcome.error);
    return outcome;
}

BrowserReadOutcome readFirefoxCookies(SqliteDatabase& database, const BrowserCellTexts& texts,
                                      BrowserRowWriter& writer) {
    const QSet<QByteArray> c = database.columns("moz_cookies");
    if (c.isEmpty())
        return {false, QString()};
    // Firefox never encrypted cookie values: it has no such column.
    const QByteArray sql =
        "SELECT " +
        selectList(c, "c",
                   {"host", "name", "value", "encrypted_value", "path", "creationTime", "expiry",
                    "lastAccessed", "isSecure", "isHttpOnly"}) +
        " FROM moz_cookies c";
    BrowserReadOutcome outcome;
    readCookieRows(database, sql, false, texts, writer, &outcome.error);
    return outcome;
}

} // namespace vc
