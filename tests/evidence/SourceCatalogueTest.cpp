// The catalogue of sources and the machine-wide loads: every source is
// reachable by its name and letter, a source of the machine reads the
// volume once, a source of users and the machine reads each user and then
// the volume, and rows end with the user's name only where the table has a
// "User" column.
#include "TestData.h"
#include "evidence/Machine.h"
#include "evidence/Sources.h"
#include "evidence/UserProfile.h"
#include "language/InterfaceTexts.h"
#include "language/TextIds.h"
#include "platform/Reporter.h"
#include "platform/WorkFile.h"
#include "recall/HeadlessRecallTarget.h"
#include "recall/RecallRun.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vc {
namespace {

const QString kJoeSid = QStringLiteral("S-1-5-21-2036804247-3058324640-2116585241-1003");

// A copy of the sample volume, which holds two Prefetch files, joe's
// INFO2 of Windows XP and bperry's $I file of Windows 10 (real files).
QString makeVolume(const QTemporaryDir& dir) {
    const QString root = dir.filePath(QStringLiteral("pc"));
    EXPECT_EQ(
        QProcess::execute(QStringLiteral("cp"),
                          {QStringLiteral("-aL"), samplesPath(QStringLiteral("volumes/pc")), root}),
        0);
    return root;
}

TEST(SourceCatalogue, EverySourceHasItsNameLetterColumnsAndUsers) {
    ASSERT_EQ(sourceCount(), kSourceCount);
    QSet<QString> names;
    QSet<char> letters;
    for (int s = 0; s < sourceCount(); ++s) {
        const SourceSpec& decl = sourceAt(s);
        names.insert(QString::fromLatin1(decl.name));
        letters.insert(decl.letter);
        EXPECT_EQ(sourceIndex(QString::fromLatin1(decl.name)), s) << decl.name;
        EXPECT_EQ(sourceIndexOfLetter(decl.letter), s) << decl.name;
        const std::vector<TableColumn> columns = sourceColumns(decl);
        // "User" closes every table but the machine's own ones.
        EXPECT_EQ(columns.back().captionText == TextUser, decl.scope != SourceScope::Machine)
            << decl.name;
        EXPECT_EQ(columns.size(), decl.columns().size() + (sourceHasUserColumn(decl) ? 1 : 0));
    }
    EXPECT_EQ(names.size(), sourceCount());
    EXPECT_EQ(letters.size(), sourceCount());
    EXPECT_EQ(sourceIndex(QStringLiteral("no-such-source")), -1);

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QString error;
    const std::unique_ptr<Machine> machine =
        Machine::openVolume(makeVolume(dir), {}, &error, {}, QString());
    ASSERT_TRUE(machine) << error.toStdString();
    ASSERT_EQ(machine->users().size(), 2u);
    const SourceSpec& folders = sourceAt(sourceIndex(QStringLiteral("win-folders")));
    const SourceSpec& programs = sourceAt(sourceIndex(QStringLiteral("win-programs")));
    const SourceSpec& deleted = sourceAt(sourceIndex(QStringLiteral("win-deleted")));
    EXPECT_EQ(sourceUsers(folders, machine.get()).size(), 2u);
    const std::vector<const UserProfile*> both = sourceUsers(programs, machine.get());
    ASSERT_EQ(both.size(), 3u);
    EXPECT_NE(both[0], nullptr);
    EXPECT_NE(both[1], nullptr);
    EXPECT_EQ(both[2], nullptr); // the volume, after its users
    EXPECT_EQ(sourceUsers(deleted, machine.get()), (std::vector<const UserProfile*>{nullptr}));
    // Without a machine every source loads once, for nobody.
    EXPECT_EQ(sourceUsers(programs, nullptr), (std::vector<const UserProfile*>{nullptr}));
}

TEST(SourceCatalogue, UserRowsAddTheUserOnlyWhereTheTableHasTheColumn) {
    TableModel withUser(QStringLiteral("t"), {{TextName, false, 0.5}, {TextUser, false, 0.5}});
    withUser.appendRow({"old", ""});
    {
        UserRows first(withUser, "joe", true);
        EXPECT_EQ(first.columns(), 1);
        first.clearRows();
        const QByteArrayView cells[] = {"a", "too many"};
        first.appendCells(cells, 2);
        UserRows second(withUser, "bperry", false);
        second.clearRows(); // the second user's load keeps the first's rows
        second.appendCells(cells, 1);
    }
    ASSERT_EQ(withUser.rows(), 2);
    EXPECT_EQ(withUser.rowCells(0), (QList<QByteArray>{"a", "joe"}));
    EXPECT_EQ(withUser.rowCells(1), (QList<QByteArray>{"a", "bperry"}));

    TableModel machineTable(QStringLiteral("m"), {{TextName, false, 0.5}, {TextSize, false, 0.5}});
    UserRows rows(machineTable, QByteArray(), true, false);
    EXPECT_EQ(rows.columns(), 2);
    const QByteArrayView cells[] = {"x", "7"};
    rows.appendCells(cells, 2);
    EXPECT_EQ(machineTable.rowCells(0), (QList<QByteArray>{"x", "7"}));
}

TEST(SourceCatalogue, AVolumeRecallReadsEachUserAndTheVolumeOnce) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QString error;
    const std::unique_ptr<Machine> machine =
        Machine::openVolume(makeVolume(dir), {}, &error, {}, QString());
    ASSERT_TRUE(machine) << error.toStdString();
    HeadlessRecallTarget target;
    CollectingReporter report;
    target.setReporter(&report);
    WorkFile workFile;
    RecallRun run(target, workFile, machine.get());
    RecallPlan plan = wholeRecallPlan();
    plan.sections.fill(false);
    const int programs = sourceIndex(QStringLiteral("win-programs"));
    const int deleted = sourceIndex(QStringLiteral("win-deleted"));
    plan.sections[size_t(programs)] = true;
    plan.sections[size_t(deleted)] = true;
    run.run(plan);
    EXPECT_EQ(run.gathered(), (QList<int>{programs, deleted}));

    // UserAssist rows of both users, then the two Prefetch files with no
    // user.
    const TableModel& table = target.table(programs);
    const int user = table.columns() - 1;
    QStringList prefetch;
    QSet<QString> users;
    for (int r = 0; r < table.rows(); ++r) {
        if (table.cellText(r, 1) == QStringLiteral("Prefetch")) {
            EXPECT_GE(r, table.rows() - 2) << "the volume's rows come after the users'";
            EXPECT_TRUE(table.cellText(r, user).isEmpty());
            prefetch << table.cellText(r, 0);
        } else {
            users.insert(table.cellText(r, user));
        }
    }
    EXPECT_EQ(prefetch,
              (QStringList{"\\DEVICE\\HARDDISKVOLUME1\\WINDOWS\\SYSTEM32\\CMD.EXE",
                           "\\VOLUME{01d3096ba3a46863-2ca3d1ae}\\WINDOWS\\SYSTEM32\\NOTEPAD.EXE"}));
    EXPECT_EQ(users, (QSet<QString>{"joe", "bperry"}));

    // The volume's Recycle Bins, each entry's owner named through the
    // ProfileList's SIDs, and no trailing "User" column.
    const TableModel& bin = target.table(deleted);
    ASSERT_EQ(bin.rows(), 5);
    EXPECT_EQ(bin.columns(), int(sourceAt(deleted).columns().size()));
    EXPECT_EQ(bin.cellText(0, 0), QStringLiteral("C:\\Users\\random\\Downloads\\bunnies.jpg"));
    EXPECT_EQ(bin.cellText(0, 4), QStringLiteral("bperry"));
    for (int r = 1; r < 5; ++r) {
        EXPECT_EQ(bin.cellText(r, 4), QStringLiteral("joe")) << r;
        EXPECT_EQ(bin.cellText(r, 5), kJoeSid) << r;
    }
    EXPECT_EQ(bin.cellText(4, 1), QStringLiteral("ethereal-setup-0.10.6.exe"));
}

TEST(SourceCatalogue, AVolumesTitleCountsItsUsers) {
    fillDefaultInterfaceTexts();
    QString error;
    const QString volume = samplesPath(QStringLiteral("volumes/pc"));
    const std::unique_ptr<Machine> both = Machine::openVolume(volume, {}, &error);
    ASSERT_TRUE(both) << error.toStdString();
    EXPECT_EQ(both->title(), QStringLiteral("SAMPLE-PC, 2 users"));
    const std::unique_ptr<Machine> one =
        Machine::openVolume(volume, {QStringLiteral("joe")}, &error);
    ASSERT_TRUE(one) << error.toStdString();
    EXPECT_EQ(one->title(), QStringLiteral("SAMPLE-PC, 1 user"));
}

} // namespace
} // namespace vc
