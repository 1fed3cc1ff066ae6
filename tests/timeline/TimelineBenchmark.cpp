// Speed and memory of the timeline on ten million events: the tables of a
// large generated profile (a browser history of three million visits, a
// million cookies with three times each, Internet Explorer cache and
// history index files of a million entries each, 2,000 shortcuts), held as
// the window's tables hold them; the timeline built and sorted, what it
// adds per event, and the JSONL written. Not part of the normal run:
//   vellacord_core_tests --gtest_also_run_disabled_tests
//       --gtest_filter='*TimelineBenchmark*'
#include "evidence/Sources.h"
#include "language/InterfaceTexts.h"
#include "timeline/Timeline.h"
#include "timeline/TimelineExport.h"
#include "timeline/TimelineRows.h"

#include <QElapsedTimer>
#include <QFile>

#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
#include <random>

namespace vc {
namespace {

constexpr qint64 kWebKitTo1970 = 11644473600LL * 1000000;
constexpr qint64 kFileTimeTo1970 = 116444736000000000LL;
// 2015-06 and about nine years after it, in microseconds since 1970.
constexpr qint64 kStart = 1433116800LL * 1000000;
constexpr qint64 kSpan = 300000000LL * 1000000;

double peakMemoryMiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    return -1;
}

// Processor time of this process so far (every thread), in seconds: the
// machine is shared, and the wall time alone tells how busy it was.
double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

std::unique_ptr<TableModel> tableOf(const char* source) {
    return makeSourceTable(sourceAt(sourceIndex(QLatin1String(source))));
}

TEST(TimelineBenchmark, DISABLED_TenMillionEvents) {
    fillDefaultInterfaceTexts();
    // VC_TIMELINE_SCALE=0.1 makes a tenth of the rows (for a profiler).
    const double scale = qEnvironmentVariable("VC_TIMELINE_SCALE", QStringLiteral("1")).toDouble();
    const auto rowsOf = [scale](int rows) { return std::max(1, int(rows * scale)); };
    std::mt19937_64 random(42);
    auto when = [&] { return kStart + qint64(random() % quint64(kSpan)); };
    auto webKit = [](qint64 t) {
        return timeCell({TimeKind::WebKitMicroseconds, TimeRule::Open, t + kWebKitTo1970});
    };
    auto fileTime = [](qint64 t) {
        return timeCell({TimeKind::FileTime, TimeRule::Runtime, t * 10 + kFileTimeTo1970});
    };
    const char* const hosts[] = {"www.example.com", "news.example.org", "mail.example.net",
                                 "shop.example.co.uk", "docs.example.io"};
    auto url = [&](int i) {
        return QByteArray("https://") + hosts[i % 5] + "/page/" + QByteArray::number(i) +
               "?q=report";
    };

    // A row in fifty has texts the exports escape or repair: quotes, commas,
    // a line break and a control character, beyond the BMP, bytes that are
    // no UTF-8 in a UTF-8 table and of the code page in the others.
    auto title = [](int i) {
        return i % 50 ? "Title of page " + QByteArray::number(i % 1000)
                      : "\"Z\xc3\xbcrich\", Gr\xc3\xbc\xc3\x9f"
                        "e\n\x01\t\xf0\x9f\x98\x80 " +
                            QByteArray::number(i);
    };
    auto cookieValue = [](int i) {
        return i % 100 ? "v" + QByteArray::number(i) : "v\xff\xc3(" + QByteArray::number(i);
    };
    auto cachedFile = [](int i) {
        return (i % 50 ? "page" : "p\xe4ge,\"") + QByteArray::number(i) + "[1].htm";
    };

    QElapsedTimer clock;
    clock.start();
    auto webHistory = tableOf("web-history");
    webHistory->reserveRows(rowsOf(3000000));
    for (int i = 0; i < rowsOf(3000000); ++i)
        webHistory->appendRow({url(i), title(i), webKit(when()), "3", "1", "link", "Chrome",
                               "Default",
                               "/case/joe/AppData/Local/Google/Chrome/User Data/Default/History",
                               "History", "AppData/Local/Google/Chrome/User Data", "joe"});
    auto webCookies = tableOf("web-cookies");
    webCookies->reserveRows(rowsOf(1000000));
    for (int i = 0; i < rowsOf(1000000); ++i)
        webCookies->appendRow({QByteArray(".") + hosts[i % 5], "SID" + QByteArray::number(i % 97),
                               cookieValue(i), "/", webKit(when()), webKit(when() + kSpan),
                               webKit(when()), "secure", "Firefox", "x.default",
                               "/case/joe/AppData/Roaming/Mozilla/cookies.sqlite", "cookies.sqlite",
                               "AppData/Roaming/Mozilla/Firefox/Profiles", "joe"});
    auto activity = tableOf("activity");
    activity->reserveRows(rowsOf(1000000));
    for (int i = 0; i < rowsOf(1000000); ++i)
        activity->appendRow({url(i), fileTime(when()), fileTime(when()), cachedFile(i), "htm",
                             "URL", "ABCD1234", "HTTP/1.1 200 OK", "joe"});
    auto history = tableOf("history");
    history->reserveRows(rowsOf(1000000));
    for (int i = 0; i < rowsOf(1000000); ++i)
        history->appendRow(
            {"Visited: joe@" + url(i), fileTime(when()), fileTime(when()), "URL", "", "joe"});
    auto recent = tableOf("recent");
    for (int i = 0; i < 2000; ++i)
        recent->appendRow({"report" + QByteArray::number(i) + ".docx.lnk",
                           "lnk",
                           fileTime(when()),
                           fileTime(when()),
                           "C:\\Users\\joe\\AppData\\Roaming\\Microsoft\\Windows\\Recent\\r.lnk",
                           "Recent folder",
                           "",
                           "",
                           "",
                           "C:\\Users\\joe\\Documents\\report.docx",
                           fileTime(when()),
                           fileTime(when()),
                           fileTime(when()),
                           "12345",
                           "OS",
                           "1234-ABCD",
                           "desktop-1",
                           "C:\\Users\\joe\\Documents",
                           "",
                           "",
                           "",
                           "",
                           "joe"});
    const double fillSeconds = clock.elapsed() / 1000.0;
    qint64 tableBytes = 0;
    for (const TableModel* t :
         {webHistory.get(), webCookies.get(), activity.get(), history.get(), recent.get()})
        tableBytes += t->storageBytes();
    const double peakBefore = peakMemoryMiB();

    auto timeline = std::make_shared<Timeline>();
    const std::pair<const char*, const TableModel*> tables[] = {{"web-history", webHistory.get()},
                                                                {"web-cookies", webCookies.get()},
                                                                {"activity", activity.get()},
                                                                {"history", history.get()},
                                                                {"recent", recent.get()}};
    for (const auto& [name, table] : tables)
        timeline->addTable(sourceIndex(QLatin1String(name)), table, QStringLiteral("PC-1"));
    clock.restart();
    double cpu = cpuSeconds();
    timeline->build();
    const double buildSeconds = clock.elapsed() / 1000.0;
    const double buildCpu = cpuSeconds() - cpu;
    const double peakAfter = peakMemoryMiB();
    ASSERT_GE(timeline->size(), qsizetype(10000000 * scale));
    for (qsizetype i = 1; i < timeline->size(); ++i)
        ASSERT_LE(timeline->event(i - 1).time, timeline->event(i).time);

    QFile sink(QStringLiteral("/dev/null"));
    ASSERT_TRUE(sink.open(QIODevice::WriteOnly));
    TimelineExportSummary summary;
    clock.restart();
    cpu = cpuSeconds();
    ASSERT_TRUE(writeTimeline(*timeline, TimelineFormat::Jsonl, sink, &summary));
    const double jsonlSeconds = clock.elapsed() / 1000.0;
    const double jsonlCpu = cpuSeconds() - cpu;
    EXPECT_EQ(summary.written, timeline->size());
    // VC_TIMELINE_EXPORTS=DIR also writes the three files there, to compare
    // the bytes of two builds.
    const QString exports = qEnvironmentVariable("VC_TIMELINE_EXPORTS");
    if (!exports.isEmpty()) {
        const std::pair<const char*, TimelineFormat> files[] = {
            {"/timeline.jsonl", TimelineFormat::Jsonl},
            {"/timeline.timesketch.csv", TimelineFormat::TimesketchCsv},
            {"/timeline.l2t.csv", TimelineFormat::L2tCsv}};
        for (const auto& [name, format] : files) {
            QFile file(exports + QLatin1String(name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << name;
            ASSERT_TRUE(writeTimeline(*timeline, format, file)) << name;
        }
    }

    // The rows of the window's table, each made from its source row.
    const std::unique_ptr<TableModel> rows = makeTimelineTable();
    rows->setRowSource(std::make_shared<TimelineRows>(timeline, 0, timeline->size()));
    clock.restart();
    rows->setFilterText(QStringLiteral("news.example.org"));
    const double filterSeconds = clock.elapsed() / 1000.0;

    std::printf("tables filled in %.1f s: %lld rows, %.0f MiB (their text and places)\n",
                fillSeconds,
                static_cast<long long>(webHistory->storedRows() + webCookies->storedRows() +
                                       activity->storedRows() + history->storedRows() +
                                       recent->storedRows()),
                tableBytes / 1048576.0);
    std::printf("timeline built and sorted in %.2f s (%.2f s of processor time): %lld events, "
                "%.1f bytes per event (peak memory %.0f -> %.0f MiB: %.1f bytes per event while "
                "building)\n",
                buildSeconds, buildCpu, static_cast<long long>(timeline->size()),
                double(timeline->storageBytes()) / double(timeline->size()), peakBefore, peakAfter,
                (peakAfter - peakBefore) * 1048576.0 / double(timeline->size()));
    std::printf("JSONL written in %.2f s (%.2f s of processor time on two threads): %.2f million "
                "events a second\n",
                jsonlSeconds, jsonlCpu, double(summary.written) / jsonlSeconds / 1e6);
    std::printf("filter box over the timeline's table: %.2f s, %d of %d rows\n", filterSeconds,
                rows->rows(), rows->storedRows());
}

} // namespace
} // namespace vc
