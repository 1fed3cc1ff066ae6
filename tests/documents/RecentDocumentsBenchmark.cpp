// Speed of the recent-documents loader on a profile with 2,000 shortcuts
// in the Recent folder and 50 jump lists (tests/tools/make-recent-benchmark.py).
// Not part of the normal run:
//   vellacord_core_tests --gtest_also_run_disabled_tests
//       --gtest_filter='RecentDocumentsBenchmark*'
// The whole command: hyperfine 'build/vellacord recent --profile DIR --tsv /dev/null'
#include "documents/DocumentSources.h"
#include "evidence/SpecialFolders.h"
#include "evidence/UserProfile.h"
#include "platform/LoadContext.h"
#include "platform/Reporter.h"
#include "tables/TableColumns.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>

using namespace vc;

TEST(RecentDocumentsBenchmark, DISABLED_TwoThousandLinksFiftyJumpLists) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString script =
        QStringLiteral(VC_TEST_DATA_DIR) + QStringLiteral("/../tools/make-recent-benchmark.py");
    ASSERT_EQ(QProcess::execute(QStringLiteral("python3"), {script, dir.path()}), 0);

    for (int run = 0; run < 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        UserProfile profile;
        QString error;
        ASSERT_TRUE(profile.open(dir.path(), &error));
        const qint64 opened = timer.nsecsElapsed();
        CollectingReporter reports;
        LoadContext context;
        context.report = &reports;
        QList<QByteArray> lines;
        ASSERT_TRUE(collectRecentDocuments(
                        &profile, GetSpecialFolder(profile, FolderKind::RecentDir), context, lines)
                        .ok);
        const qint64 read = timer.nsecsElapsed();
        TableModel table(QStringLiteral("docsR_ListView"), recentColumns());
        LoadRecentDocuments(&profile, GetSpecialFolder(profile, FolderKind::RecentDir), context,
                            table);
        const qint64 loaded = timer.nsecsElapsed();
        std::printf("run %d: %lld rows, profile %.1f ms, reading %.1f ms, reading and table "
                    "%.1f ms\n",
                    run, static_cast<long long>(lines.size()), double(opened) / 1e6,
                    double(read - opened) / 1e6, double(loaded - read) / 1e6);
        // 2,000 links and 50 jump list files, 11 registry rows, 50 x 7 entries.
        EXPECT_EQ(lines.size(), 2000 + 50 + 11 + 350);
        EXPECT_EQ(table.rows(), 2000 + 50 + 11 + 350);
        EXPECT_TRUE(reports.warnings.isEmpty());
    }
}
