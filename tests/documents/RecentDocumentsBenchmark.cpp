// Speed of the recent-documents readers on a profile with 2,000 shortcuts
// in the Recent folder and 50 jump lists (tests/tools/make-recent-benchmark.py).
// Not part of the normal run:
//   vellacord_tests --gtest_also_run_disabled_tests --gtest_filter='RecentDocumentsBenchmark*'
#include "documents/ModernRecentDocuments.h"
#include "platform/LoadContext.h"
#include "platform/Profile.h"
#include "platform/Reporter.h"

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
        Profile profile;
        QString error;
        ASSERT_TRUE(profile.open(dir.path(), &error));
        CollectingReporter reports;
        LoadContext context;
        context.report = &reports;
        QList<QByteArray> lines;
        collectRecentFolderDocuments(profile, context, lines);
        const qint64 folder = timer.nsecsElapsed();
        collectModernRecentDocuments(profile, context, lines);
        const qint64 all = timer.nsecsElapsed();
        std::printf("run %d: %lld rows, Recent folder %.1f ms, registry and jump lists %.1f ms, "
                    "all %.1f ms\n",
                    run, static_cast<long long>(lines.size()), double(folder) / 1e6,
                    double(all - folder) / 1e6, double(all) / 1e6);
        // 2,000 links and 50 jump list files, 11 registry rows, 50 x 7 entries.
        EXPECT_EQ(lines.size(), 2000 + 50 + 11 + 350);
        EXPECT_TRUE(reports.warnings.isEmpty());
    }
}
