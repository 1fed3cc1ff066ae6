// Speed of the table tools on a million rows. Not part of the normal run:
//   vellacord_tests --gtest_also_run_disabled_tests --gtest_filter='TableToolsBenchmark*'
#include "platform/TimeText.h"
#include "support/WindowFixture.h"
#include "tables/RowSearch.h"
#include "tables/SortOrder.h"
#include "tables/TableColumns.h"
#include "tables/TimeKey.h"
#include "tables/XmlSpreadsheetWriter.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <cstdio>

using namespace vc;

namespace {

constexpr int kRows = 1000000;

void fillActivityLike(TableModel& table, const QString& pattern) {
    QRandomGenerator random(42);
    const QDateTime base(QDate(1999, 1, 1), QTime(0, 0), Qt::UTC);
    table.beginBulkUpdate();
    table.removeAllRows();
    table.reserveRows(kRows);
    for (int i = 0; i < kRows; ++i) {
        const QByteArray modified =
            base.addSecs(qint64(random.bounded(600000000))).toString(pattern).toLatin1();
        const QByteArray accessed =
            i % 97 == 0
                ? QByteArray()
                : base.addSecs(qint64(random.bounded(600000000))).toString(pattern).toLatin1();
        const QByteArray n = QByteArray::number(random.generate());
        table.appendRow({"http://www.example" + n + ".com/path/to/page.html?id=" + n + "&x=1",
                         modified, accessed, "page" + n + "[1].htm", ".htm", "URL",
                         "ABCD" + n.left(4),
                         "HTTP/1.1 200 OK ETag: \"" + n + "\" Content-Type: text/html"});
    }
    table.endBulkUpdate();
}

double ms(const QElapsedTimer& timer) {
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

class TableToolsBenchmark : public WindowFixture {};

TEST_F(TableToolsBenchmark, DISABLED_MillionRows) {
    for (const QString& pattern :
         {QStringLiteral("yyyy-MM-dd HH:mm:ss"), QStringLiteral("M/d/yy h:mm:ss AP")}) {
        setDateTimeFormat(pattern);
        TableTab& t = window->tab(TabId::Activity);
        fillActivityLike(*t.model, pattern);
        window->showTab(TabId::Activity);
        window->UpdateTabState();
        window->selectFirstRow(TabId::Activity);

        QElapsedTimer timer;
        timer.start();
        window->ListViewColumnClick(TabId::Activity, 2); // access time, ascending
        const double dateSort = ms(timer);
        timer.restart();
        window->ListViewColumnClick(TabId::Activity, 2); // descending
        const double dateSortDown = ms(timer);
        timer.restart();
        window->ListViewColumnClick(TabId::Activity, 0); // address, as text
        const double textSort = ms(timer);

        // The order is right: ascending access times after a fresh click.
        window->ListViewColumnClick(TabId::Activity, 1);
        const TimeKeyReader reader(pattern);
        qint64 previous = std::numeric_limits<qint64>::min();
        for (int r = 0; r < t.model->rows(); ++r) {
            const qint64 key = *reader.read(t.model->cellView(r, 1));
            ASSERT_LE(previous, key) << r;
            previous = key;
        }

        RowSearch search;
        search.text = "no such text anywhere";
        search.columns.assign(size_t(t.model->columns()), true);
        timer.restart();
        EXPECT_EQ(findRow(*t.model, search, 0, 1), -1);
        const double scan = ms(timer);
        search.caseSensitive = true;
        timer.restart();
        EXPECT_EQ(findRow(*t.model, search, 0, 1), -1);
        const double scanCase = ms(timer);

        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        timer.restart();
        ASSERT_TRUE(WriteXmlSpreadsheet(*t.model, buffer, XmlSheetInfo{}, nullptr));
        const double xml = ms(timer);

        std::printf("pattern %s: date sort %.0f ms (descending %.0f ms), text sort %.0f ms, "
                    "search all rows %.0f ms (case-sensitive %.0f ms), XML export %.0f ms "
                    "(%.0f MB)\n",
                    qPrintable(pattern), dateSort, dateSortDown, textSort, scan, scanCase, xml,
                    double(buffer.size()) / 1e6);
    }
}
