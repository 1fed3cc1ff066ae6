// The file on which the hash walk's progress once overflowed an int (made by
// tests/tools/make-hash-walk-index.py): the recall's bars stay in range. In
// the sanitized build an out-of-range conversion aborts the test.
#include "TestData.h"
#include "support/HeadlessRecall.h"
#include "support/RunProgram.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vc;
using vc::testing::HeadlessRecall;

namespace {

// A profile of the XP layout whose cache index is that file.
QString makeProfile(const QTemporaryDir& dir) {
    const QString profile = dir.filePath(QStringLiteral("profile"));
    const QString cache =
        profile + QStringLiteral("/Local Settings/Temporary Internet Files/Content.IE5");
    EXPECT_TRUE(QDir().mkpath(cache));
    const int status = QProcess::execute(
        QStringLiteral("python3"),
        {QStringLiteral(VC_SOURCE_DIR) + QStringLiteral("/tests/tools/make-hash-walk-index.py"),
         cache + QStringLiteral("/index.dat")});
    EXPECT_EQ(status, 0);
    EXPECT_EQ(QFileInfo(cache + QStringLiteral("/index.dat")).size(), 4 * 1024 * 1024);
    EXPECT_TRUE(QFile::copy(testDataPath(QStringLiteral("ntuser-xp.dat")),
                            profile + QStringLiteral("/NTUSER.DAT")));
    return profile;
}

} // namespace

TEST(HashWalkProgress, AStatedSizeOfOneWithAHugeHashTableKeepsTheBarsInRange) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = makeProfile(dir);
    HeadlessRecall recall;
    QString message;
    ASSERT_TRUE(recall.runSections(folder, {0}, &message));
    EXPECT_EQ(recall.run->gathered(), QList<int>{0});
    EXPECT_EQ(recall.target.table(0).rows(), 0);
    EXPECT_GE(recall.target.progress()->position(), 0);
    EXPECT_LE(recall.target.progress()->position(), 100);
    EXPECT_LE(recall.target.overall()->position(), 100);
    EXPECT_TRUE(recall.report.errors.isEmpty());

    // The command line of the finding.
    const ProgramRun cli =
        runProgram({QStringLiteral("recall"), QStringLiteral("--hash-walk"),
                    QStringLiteral("--sections"), QStringLiteral("a"), QStringLiteral("--profile"),
                    folder, QStringLiteral("--out"), dir.filePath(QStringLiteral("out"))});
    EXPECT_EQ(cli.status, 0) << cli.err.toStdString();
    EXPECT_TRUE(cli.out.contains("Records: 0")) << cli.out.toStdString();
}
