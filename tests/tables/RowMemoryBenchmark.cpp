// What a million rows cost in a table, filled by the real loaders from a
// cookie text file of bare line feeds (empty fields) and from a history
// index file of typical records. Shown, not asserted (run with
// --gtest_also_run_disabled_tests --gtest_filter='*RowMemory*').
#include "cache/CookieLoad.h"
#include "cache/HistoryLoad.h"
#include "platform/WorkFile.h"
#include "tables/TableColumns.h"
#include "tables/TableModel.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>

using namespace vc;

namespace {

void printFigures(const char* what, const TableModel& table) {
    qint64 text = 0;
    for (int r = 0; r < table.rows(); ++r) {
        for (int c = 0; c < table.columns(); ++c)
            text += table.cellView(r, c).size();
    }
    const double rows = table.rows();
    std::printf("[ figure ] %s: %d rows, text %.1f MB, storage %.1f MB, %.1f bytes per row "
                "beyond the text\n",
                what, table.rows(), text / 1e6, table.storageBytes() / 1e6,
                (table.storageBytes() - text) / rows);
}

} // namespace

TEST(RowMemory, DISABLED_MillionRowsOfEmptyAndOfTypicalFields) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    WorkFile workFile;

    // 1,000,000 cookie records of ten bytes each: every field empty.
    const QString cookies = dir.filePath(QStringLiteral("Cookies"));
    QDir().mkpath(cookies);
    QFile file(cookies + QStringLiteral("/joe@empty[1].txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(10 * 1000 * 1000 - 1, '\n'));
    file.close();
    TableModel cookieTable(QStringLiteral("ieC_ListView"), cookieColumns());
    LoadCookieTextFiles(cookies, workFile, LoadContext{}, cookieTable);
    printFigures("cookie records of empty fields", cookieTable);

    // About 1,000,000 history records of typical sizes.
    const QString history = dir.filePath(QStringLiteral("History/History.IE5"));
    QDir().mkpath(history);
    ASSERT_EQ(QProcess::execute(QStringLiteral("python3"),
                                {QStringLiteral(VC_SOURCE_DIR "/tests/tools/make-big-index.py"),
                                 history + QStringLiteral("/index.dat"), QStringLiteral("359")}),
              0);
    TableModel historyTable(QStringLiteral("ieH_ListView"), historyColumns());
    LoadHistory({history + QStringLiteral("/index.dat")}, true, true, workFile, LoadContext{},
                historyTable);
    printFigures("history records of typical fields", historyTable);
}
