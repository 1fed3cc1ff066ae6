// Speed of the filter box on a million rows. Not part of the normal run:
//   vellacord_core_tests --gtest_also_run_disabled_tests --gtest_filter='RowFilterBenchmark*'
#include "platform/TimeText.h"
#include "platform/TimeValue.h"
#include "tables/RowFilter.h"
#include "tables/TableColumns.h"

#include <QElapsedTimer>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>

using namespace vc;

namespace {

constexpr int kRows = 1000000;

// Rows as the Activity loader writes them: an address, two time cells,
// the cached file's name, extension, type, folder, header and user.
void fillActivityLike(TableModel& table, bool withTimes) {
    QRandomGenerator random(42);
    constexpr qint64 k1999 = (915148800LL + 11644473600LL) * 10000000LL;
    table.beginBulkUpdate();
    table.removeAllRows();
    table.reserveRows(kRows);
    for (int i = 0; i < kRows; ++i) {
        const QByteArray n = QByteArray::number(random.generate());
        auto when = [&] {
            const qint64 filetime = k1999 + qint64(random.bounded(600000000)) * 10000000LL;
            return withTimes ? timeCell(TimeValue{TimeKind::FileTime, TimeRule::Runtime, filetime})
                             : QByteArray("2011-05-23 12:34:56");
        };
        table.appendRow({"http://www.example" + n + ".com/path/to/page.html?id=" + n + "&x=1",
                         when(), i % 97 == 0 ? QByteArray() : when(), "page" + n + "[1].htm",
                         ".htm", "URL", "ABCD" + n.left(4),
                         "HTTP/1.1 200 OK ETag: \"" + n + "\" Content-Type: text/html", "user"});
    }
    table.endBulkUpdate();
}

double ms(const QElapsedTimer& timer) {
    return double(timer.nsecsElapsed()) / 1e6;
}

// The processor time of every thread in milliseconds: on a machine shared with
// other work, what the filter itself costs.
double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

} // namespace

TEST(RowFilterBenchmark, DISABLED_MillionRows) {
    setShowsUtc(true);
    setDateTimeFormat(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
    for (const bool withTimes : {true, false}) {
        TableModel table(QStringLiteral("t"), activityColumns());
        fillActivityLike(table, withTimes);
        for (const QString& text : {QStringLiteral("e"), QStringLiteral("EXAMPLE12"),
                                    QStringLiteral("content-type"), QStringLiteral("no such text"),
                                    QStringLiteral("23.05.2011"), QStringLiteral("2011")}) {
            // The fastest of three searches of every row (the machine may be
            // busy with other work).
            double took = 1e9, cpu = 1e9;
            for (int run = 0; run < 3; ++run) {
                table.setFilterText(QString());
                QElapsedTimer timer;
                const double cpuBefore = cpuMs();
                timer.start();
                table.setFilterText(text);
                took = std::min(took, ms(timer));
                cpu = std::min(cpu, cpuMs() - cpuBefore);
            }
            std::printf("%s, filter \"%s\": %d of %d rows in %.1f ms (processor %.1f ms)\n",
                        withTimes ? "time cells" : "time texts", qPrintable(text), table.rows(),
                        table.storedRows(), took, cpu);
            EXPECT_LE(table.rows(), kRows);
        }
        // Typed a key at a time: each text holds the one before, so only
        // the rows that one kept are searched.
        table.setFilterText(QString());
        for (const QString& typed :
             {QStringLiteral("2"), QStringLiteral("23"), QStringLiteral("23."),
              QStringLiteral("23.0"), QStringLiteral("23.05"), QStringLiteral("23.05.2011")}) {
            QElapsedTimer timer;
            timer.start();
            table.setFilterText(typed);
            std::printf("  typed \"%s\": %d rows in %.1f ms\n", qPrintable(typed), table.rows(),
                        ms(timer));
        }
        QElapsedTimer timer;
        timer.start();
        table.setFilterText(QString());
        std::printf("emptied: %.1f ms\n", ms(timer));
        EXPECT_EQ(table.rows(), kRows);
    }
}
