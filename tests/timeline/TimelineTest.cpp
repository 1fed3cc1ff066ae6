// The timeline: which stored times are events, their order (time, then
// source, then row), the rows of its table made from the source rows under
// every table tool, and the three exports for the tools of the field.
#include "timeline/Timeline.h"
#include "evidence/Sources.h"
#include "language/InterfaceTexts.h"
#include "platform/TimeText.h"
#include "tables/ExportEncoding.h"
#include "tables/RowFilter.h"
#include "tables/RowSearch.h"
#include "tables/SortOrder.h"
#include "tables/TabDelimitedWriter.h"
#include "timeline/TimelineExport.h"
#include "timeline/TimelineHistogram.h"
#include "timeline/TimelineRows.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <algorithm>

namespace vc {
namespace {

constexpr qint64 kWebKitTo1970 = 11644473600LL * 1000000;
constexpr qint64 kFileTimeTo1970 = 116444736000000000LL;

// A browser's time (microseconds since 1601) of microseconds since 1970.
QByteArray webKit(qint64 unixMicroseconds) {
    return timeCell(
        {TimeKind::WebKitMicroseconds, TimeRule::Open, unixMicroseconds + kWebKitTo1970});
}
QByteArray fileTime(qint64 unixMicroseconds, TimeKind kind = TimeKind::FileTime) {
    return timeCell({kind, TimeRule::Runtime, unixMicroseconds * 10 + kFileTimeTo1970});
}

// 2012-03-04 05:06:07.123456 UTC and times after it.
constexpr qint64 kT1 = 1330837567123456LL;
constexpr qint64 kT2 = kT1 + 3600LL * 1000000;
constexpr qint64 kT3 = kT1 + 86400LL * 1000000;
constexpr qint64 kT9 = 1893456000LL * 1000000; // 2030-01-01

class EventTimeline : public ::testing::Test {
protected:
    void SetUp() override {
        fillDefaultInterfaceTexts();
        m_pattern = dateTimeFormat();
        m_utc = showsUtc();
        setShowsUtc(true);
        setDateTimeFormat(QStringLiteral("yyyy-MM-dd HH:mm:ss"));

        history = makeSourceTable(sourceAt(sourceIndex(QStringLiteral("web-history"))));
        history->appendRow({"http://a.example/", "Page A", webKit(kT2), "3", "1", "link", "Chrome",
                            "Default", "/p/History", "History", "", "joe"});
        history->appendRow({"http://b.example/", "Page B", webKit(kT1), "1", "0", "typed", "Chrome",
                            "Default", "/p/History", "History", "", "joe"});
        // No time stored, a time cell of 0, and a time before 1970: no event.
        history->appendRow({"http://c.example/", "", "", "1"});
        history->appendRow({"http://d.example/", "", webKit(-kWebKitTo1970), "1"});
        history->appendRow({"http://e.example/", "", webKit(-86400LL * 1000000), "1"});

        cookies = makeSourceTable(sourceAt(sourceIndex(QStringLiteral("web-cookies"))));
        cookies->appendRow({".a.example", "SID", "v,1 \"q\"", "/", webKit(kT1), webKit(kT9),
                            webKit(kT3), "secure", "Firefox", "x.default", "/p/cookies.sqlite",
                            "cookies.sqlite", "", "bperry"});

        // The Activity table holds a local time of an unknown zone.
        activity = makeSourceTable(sourceAt(sourceIndex(QStringLiteral("activity"))));
        activity->appendRow({"Visited: joe@http://l.example/",
                             fileTime(kT2, TimeKind::LocalFileTime), "", "l.htm", "htm", "URL", "",
                             "", "joe"});

        // Added in another order than the catalogue's: ties follow the catalogue.
        timeline = std::make_shared<Timeline>();
        timeline->addTable(sourceIndex(QStringLiteral("web-cookies")), cookies.get(),
                           QStringLiteral("PC-2"));
        timeline->addTable(sourceIndex(QStringLiteral("web-history")), history.get(),
                           QStringLiteral("PC-1"));
        timeline->addTable(sourceIndex(QStringLiteral("activity")), activity.get(),
                           QStringLiteral("PC-1"));
        timeline->build();
    }
    void TearDown() override {
        setDateTimeFormat(m_pattern);
        setShowsUtc(m_utc);
    }

    QString sourceNameOf(const TimelineEvent& e) const {
        return QString::fromLatin1(sourceAt(timeline->tableOf(e).source).name);
    }

    std::unique_ptr<TableModel> history, cookies, activity;
    std::shared_ptr<Timeline> timeline;

private:
    QString m_pattern;
    bool m_utc = false;
};

QByteArray exportOf(const Timeline& timeline, TimelineFormat format,
                    TimelineExportSummary* summary = nullptr) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(writeTimeline(timeline, format, buffer, summary));
    return buffer.data();
}

QList<QByteArray> linesOf(const QByteArray& text) {
    QList<QByteArray> lines = text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// The fields of a line of RFC 4180 CSV.
QList<QByteArray> csvFields(const QByteArray& line) {
    QList<QByteArray> fields{QByteArray()};
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                fields.last().append('"');
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                fields.last().append(c);
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.append(QByteArray());
        } else {
            fields.last().append(c);
        }
    }
    return fields;
}

TEST(TimelineEvents, OnlyTimesWithADateAreEvents) {
    EXPECT_FALSE(eventMoment({TimeKind::FileTime, TimeRule::Runtime, 0}));
    EXPECT_FALSE(eventMoment({TimeKind::UnixSeconds, TimeRule::Open, 0}));
    // Before 1970 the tables show no date.
    EXPECT_FALSE(eventMoment({TimeKind::UnixSeconds, TimeRule::Open, -5}));
    EXPECT_FALSE(eventMoment({TimeKind::FileTime, TimeRule::Runtime, 1}));
    // After the year 3000 only where the rule shows such dates, never after 9999.
    const qint64 year3500 = 47335190400LL;
    EXPECT_FALSE(eventMoment({TimeKind::UnixSeconds, TimeRule::Runtime, year3500}));
    EXPECT_FALSE(eventMoment({TimeKind::UnixSeconds, TimeRule::Blank, year3500}));
    EXPECT_EQ(eventMoment({TimeKind::UnixSeconds, TimeRule::Open, year3500}), year3500 * 1000000);
    EXPECT_FALSE(eventMoment({TimeKind::UnixSeconds, TimeRule::Open, 253402300800LL}));
    // "Never" of a FILETIME lies in the year 30828.
    EXPECT_FALSE(eventMoment({TimeKind::FileTime, TimeRule::Open, 0x7fffffffffffffffLL}));
    // Every kind to the microsecond.
    EXPECT_EQ(eventMoment({TimeKind::FileTime, TimeRule::Runtime, kT1 * 10 + kFileTimeTo1970 + 9}),
              kT1);
    EXPECT_EQ(eventMoment({TimeKind::UnixMilliseconds, TimeRule::Open, kT1 / 1000}),
              kT1 / 1000 * 1000);
    EXPECT_EQ(eventMoment({TimeKind::UnixMicroseconds, TimeRule::Open, kT1}), kT1);
    EXPECT_EQ(eventMoment({TimeKind::WebKitMicroseconds, TimeRule::Open, kT1 + kWebKitTo1970}),
              kT1);
    // A local time of an unknown zone: its wall clock.
    EXPECT_EQ(eventMoment({TimeKind::LocalFileTime, TimeRule::Runtime, kT1 * 10 + kFileTimeTo1970}),
              kT1);
    EXPECT_TRUE(isExpiryEvent(TextEventCookieExpires));
    EXPECT_TRUE(isExpiryEvent(TextEventCacheExpires));
    EXPECT_FALSE(isExpiryEvent(TextEventCookieCreated));
}

TEST_F(EventTimeline, EventsOfEveryTableInTimeOrderTiesBySourceThenRow) {
    ASSERT_EQ(timeline->size(), 6);
    struct Expected {
        qint64 time;
        const char* source;
        quint32 row;
        int column;
    };
    // The history's row 1 and the cookie's creation share kT1: the history
    // comes first in the catalogue. The Activity row's local time counts as
    // kT2 on the wall clock, after the history's kT2 (Activity is first in
    // the catalogue: it comes first).
    const Expected expected[] = {
        {kT1, "web-history", 1, 2}, {kT1, "web-cookies", 0, 4}, {kT2, "activity", 0, 1},
        {kT2, "web-history", 0, 2}, {kT3, "web-cookies", 0, 6}, {kT9, "web-cookies", 0, 5},
    };
    for (int i = 0; i < 6; ++i) {
        const TimelineEvent& e = timeline->event(i);
        EXPECT_EQ(e.time, expected[i].time) << i;
        EXPECT_EQ(sourceNameOf(e), QLatin1String(expected[i].source)) << i;
        EXPECT_EQ(e.row, expected[i].row) << i;
        EXPECT_EQ(e.column, expected[i].column) << i;
    }
    EXPECT_EQ(timeline->event(2).flags, TimelineEvent::kWallClock);
    EXPECT_EQ(timeline->event(5).flags, TimelineEvent::kExpiry);
    EXPECT_EQ(timeline->event(0).flags, 0);
    EXPECT_EQ(timeline->lowerBound(kT2), 2);
    EXPECT_EQ(timeline->lowerBound(kT9 + 1), 6);
    EXPECT_EQ(timeline->storageBytes(), 6 * 16);
    // Without the expiries: the same events but the cookie's expiry.
    Timeline without;
    without.addTable(sourceIndex(QStringLiteral("web-cookies")), cookies.get(), QString());
    without.build(false);
    ASSERT_EQ(without.size(), 2);
    EXPECT_EQ(without.event(0).column, 4);
    EXPECT_EQ(without.event(1).column, 6);
}

TEST_F(EventTimeline, TableRowsAreMadeFromTheSourceRowsUnderEveryTableTool) {
    const std::unique_ptr<TableModel> table = makeTimelineTable();
    table->setRowSource(std::make_shared<TimelineRows>(timeline, 0, timeline->size()));
    ASSERT_EQ(table->rows(), 6);
    EXPECT_EQ(table->rowCells(0),
              (QList<QByteArray>{
                  "2012-03-04 05:06:07", "Page visited", "Chrome, Edge, Firefox: History", "joe",
                  "PC-1", "http://b.example/", "Title: Page B; Visit Count: 1; Typed Count: 0"}));
    EXPECT_EQ(
        table->rowCells(5).mid(0, 6),
        (QList<QByteArray>{"2030-01-01 00:00:00", "Cookie expires",
                           "Chrome, Edge, Firefox: Cookies", "bperry", "PC-2", ".a.example"}));
    EXPECT_EQ(table->cellText(2, kTimelineAddress),
              QStringLiteral("Visited: joe@http://l.example/"));

    // The filter box keeps the events of a kind, the find finds a text.
    table->setFilterText(QStringLiteral("cookie"));
    EXPECT_EQ(table->rows(), 3);
    EXPECT_EQ(timelineEventOfRow(*table, 0), 1);
    EXPECT_EQ(timelineEventOfRow(*table, 2), 5);
    table->setFilterText(QString());
    RowSearch search;
    search.text = "b.example";
    search.columns.assign(kTimelineColumnCount, true);
    EXPECT_EQ(findRow(*table, search, 0, 1), 0);
    EXPECT_EQ(findRow(*table, search, 1, 1), -1);

    // Sorted by a text column (the keys are gathered from rows made one at
    // a time) and back by time, descending.
    table->applyOrder(sortedRowOrder(*table, kTimelineEvent, true, DateSortRules{}));
    QStringList events;
    for (int r = 0; r < table->rows(); ++r)
        events << table->cellText(r, kTimelineEvent);
    EXPECT_EQ(events, (QStringList{"Cached file last modified", "Cookie created", "Cookie expires",
                                   "Cookie last accessed", "Page visited", "Page visited"}));
    EXPECT_EQ(timelineEventOfRow(*table, 0), 2);
    EXPECT_EQ(table->cellText(2, kTimelineTime), QStringLiteral("2030-01-01 00:00:00"));
    // A filter set now keeps the rows in the sorted order.
    table->setFilterText(QStringLiteral("Page"));
    ASSERT_EQ(table->rows(), 2);
    EXPECT_EQ(timelineEventOfRow(*table, 0), 0);
    EXPECT_EQ(timelineEventOfRow(*table, 1), 3);
    table->setFilterText(QString());
    table->applyOrder(sortedRowOrder(*table, kTimelineTime, false, DateSortRules{}));
    EXPECT_EQ(timelineEventOfRow(*table, 0), 5);
    EXPECT_EQ(timelineEventOfRow(*table, 5), 0);

    // The tab-delimited export writes every row as shown.
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    ASSERT_TRUE(WriteTabDelimited(*table, out, "\n", nullptr, ExportEncoding::Utf8));
    const QList<QByteArray> lines = linesOf(out.data());
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0], "Time\tEvent\tSource\tUser\tComputer\tAddress or Path\tDescription");
    EXPECT_TRUE(lines[1].startsWith("2030-01-01 00:00:00\tCookie expires\t")) << lines[1].data();

    // A span of the events only.
    table->setRowSource(std::make_shared<TimelineRows>(timeline, 2, 4));
    ASSERT_EQ(table->rows(), 2);
    EXPECT_EQ(timelineEventOfRow(*table, 0), 2);
    EXPECT_EQ(timelineEventOfRow(*table, 1), 3);
    // A table that is not a timeline's names no event.
    EXPECT_EQ(timelineEventOfRow(*history, 0), -1);
}

TEST_F(EventTimeline, TimesketchJsonlCarriesEveryFieldInUtc) {
    TimelineExportSummary summary;
    const QList<QByteArray> lines = linesOf(exportOf(*timeline, TimelineFormat::Jsonl, &summary));
    // The local time of an unknown zone has no UTC: left out and counted.
    EXPECT_EQ(summary.written, 5);
    EXPECT_EQ(summary.leftOut, 1);
    ASSERT_EQ(lines.size(), 5);
    QJsonParseError error;
    const QJsonObject first = QJsonDocument::fromJson(lines[0], &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << lines[0].data();
    EXPECT_EQ(first.value("message").toString(),
              QStringLiteral("http://b.example/ (Title: Page B; Visit Count: 1; Typed Count: 0)"));
    EXPECT_EQ(first.value("datetime").toString(),
              QStringLiteral("2012-03-04T05:06:07.123456+00:00"));
    EXPECT_EQ(first.value("timestamp").toInteger(), kT1);
    EXPECT_EQ(first.value("timestamp_desc").toString(), QStringLiteral("Page visited"));
    EXPECT_EQ(first.value("source").toString(), QStringLiteral("web-history"));
    EXPECT_EQ(first.value("source_long").toString(),
              QStringLiteral("Chrome, Edge, Firefox: History"));
    EXPECT_EQ(first.value("user").toString(), QStringLiteral("joe"));
    EXPECT_EQ(first.value("machine").toString(), QStringLiteral("PC-1"));
    EXPECT_EQ(first.value("url_address").toString(), QStringLiteral("http://b.example/"));
    EXPECT_EQ(first.value("visit_time").toString(),
              QStringLiteral("2012-03-04T05:06:07.123456+00:00"));
    EXPECT_EQ(first.value("transition").toString(), QStringLiteral("typed"));
    EXPECT_EQ(first.value("read_from_private_copy").toString(), QStringLiteral("History"));
    EXPECT_FALSE(first.contains("user_2"));

    const QJsonObject expiry = QJsonDocument::fromJson(lines[4], &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << lines[4].data();
    EXPECT_EQ(expiry.value("timestamp_desc").toString(), QStringLiteral("Cookie expires"));
    EXPECT_EQ(expiry.value("value").toString(), QStringLiteral("v,1 \"q\""));
    EXPECT_EQ(expiry.value("last_access").toString(),
              QStringLiteral("2012-03-05T05:06:07.123456+00:00"));
    EXPECT_EQ(expiry.value("user").toString(), QStringLiteral("bperry"));
    EXPECT_EQ(expiry.value("machine").toString(), QStringLiteral("PC-2"));
}

TEST_F(EventTimeline, TimesketchCsvAndL2tcsvHaveTheirColumns) {
    const QList<QByteArray> csv = linesOf(exportOf(*timeline, TimelineFormat::TimesketchCsv));
    ASSERT_EQ(csv.size(), 1 + 5);
    const QList<QByteArray> header = csvFields(csv[0]);
    ASSERT_GE(header.size(), 8);
    EXPECT_EQ(header.mid(0, 8),
              (QList<QByteArray>{"message", "datetime", "timestamp_desc", "timestamp", "source",
                                 "source_long", "user", "machine"}));
    // Every field of every source once, however many sources have it.
    EXPECT_EQ(header.count("url_address"), 1);
    EXPECT_EQ(header.count("value"), 1);
    EXPECT_EQ(header.count("browser"), 1);
    for (const QByteArray& line : csv)
        EXPECT_EQ(csvFields(line).size(), header.size()) << line.data();
    const QList<QByteArray> expiry = csvFields(csv[5]);
    EXPECT_EQ(expiry[1], "2030-01-01T00:00:00.000000+00:00");
    EXPECT_EQ(expiry[3], QByteArray::number(kT9));
    EXPECT_EQ(expiry[header.indexOf("value")], "v,1 \"q\"");
    EXPECT_EQ(expiry[header.indexOf("url_address")], "");

    TimelineExportSummary summary;
    const QList<QByteArray> l2t = linesOf(exportOf(*timeline, TimelineFormat::L2tCsv, &summary));
    EXPECT_EQ(summary.leftOut, 1);
    ASSERT_EQ(l2t.size(), 1 + 5);
    EXPECT_EQ(l2t[0], "date,time,timezone,MACB,source,sourcetype,type,user,host,short,desc,"
                      "version,filename,inode,notes,format,extra");
    for (const QByteArray& line : l2t)
        EXPECT_EQ(line.split(',').size(), 17) << line.data();
    const QList<QByteArray> visit = l2t[1].split(',');
    EXPECT_EQ(visit.mid(0, 9),
              (QList<QByteArray>{"03/04/2012", "05:06:07", "UTC", ".A..", "WEB-HISTORY",
                                 "Chrome  Edge  Firefox: History", "Page visited", "joe", "PC-1"}));
    EXPECT_EQ(visit[9], "http://b.example/");
    EXPECT_EQ(visit[11], "2");
    EXPECT_EQ(visit[12], "/p/History");
    EXPECT_EQ(visit[15], "vellacord/web-history");
    const QList<QByteArray> created = l2t[2].split(',');
    EXPECT_EQ(created[3], "...B");
    // The cookie's value keeps its text, its comma a space.
    EXPECT_TRUE(created[16].contains("Value: v 1 \"q\"")) << created[16].data();
}

TEST(TimelineExportTexts, TimesNamesAndEscapes) {
    fillDefaultInterfaceTexts();
    QByteArray text;
    appendIsoTime(-8520336000LL * 1000000, text);
    EXPECT_EQ(text, "1700-01-01T00:00:00.000000+00:00");
    text.clear();
    appendIsoTime(253402300799999999LL, text);
    EXPECT_EQ(text, "9999-12-31T23:59:59.999999+00:00");
    text.clear();
    appendIsoTime(-1, text);
    EXPECT_EQ(text, "1969-12-31T23:59:59.999999+00:00");
    text.clear();
    // A leap day.
    appendIsoTime(951782400LL * 1000000, text);
    EXPECT_EQ(text, "2000-02-29T00:00:00.000000+00:00");
    EXPECT_TRUE(exportableTime(-8520336000LL * 1000000));
    EXPECT_FALSE(exportableTime(-8520336000LL * 1000000 - 1));
    EXPECT_TRUE(exportableTime(253402300799999999LL));
    EXPECT_FALSE(exportableTime(253402300800000000LL));

    text.clear();
    appendJsonString("a\"b\\c\x01 Zürich", text);
    EXPECT_EQ(text, "\"a\\\"b\\\\c\\u0001 Zürich\"");
    text.clear();
    // Bytes that are no UTF-8 become the replacement character.
    appendJsonString("x\xff"
                     "y",
                     text);
    EXPECT_EQ(text, "\"x\xef\xbf\xbdy\"");
    EXPECT_TRUE(QJsonDocument::fromJson("[" + text + "]").isArray());

    text.clear();
    appendCsvField("plain", text);
    appendCsvField("a,b", text);
    appendCsvField("say \"hi\"", text);
    EXPECT_EQ(text, "plain\"a,b\"\"say \"\"hi\"\"\"");

    EXPECT_EQ(exportFieldName(TextVisitCount), "visit_count");
    EXPECT_EQ(exportFieldName(TextReadFrom), "read_from_private_copy");
    EXPECT_EQ(exportFieldName(TextServerModified), "last_modified_server");
}

TEST(TimelineHistogramBars, UnitsFollowTheSpanAndBarsTheCalendar) {
    constexpr qint64 hour = 3600LL * 1000000;
    constexpr qint64 day = 24 * hour;
    EXPECT_EQ(histogramUnitFor(0, 3 * day), HistogramUnit::Hour);
    EXPECT_EQ(histogramUnitFor(0, 3 * day + 1), HistogramUnit::Day);
    EXPECT_EQ(histogramUnitFor(0, 366 * day), HistogramUnit::Day);
    EXPECT_EQ(histogramUnitFor(0, 400 * day), HistogramUnit::Month);
    EXPECT_EQ(histogramUnitFor(0, 40 * 366 * day), HistogramUnit::Year);
    // 2012-02-29 12:34 (a leap year): its hour, day, month and year.
    const qint64 t = 1330518840LL * 1000000;
    EXPECT_EQ(histogramBarStart(HistogramUnit::Hour, t), 1330516800LL * 1000000);
    EXPECT_EQ(histogramBarStart(HistogramUnit::Day, t), 1330473600LL * 1000000);
    const qint64 february = histogramBarStart(HistogramUnit::Month, t);
    EXPECT_EQ(february, 1328054400LL * 1000000); // 2012-02-01
    EXPECT_EQ(histogramNextBar(HistogramUnit::Month, february), 1330560000LL * 1000000); // 03-01
    EXPECT_EQ(histogramBarStart(HistogramUnit::Year, t), 1325376000LL * 1000000);        // 2012
    EXPECT_EQ(histogramNextBar(HistogramUnit::Year, 1325376000LL * 1000000),
              1356998400LL * 1000000);              // 2013-01-01
    const qint64 december = 1354320000LL * 1000000; // 2012-12-01
    EXPECT_EQ(histogramNextBar(HistogramUnit::Month, december), 1356998400LL * 1000000);
    // Before 1970 too.
    EXPECT_EQ(histogramBarStart(HistogramUnit::Day, -1), -day);
}

TEST_F(EventTimeline, HistogramCountsTheShownEventsWithoutExpiries) {
    const std::unique_ptr<TableModel> table = makeTimelineTable();
    table->setRowSource(std::make_shared<TimelineRows>(timeline, 0, timeline->size()));
    // kT1 .. kT3 lie within two days: hours; the expiry in 2030 is left out.
    TimelineHistogram histogram = timelineHistogram(*table, false);
    EXPECT_EQ(histogram.unit, HistogramUnit::Hour);
    EXPECT_EQ(histogram.events, 5);
    ASSERT_EQ(histogram.starts.size(), histogram.counts.size() + 1);
    ASSERT_EQ(histogram.counts.size(), 25u);
    EXPECT_EQ(histogram.counts.front(), 2); // kT1: two events
    EXPECT_EQ(histogram.counts[1], 2);      // kT2: the visit and the local time
    EXPECT_EQ(histogram.counts.back(), 1);  // kT3
    EXPECT_EQ(histogram.largest, 2);
    EXPECT_EQ(histogram.starts.front(), kT1 - kT1 % (3600LL * 1000000));
    // With the expiry the span reaches 2030: months, 2012-03 to 2030-01.
    histogram = timelineHistogram(*table, true);
    EXPECT_EQ(histogram.unit, HistogramUnit::Month);
    EXPECT_EQ(histogram.events, 6);
    EXPECT_EQ(histogram.counts.size(), 215u);
    EXPECT_EQ(histogram.counts.front(), 5);
    EXPECT_EQ(histogram.counts.back(), 1);
    // The filter box: only what the table shows.
    table->setFilterText(QStringLiteral("Page visited"));
    histogram = timelineHistogram(*table, false);
    EXPECT_EQ(histogram.events, 2);
    // A table of no timeline has none.
    EXPECT_EQ(timelineHistogram(*history, false).events, 0);
    EXPECT_TRUE(timelineHistogram(*history, false).counts.empty());
}

TEST(TimelineExportLarge, ChunksFormattedOnTwoThreadsKeepTheirOrder) {
    fillDefaultInterfaceTexts();
    // More events than one thread writes alone, one a second.
    const auto history = makeSourceTable(sourceAt(sourceIndex(QStringLiteral("web-history"))));
    constexpr int kRows = 200000;
    for (int i = 0; i < kRows; ++i)
        history->appendRow({"http://e.example/" + QByteArray::number(i), "",
                            webKit(kT1 + qint64(i) * 1000000), "1"});
    Timeline timeline;
    timeline.addTable(sourceIndex(QStringLiteral("web-history")), history.get(),
                      QStringLiteral("PC"));
    timeline.build();
    ASSERT_EQ(timeline.size(), kRows);
    TimelineExportSummary summary;
    const QByteArray jsonl = exportOf(timeline, TimelineFormat::Jsonl, &summary);
    EXPECT_EQ(summary.written, kRows);
    const QList<QByteArray> lines = linesOf(jsonl);
    ASSERT_EQ(lines.size(), kRows);
    for (int i = 0; i < kRows; i += 997) {
        const QJsonObject object = QJsonDocument::fromJson(lines[i]).object();
        ASSERT_EQ(object.value("timestamp").toInteger(), kT1 + qint64(i) * 1000000) << i;
        ASSERT_EQ(object.value("url_address").toString(),
                  QStringLiteral("http://e.example/%1").arg(i));
    }
    // The last line of every chunk and the first of the next.
    for (int i = 16383; i + 1 < kRows; i += 16384) {
        ASSERT_TRUE(
            lines[i].contains("\"url_address\":\"http://e.example/" + QByteArray::number(i) + "\""))
            << i;
        ASSERT_TRUE(lines[i + 1].contains("\"url_address\":\"http://e.example/" +
                                          QByteArray::number(i + 1) + "\""))
            << i;
    }
    const QList<QByteArray> l2t = linesOf(exportOf(timeline, TimelineFormat::L2tCsv));
    ASSERT_EQ(l2t.size(), kRows + 1);
    EXPECT_TRUE(l2t[kRows].contains("http://e.example/" + QByteArray::number(kRows - 1)));
}

TEST(TimelineExportTexts, TimesBeforeAndAtTheBoundsAndRepairedTexts) {
    const std::pair<qint64, const char*> times[] = {
        {-1500000, "1969-12-31T23:59:58.500000+00:00"},
        {-86400000001LL, "1969-12-30T23:59:59.999999+00:00"},
        {-8520336000LL * 1000000 - 1, "1699-12-31T23:59:59.999999+00:00"},
        {5, "1970-01-01T00:00:00.000005+00:00"},
        {1330837567000001LL, "2012-03-04T05:06:07.000001+00:00"},
        {1330837567100000LL, "2012-03-04T05:06:07.100000+00:00"},
    };
    for (const auto& [time, expected] : times) {
        QByteArray text;
        appendIsoTime(time, text);
        EXPECT_EQ(text, expected) << time;
    }

    // Each byte that is no UTF-8 becomes a replacement character: a lone
    // byte, a sequence cut short, an overlong form, a UTF-16 surrogate
    // written as UTF-8, a code point beyond U+10FFFF.
    const std::pair<QByteArray, QByteArray> repaired[] = {
        {"\xff", "\"\xef\xbf\xbd\""},
        {"ab\xe2\x82", "\"ab\xef\xbf\xbd\xef\xbf\xbd\""},
        {"\xc0\xafx", "\"\xef\xbf\xbd\xef\xbf\xbdx\""},
        {"s\xed\xa0\x80"
         "e",
         "\"s\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd"
         "e\""},
        {"12345678\xed\xbf\xbf"
         "9",
         "\"12345678\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd"
         "9\""},
        {"\x80"
         "abc",
         "\"\xef\xbf\xbd"
         "abc\""},
        {"\xf4\x90\x80\x80", "\"\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\""},
        // Beyond the BMP it stays as it is; the bad byte after it is replaced.
        {"\xf0\x9f\x98\x80\xff", "\"\xf0\x9f\x98\x80\xef\xbf\xbd\""},
        // DEL needs no escape; the other control characters do.
        {"ok\x7f\x1f", "\"ok\x7f\\u001f\""},
    };
    for (const auto& [text, expected] : repaired) {
        QByteArray json;
        appendJsonString(text, json);
        EXPECT_EQ(json, expected) << text.toHex().data();
    }

    // A character to escape or beyond ASCII at every place of the first
    // words of a text reads back as it was, and no control byte is left.
    const QByteArray pieces[] = {
        "\x01", "\x1f", "\"", "\\", "\t", "\n", "\x7f", "\xc3\xa9", "\xf0\x9f\x98\x80"};
    for (int at = 0; at < 20; ++at)
        for (const QByteArray& piece : pieces) {
            const QByteArray text = QByteArray(at, 'a') + piece + "0123456789";
            QByteArray json;
            appendJsonString(text, json);
            EXPECT_TRUE(
                std::none_of(json.begin(), json.end(), [](char c) { return c >= 0 && c < 0x20; }))
                << at << " " << piece.toHex().data();
            const QJsonDocument read = QJsonDocument::fromJson("[" + json + "]");
            ASSERT_TRUE(read.isArray()) << json.data();
            EXPECT_EQ(read.array().at(0).toString(), QString::fromUtf8(text))
                << at << " " << piece.toHex().data();
        }
}

TEST(TimelineExportLarge, TimesOfManyDaysInEitherOrderAreTheirOwnTexts) {
    fillDefaultInterfaceTexts();
    // Visits seven hours and 13 microseconds apart (a new day every few),
    // and the last microsecond the exports write.
    constexpr qint64 kLast = 253402300799999999LL;
    const auto history = makeSourceTable(sourceAt(sourceIndex(QStringLiteral("web-history"))));
    constexpr int kRows = 60;
    for (int i = 0; i < kRows; ++i)
        history->appendRow({"http://d.example/" + QByteArray::number(i), "",
                            webKit(kT1 + qint64(i) * (7 * 3600LL * 1000000 + 13)), "1"});
    history->appendRow({"http://last.example/", "", webKit(kLast), "1"});
    // A cached file's times keep their microseconds (the 100 ns cut off);
    // its name is of the code page.
    const auto activity = makeSourceTable(sourceAt(sourceIndex(QStringLiteral("activity"))));
    activity->appendRow(
        {"http://a.example/",
         timeCell({TimeKind::FileTime, TimeRule::Runtime, kT1 * 10 + 9 + kFileTimeTo1970}),
         fileTime(kT3), "p\xe4ge.htm", "htm", "URL", "", "", "joe"});
    Timeline timeline;
    timeline.addTable(sourceIndex(QStringLiteral("web-history")), history.get(),
                      QStringLiteral("PC"));
    timeline.addTable(sourceIndex(QStringLiteral("activity")), activity.get(),
                      QStringLiteral("PC"));
    timeline.build();
    ASSERT_EQ(timeline.size(), kRows + 1 + 2);

    std::vector<qsizetype> backwards;
    for (qsizetype i = timeline.size() - 1; i >= 0; --i)
        backwards.push_back(i);
    for (const std::vector<qsizetype>* only : {(std::vector<qsizetype>*)nullptr, &backwards}) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(writeTimeline(timeline, TimelineFormat::Jsonl, buffer, nullptr, nullptr, only));
        const QList<QByteArray> lines = linesOf(buffer.data());
        ASSERT_EQ(lines.size(), timeline.size());
        for (const QByteArray& line : lines) {
            const QJsonObject object = QJsonDocument::fromJson(line).object();
            QByteArray iso;
            appendIsoTime(object.value("timestamp").toInteger(), iso);
            EXPECT_EQ(object.value("datetime").toString().toUtf8(), iso) << line.data();
            if (object.contains("visit_time")) {
                EXPECT_EQ(object.value("visit_time").toString().toUtf8(), iso) << line.data();
            }
        }
        const QJsonObject last =
            QJsonDocument::fromJson(lines[only ? 0 : lines.size() - 1]).object();
        EXPECT_EQ(last.value("datetime").toString(),
                  QStringLiteral("9999-12-31T23:59:59.999999+00:00"));
        const QJsonObject cached =
            QJsonDocument::fromJson(lines[only ? lines.size() - 1 : 0]).object();
        EXPECT_EQ(cached.value("datetime").toString(),
                  QStringLiteral("2012-03-04T05:06:07.123456+00:00"));
        EXPECT_EQ(cached.value("access_time").toString(),
                  QStringLiteral("2012-03-05T05:06:07.123456+00:00"));
        EXPECT_EQ(cached.value("file_name").toString(), QStringLiteral("p\u00e4ge.htm"));
    }

    const QList<QByteArray> l2t = linesOf(exportOf(timeline, TimelineFormat::L2tCsv));
    ASSERT_EQ(l2t.size(), timeline.size() + 1);
    EXPECT_TRUE(l2t.last().startsWith("12/31/9999,23:59:59,UTC,")) << l2t.last().data();
    EXPECT_TRUE(l2t[1].startsWith("03/04/2012,05:06:07,UTC,M...,ACTIVITY,")) << l2t[1].data();
    EXPECT_TRUE(l2t[1].contains("File Name: p\xc3\xa4ge.htm")) << l2t[1].data();
    const QList<QByteArray> csv = linesOf(exportOf(timeline, TimelineFormat::TimesketchCsv));
    ASSERT_EQ(csv.size(), timeline.size() + 1);
    const QList<QByteArray> header = csvFields(csv[0]);
    const QList<QByteArray> cachedRow = csvFields(csv[1]);
    EXPECT_EQ(cachedRow[header.indexOf("modification_time")], "2012-03-04T05:06:07.123456+00:00");
    EXPECT_EQ(cachedRow[header.indexOf("file_name")], "p\xc3\xa4ge.htm");
}

} // namespace
} // namespace vc
