#include "browsers/BrowserCells.h"
#include "browsers/BrowserColumns.h"
#include "browsers/BrowserReaders.h"
#include "browsers/BrowserRowWriter.h"
#include "browsers/SqliteReader.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace vc {

namespace {

// Firefox's download annotations: where the file went, and a small JSON
// object with the state, end time (milliseconds since 1970) and size.
const char* const kDestinationAnnotation = "downloads/destinationFileURI";
const char* const kMetaDataAnnotation = "downloads/metaData";
// Firefox writes a few dozen bytes of metadata; anything far larger is not
// its own and is not parsed.
constexpr int kMaxMetaDataBytes = 64 * 1024;
// Firefox's state of a finished download.
constexpr int kFirefoxFinished = 1;

} // namespace

// Chrome's downloads table. The layout of 2013 (History version 24 on)
// holds target_path, current_path and end_time, counts in microseconds since
// 1601 and keeps the addresses in downloads_url_chains (the last link of
// the chain is the address the file came from). The older layout holds
// full_path and url and counts start_time in seconds since 1970.
BrowserReadOutcome readChromeDownloads(SqliteDatabase& database, const BrowserCellTexts& texts,
                                       BrowserRowWriter& writer) {
    const QSet<QByteArray> d = database.columns("downloads");
    if (d.isEmpty())
        return {false, QString()};
    const bool newLayout =
        d.contains("target_path") || d.contains("current_path") || d.contains("end_time");
    const QSet<QByteArray> chains = database.columns("downloads_url_chains");
    const QByteArray chainUrl =
        chains.contains("id") && chains.contains("url") && chains.contains("chain_index")
            ? QByteArrayLiteral("(SELECT c.url FROM downloads_url_chains c WHERE c.id = d.id "
                                "ORDER BY c.chain_index DESC LIMIT 1)")
            : QByteArrayLiteral("NULL");
    const QByteArray sql =
        "SELECT " + chainUrl + ", " +
        selectList(d, "d",
                   {"url", "target_path", "current_path", "full_path", "start_time", "end_time",
                    "received_bytes", "total_bytes", "state"}) +
        " FROM downloads d" + orderById(d, "d");

    SqliteRows rows(database, sql);
    while (rows.next()) {
        QByteArray& url = writer.cell(kDownloadUrl);
        rows.appendBytes(0, url);
        if (url.isEmpty())
            rows.appendBytes(1, url);
        // The final name, else where the file lay while it came in.
        QByteArray& target = writer.cell(kDownloadTargetPath);
        for (int c = 2; c <= 4 && target.isEmpty(); ++c)
            rows.appendBytes(c, target);
        for (int c = 5; c <= 6; ++c) {
            if (rows.isNull(c))
                continue;
            QByteArray& cell = writer.cell(c == 5 ? kDownloadStartTime : kDownloadEndTime);
            if (newLayout)
                appendChromeTime(rows.integer(c), cell);
            else
                appendUnixSeconds(rows.integer(c), cell);
        }
        appendNumber(rows, 7, writer.cell(kDownloadReceivedBytes));
        appendNumber(rows, 8, writer.cell(kDownloadTotalBytes));
        if (!rows.isNull(9))
            writer.cell(kDownloadState) = texts.chromeDownloadState(rows.integer(9), !newLayout);
        writer.write();
    }
    return {true, rows.error()};
}

// Downloads that Firefox (version 26 on) keeps in places.sqlite: the
// destination annotation of a page names the file, its time of writing is
// the start, and the metadata annotation of the same page adds the state,
// the end time and the size. The size is the file's size once finished:
// it fills the total, and the received bytes of a finished download.
// A places.sqlite without these annotations simply has no downloads.
BrowserReadOutcome readFirefoxAnnotatedDownloads(SqliteDatabase& database,
                                                 const BrowserCellTexts& texts,
                                                 BrowserRowWriter& writer) {
    const QSet<QByteArray> annos = database.columns("moz_annos");
    const QSet<QByteArray> names = database.columns("moz_anno_attributes");
    const QSet<QByteArray> places = database.columns("moz_places");
    if (!annos.contains("place_id") || !annos.contains("anno_attribute_id") ||
        !annos.contains("content") || !names.contains("id") || !names.contains("name"))
        return {true, QString()};
    QByteArray sql =
        "SELECT " + columnOrNull(places, "p", "url") + ", d.content, " +
        columnOrNull(annos, "d", "dateAdded") +
        ", m.content FROM moz_annos d JOIN moz_anno_attributes a ON a.id = d.anno_attribute_id";
    if (places.contains("id"))
        sql += " LEFT JOIN moz_places p ON p.id = d.place_id";
    sql += QByteArray(" LEFT JOIN moz_annos m ON m.place_id = d.place_id AND m.anno_attribute_id = "
                      "(SELECT id FROM moz_anno_attributes WHERE name = '") +
           kMetaDataAnnotation + "') WHERE a.name = '" + kDestinationAnnotation + "'" +
           orderById(annos, "d");

    SqliteRows rows(database, sql);
    while (rows.next()) {
        rows.appendBytes(0, writer.cell(kDownloadUrl));
        writer.cell(kDownloadTargetPath).append(windowsPathOfFileUri(rows.bytes(1)));
        if (!rows.isNull(2))
            appendUnixMicroseconds(rows.integer(2), writer.cell(kDownloadStartTime));
        if (!rows.isNull(3) && rows.size(3) <= kMaxMetaDataBytes) {
            const QJsonObject meta = QJsonDocument::fromJson(rows.bytes(3)).object();
            if (meta.contains(QLatin1String("endTime")))
                appendUnixMilliseconds(meta.value(QLatin1String("endTime")).toInteger(),
                                       writer.cell(kDownloadEndTime));
            const qint64 state = meta.value(QLatin1String("state")).toInteger(-2);
            if (meta.contains(QLatin1String("fileSize"))) {
                const QByteArray size =
                    QByteArray::number(meta.value(QLatin1String("fileSize")).toInteger());
                writer.cell(kDownloadTotalBytes).append(size);
                if (state == kFirefoxFinished)
                    writer.cell(kDownloadReceivedBytes).append(size);
            }
            if (meta.contains(QLatin1String("state")))
                writer.cell(kDownloadState) = texts.firefoxDownloadState(state);
        }
        writer.write();
    }
    return {true, rows.error()};
}

// downloads.sqlite of Firefox before version 26: one row per download, the
// target as a "file:" address, times in microseconds since 1970.
BrowserReadOutcome readFirefoxDownloadsTable(SqliteDatabase& database,
                                             const BrowserCellTexts& texts,
                                             BrowserRowWriter& writer) {
    const QSet<QByteArray> d = database.columns("moz_downloads");
    if (d.isEmpty())
        return {false, QString()};
    const QByteArray sql = "SELECT " +
                           selectList(d, "d",
                                      {"source", "target", "name", "startTime", "endTime",
                                       "currBytes", "maxBytes", "state"}) +
                           " FROM moz_downloads d" + orderById(d, "d");

    SqliteRows rows(database, sql);
    while (rows.next()) {
        rows.appendBytes(0, writer.cell(kDownloadUrl));
        QByteArray& target = writer.cell(kDownloadTargetPath);
        target.append(windowsPathOfFileUri(rows.bytes(1)));
        if (target.isEmpty())
            rows.appendBytes(2, target);
        if (!rows.isNull(3))
            appendUnixMicroseconds(rows.integer(3), writer.cell(kDownloadStartTime));
        if (!rows.isNull(4))
            appendUnixMicroseconds(rows.integer(4), writer.cell(kDownloadEndTime));
        appendNumber(rows, 5, writer.cell(kDownloadReceivedBytes));
        appendNumber(rows, 6, writer.cell(kDownloadTotalBytes));
        if (!rows.isNull(7))
            writer.cell(kDownloadState) = texts.firefoxDownloadState(rows.integer(7));
        writer.write();
    }
    return {true, rows.error()};
}

} // namespace vc
