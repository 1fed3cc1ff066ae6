// A machine read with older states of its volume (the shadow copies of a
// disk image): the rows of each snapshot follow the live volume's with the
// snapshot's creation time in the trailing "Snapshot" column, a row equal to
// one given before is left out, the summary counts what each snapshot
// added, and a table drops the column again for evidence without snapshots.
#include "TestData.h"
#include "evidence/EvidenceFiles.h"
#include "evidence/Machine.h"
#include "evidence/Sources.h"
#include "language/TextIds.h"
#include "platform/Reporter.h"
#include "platform/TimeValue.h"
#include "platform/WorkFile.h"
#include "recall/HeadlessRecallTarget.h"
#include "recall/RecallRun.h"

#include <QSet>

#include <gtest/gtest.h>

namespace vc {
namespace {

// A volume as a disk image gives it: paths start at "/" whatever folder
// holds it, so that the live volume and its copies name their files alike.
// Some files can be replaced by others (an older hive in a snapshot).
class RootedFiles : public EvidenceFiles {
public:
    RootedFiles(const QString& root, QMap<QByteArray, QString> replaced = {})
        : m_root(QFile::encodeName(root)), m_replaced(std::move(replaced)) {}
    bool isLocal() const override { return false; }
    std::optional<EvidenceEntry> entry(const QByteArray& path) const override {
        return local().entry(place(path));
    }
    bool list(const QByteArray& folder, std::vector<EvidenceEntry>& entries,
              QString* error) const override {
        return local().list(place(folder), entries, error);
    }
    std::unique_ptr<EvidenceReader> open(const QByteArray& path, QString* error) const override {
        return local().open(place(path), error);
    }
    QString describe() const override { return QStringLiteral("rooted"); }

private:
    static const EvidenceFiles& local() { return localEvidenceFiles(); }
    QByteArray place(const QByteArray& path) const {
        const auto replaced = m_replaced.constFind(path);
        if (replaced != m_replaced.constEnd())
            return QFile::encodeName(*replaced);
        return path == "/" ? m_root : m_root + path;
    }
    QByteArray m_root;
    QMap<QByteArray, QString> m_replaced;
};

std::unique_ptr<Machine> openRooted(const QString& root, QMap<QByteArray, QString> replaced = {}) {
    QString error;
    std::unique_ptr<Machine> machine = Machine::openVolume(
        QStringLiteral("/"), {}, &error, std::make_shared<RootedFiles>(root, std::move(replaced)),
        QStringLiteral("pc.E01, partition 1"));
    EXPECT_TRUE(machine) << error.toStdString();
    return machine;
}

// 2013-10-27 08:40:12 UTC and a day later, as FILETIMEs.
constexpr qint64 kFirstCopy = 130273368120000000;
constexpr qint64 kSecondCopy = kFirstCopy + qint64(864000000000);

QList<QList<QByteArray>> rowsOf(const TableModel& table) {
    QList<QList<QByteArray>> rows;
    for (int r = 0; r < table.rows(); ++r)
        rows << table.rowCells(r);
    return rows;
}

TEST(SnapshotRows, SnapshotsAddOnlyTheRowsTheLiveVolumeLacks) {
    const QString volume = samplesPath(QStringLiteral("volumes/pc"));
    const SourceSpec& typed = sourceAt(sourceIndex(QStringLiteral("win-typed")));
    CollectingReporter report;
    LoadContext context;
    context.report = &report;
    WorkFile workFile;
    SourceInput input;
    input.workFile = &workFile;

    // The live volume alone: the table as every other evidence gives it.
    const std::unique_ptr<Machine> alone = openRooted(volume);
    ASSERT_TRUE(alone);
    const std::unique_ptr<TableModel> plain = makeSourceTable(typed);
    input.machine = alone.get();
    const MachineLoad plainLoad = loadFromMachine(typed, input, context, *plain);
    ASSERT_TRUE(plainLoad.loaded);
    ASSERT_GT(plain->rows(), 5);
    EXPECT_TRUE(plainLoad.snapshotRows.empty());
    EXPECT_TRUE(snapshotSummary(alone.get(), plainLoad).isEmpty());

    // The same volume with two copies: one as it is now, one in which
    // bperry's hive is an older one holding other typed paths, searches and
    // run commands.
    const std::unique_ptr<Machine> machine = openRooted(volume);
    ASSERT_TRUE(machine);
    machine->addSnapshot(openRooted(volume),
                         TimeValue{TimeKind::FileTime, TimeRule::Open, kFirstCopy});
    machine->addSnapshot(
        openRooted(volume, {{"/Users/bperry/NTUSER.DAT",
                             testDataPath(QStringLiteral("ntuser-win10-typed.dat"))}}),
        TimeValue{TimeKind::FileTime, TimeRule::Open, kSecondCopy});
    ASSERT_TRUE(hasSnapshotColumn(machine.get()));
    const std::unique_ptr<TableModel> table = makeSourceTable(typed, true);
    ASSERT_EQ(table->columns(), plain->columns() + 1);
    EXPECT_EQ(table->columnSpecs().back().captionText, TextSnapshot);
    EXPECT_TRUE(table->isDateColumn(table->columns() - 1));
    input.machine = machine.get();
    const MachineLoad load = loadFromMachine(typed, input, context, *table);
    ASSERT_TRUE(load.loaded);
    ASSERT_EQ(load.snapshotRows.size(), 2u);
    // The copy equal to the live volume adds nothing.
    EXPECT_EQ(load.snapshotRows[0], 0);
    EXPECT_GT(load.snapshotRows[1], 0);

    // The live rows first, in their order, with an empty Snapshot cell;
    // then the second copy's rows, each carrying its time and none equal to
    // a live row.
    const int snapshot = table->columns() - 1;
    const QList<QList<QByteArray>> live = rowsOf(*plain);
    ASSERT_EQ(table->rows(), live.size() + load.snapshotRows[1]);
    QSet<QString> liveTexts;
    for (int r = 0; r < live.size(); ++r) {
        QList<QByteArray> cells = table->rowCells(r);
        EXPECT_TRUE(cells.takeLast().isEmpty()) << r;
        EXPECT_EQ(cells, live[r]) << r;
        liveTexts.insert(QString::fromUtf8(cells.join('\t')));
    }
    QSet<QString> added;
    for (int r = int(live.size()); r < table->rows(); ++r) {
        QList<QByteArray> cells = table->rowCells(r);
        cells.removeLast();
        const std::optional<TimeValue> time = readTimeCell(table->cellView(r, snapshot));
        ASSERT_TRUE(time) << r;
        EXPECT_EQ(time->raw, kSecondCopy);
        const QString text = QString::fromUtf8(cells.join('\t'));
        EXPECT_FALSE(liveTexts.contains(text)) << qPrintable(text);
        EXPECT_FALSE(added.contains(text)) << "a row repeated: " << qPrintable(text);
        added.insert(text);
        EXPECT_EQ(table->cellText(r, snapshot - 1), QStringLiteral("bperry"));
    }
    // The older hive's typed paths are among what the copy adds.
    bool typedPath = false;
    for (int r = int(live.size()); r < table->rows(); ++r)
        typedPath = typedPath || table->cellText(r, 1) == QStringLiteral("TypedPaths");
    EXPECT_TRUE(typedPath);

    const QStringList summary = snapshotSummary(machine.get(), load);
    ASSERT_EQ(summary.size(), 2);
    EXPECT_EQ(summary[0],
              QStringLiteral("Shadow copy 1 (2013-10-27 08:40:12.0000000 UTC): 0 rows added"));
    EXPECT_EQ(summary[1],
              QStringLiteral("Shadow copy 2 (2013-10-28 08:40:12.0000000 UTC): %1 rows added")
                  .arg(load.snapshotRows[1]));

    // A table of the window keeps its columns for the next evidence: the
    // Snapshot column goes when that has no snapshots, and comes back.
    fitSourceTable(*table, typed, alone.get());
    EXPECT_EQ(table->columns(), plain->columns());
    EXPECT_EQ(table->rows(), 0);
    fitSourceTable(*table, typed, machine.get());
    EXPECT_EQ(table->columns(), plain->columns() + 1);
}

TEST(SnapshotRows, TheRecallCountsWhatEachSnapshotAdded) {
    const QString volume = samplesPath(QStringLiteral("volumes/pc"));
    const std::unique_ptr<Machine> machine = openRooted(volume);
    ASSERT_TRUE(machine);
    machine->addSnapshot(
        openRooted(volume, {{"/Users/bperry/NTUSER.DAT",
                             testDataPath(QStringLiteral("ntuser-win10-typed.dat"))}}),
        TimeValue{TimeKind::FileTime, TimeRule::Open, kFirstCopy});
    HeadlessRecallTarget target;
    CollectingReporter report;
    target.setReporter(&report);
    WorkFile workFile;
    RecallRun run(target, workFile, machine.get());
    RecallPlan plan = wholeRecallPlan();
    plan.sections.fill(false);
    const int typed = sourceIndex(QStringLiteral("win-typed"));
    plan.sections[size_t(typed)] = true;
    run.run(plan);
    const TableModel& table = target.table(typed);
    EXPECT_EQ(table.columnSpecs().back().captionText, TextSnapshot);
    int fromCopy = 0;
    for (int r = 0; r < table.rows(); ++r)
        fromCopy += table.cell(r, table.columns() - 1).isEmpty() ? 0 : 1;
    EXPECT_GT(fromCopy, 0);
    EXPECT_TRUE(run.summary().contains(
        QStringLiteral("Shadow copy 1 (2013-10-27 08:40:12.0000000 UTC): %1 rows added")
            .arg(fromCopy)))
        << qPrintable(run.summary());
}

} // namespace
} // namespace vc
