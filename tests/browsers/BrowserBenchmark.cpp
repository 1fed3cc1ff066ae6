// Speed of filling the browser history table from a large Chrome History,
// against the sqlite3 program running the same join. Not part of the normal
// run; make the database first:
//   tests/tools/make-chrome-history.py /tmp/History 1000000
//   VC_CHROME_HISTORY=/tmp/History vellacord_core_tests --gtest_also_run_disabled_tests
//       --gtest_filter='*BrowserBenchmark*'
// The table is filled as the window's "Browser History" fills it
// (fillBrowserTable on a profile that holds the database, into the tab's
// UTF-8 table). The peak memory of the process is printed after a read that
// keeps no rows (the reader's own memory) and after the table was filled.
#include "BrowserTestSupport.h"
#include "browsers/BrowserColumns.h"
#include "browsers/BrowserReaders.h"
#include "evidence/UserProfile.h"
#include "tables/TableModel.h"

#include <QElapsedTimer>
#include <QProcess>

#include <cstdio>
#include <ctime>

namespace vc::testing {
namespace {

// The table the window fills, fed through the loaders' sink interface.
// Rows counted and dropped: what the reading itself costs.
class CountingSink : public RowSink {
public:
    int columns() const override { return 64; }
    void appendCells(const QByteArrayView*, int) override { ++rows; }
    void clearRows() override { rows = 0; }
    int rows = 0;
};

// Processor time of this process so far, in milliseconds.
double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// The process's peak resident memory so far, in MiB.
double peakMemoryMiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    return -1;
}

TEST_F(BrowserTest, DISABLED_BrowserBenchmarkMillionVisits) {
    const QString path = qEnvironmentVariable("VC_CHROME_HISTORY");
    if (path.isEmpty())
        GTEST_SKIP() << "VC_CHROME_HISTORY names no database";

    // The join the reader runs on a History of the current layout.
    const QByteArray sql = chromeVisitsQuery({"id", "url", "visit_time", "transition"},
                                             {"id", "url", "title", "visit_count", "typed_count"});
    QProcess sqlite;
    sqlite.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    sqlite.start(QStringLiteral("sqlite3"),
                 {QStringLiteral("-readonly"), path, QString::fromUtf8(sql)});
    ASSERT_TRUE(sqlite.waitForFinished(600000));
    const double sqliteMs = double(timer.nsecsElapsed()) / 1e6;

    const QList<BrowserDatabase> databases{{Browser::Chrome, BrowserDatabaseKind::ChromeHistory,
                                            QStringLiteral("Default"), path, QString()}};
    std::printf("peak memory before reading: %.0f MiB\n", peakMemoryMiB());
    CountingSink counter;
    timer.restart();
    loadBrowserTable(BrowserTable::History, databases, LoadContext(), counter);
    std::printf("%d visits read and dropped: %.0f ms, peak memory %.0f MiB\n", counter.rows,
                double(timer.nsecsElapsed()) / 1e6, peakMemoryMiB());

    // A profile of the Vista layout whose Chrome History is the database.
    QTemporaryDir dir;
    const QString folder =
        dir.filePath(QStringLiteral("AppData/Local/Google/Chrome/User Data/Default"));
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(
        QFile::link(QFileInfo(path).absoluteFilePath(), folder + QStringLiteral("/History")));
    UserProfile profile;
    QString message;
    ASSERT_TRUE(profile.open(dir.path(), &message));

    const std::unique_ptr<TableModel> table = makeBrowserTable(BrowserTable::History);
    CollectingReporter reporter;
    LoadContext context;
    context.report = &reporter;
    timer.restart();
    const double cpuStart = cpuMs();
    const BrowserLoadResult result =
        fillBrowserTable(BrowserTable::History, &profile, context, *table);
    const double loadMs = double(timer.nsecsElapsed()) / 1e6;
    const double loadCpuMs = cpuMs() - cpuStart;
    EXPECT_TRUE(reporter.errors.isEmpty());
    EXPECT_EQ(table->rows(), result.rows);
    std::printf("join: %s\n", sql.constData());
    std::printf("sqlite3 -readonly > /dev/null: %.0f ms\n", sqliteMs);
    std::printf("%d visits into the table: %.0f ms (%.2f times; processor %.0f ms), peak memory "
                "%.0f MiB\n",
                table->rows(), loadMs, loadMs / sqliteMs, loadCpuMs, peakMemoryMiB());
}

} // namespace
} // namespace vc::testing
