// The recall run over the sample profile and small made-up profiles,
// without windows: sections, summary, shares, and the filtered tables
// checked row by row against the unfiltered ones.
#include "recall/RecallRun.h"
#include "TestData.h"
#include "evidence/Machine.h"
#include "evidence/UserProfile.h"
#include "language/InterfaceTexts.h"
#include "platform/QStringPrinting.h"
#include "platform/Reporter.h"
#include "platform/TimeText.h"
#include "platform/WorkFile.h"
#include "recall/HeadlessRecallTarget.h"
#include "recall/RecallConditions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using namespace vc;

namespace {

using Rows = QList<QList<QByteArray>>;

// The column each table's recall date comes from (last access, or the
// expiration time of a cookie; the visit, the download's start and the
// cookie's last access in the browser tables).
constexpr int kDateColumn[kRecallSectionCount] = {2, 2, 3, 2, 3, 3, 2, 2, 6};

Rows rowsOf(const TableModel& table) {
    Rows rows;
    for (int r = 0; r < table.rows(); ++r)
        rows.append(table.rowCells(r));
    return rows;
}

class RecallRunTest : public ::testing::Test {
protected:
    RecallConditionSet conditions;
    void SetUp() override {
        fillDefaultInterfaceTexts();
        setShowsUtc(true);
        setDateTimeFormat(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    }
    void TearDown() override {
        conditions.clear();
        setShowsUtc(false);
        setDateTimeFormat(defaultDateTimeFormat());
    }
    void openSample() {
        QString error;
        machine = Machine::openProfile(samplesPath(QStringLiteral("profiles/xp")), &error);
        ASSERT_TRUE(machine) << qPrintable(error);
    }
    QString run(HeadlessRecallTarget& target, const RecallPlan& plan) {
        target.setReporter(&reports);
        RecallRun recall(target, workFile, machine.get());
        recall.run(plan);
        gathered = recall.gathered();
        return recall.summary();
    }

    CollectingReporter reports;
    std::unique_ptr<Machine> machine;
    WorkFile workFile;
    QList<int> gathered;
};

TEST_F(RecallRunTest, WholeRecallOfTheSampleProfile) {
    openSample();
    HeadlessRecallTarget target;
    const QString summary = run(target, wholeRecallPlan());
    EXPECT_EQ(gathered, (QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
    const QStringList lines = summary.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), kSourceCount) << qPrintable(summary);
    // The later sources, each on a line of its own with its table's count.
    const char* const later[] = {"Chrome, Edge, Firefox: Cache", "Windows: Folders opened",
                                 "Windows: Programs run",        "Windows: Typed and searched",
                                 "Windows: Deleted files",       "Windows: Windows Timeline",
                                 "Documents: Thumbnails"};
    for (int s = 9; s < 16; ++s)
        EXPECT_EQ(lines[s], QLatin1String(later[s - 9]) + QStringLiteral(". Records: ") +
                                QString::number(target.table(s).rows()));
    EXPECT_FALSE(summary.endsWith(QLatin1Char('\n')));
    EXPECT_EQ(lines[0], QStringLiteral("Internet Explorer: Activity. Records: ") +
                            QString::number(target.table(0).rows()));
    EXPECT_EQ(lines[2], QStringLiteral("Internet Explorer: Cookie. Records: %1. Cookie Files: 8")
                            .arg(target.table(2).rows()));
    EXPECT_EQ(lines[5], QStringLiteral("Documents: Not erased temporary files. Files: ") +
                            QString::number(target.table(5).rows()));
    // The recent documents in all their columns: both Recent folders (12
    // files), the XP open/save lists (11), RecentDocs (6), the jump lists (8).
    EXPECT_EQ(lines[4], QStringLiteral("Documents: Links to recent documents and folders. "
                                       "Records: 37"));
    const TableModel& recent = target.table(4);
    ASSERT_EQ(recent.rows(), 37);
    ASSERT_EQ(recent.columns(), 26); // the recent documents' own columns, then "User"
    EXPECT_EQ(recent.cell(12, 5), QByteArray("OpenSaveMRU\\*"));
    EXPECT_EQ(recent.cell(23, 5), QByteArray("RecentDocs"));
    EXPECT_EQ(recent.cell(36, 14), QByteArray("SYSTEM")); // the custom jump list's volume
    EXPECT_TRUE(reports.warnings.isEmpty()) << qPrintable(reports.warnings.join('\n'));
    // The sample's Chrome and Firefox databases: every visit, download and
    // cookie of both browsers.
    EXPECT_EQ(lines[6], QStringLiteral("Chrome, Edge, Firefox: History. Records: 70"));
    EXPECT_EQ(lines[7], QStringLiteral("Chrome, Edge, Firefox: Downloads. Records: 3"));
    EXPECT_EQ(lines[8], QStringLiteral("Chrome, Edge, Firefox: Cookies. Records: 573"));
    EXPECT_EQ(target.labelText(8, RecallLabel::Count), QStringLiteral("Records: 573"));
    EXPECT_EQ(target.table(6).cellEncoding(), CellEncoding::Utf8);
    EXPECT_EQ(target.table(6).cell(0, 6), "Chrome");
    EXPECT_EQ(target.table(6).cell(69, 6), "Firefox");
    for (int s = 0; s < kRecallSectionCount; ++s) {
        // joe's XP profile holds no browser cache or activity database, the
        // profile given alone lies in no volume whose Recycle Bin is read,
        // and thumbnails are read from Linux homes only.
        if (s != 9 && s != 13 && s != 14 && s != 15) {
            EXPECT_GT(target.table(s).rows(), 0) << s;
        }
        EXPECT_TRUE(target.labelText(s, RecallLabel::Condition).isEmpty()) << s;
    }
    EXPECT_EQ(target.overallBar().position(), 100);
    EXPECT_TRUE(reports.errors.isEmpty());

    // Cookie rows: the text files first (in name order, each row with its
    // cookie's name), then the index rows (no name).
    const TableModel& cookies = target.table(2);
    int fromFiles = 0;
    while (fromFiles < cookies.rows() && !cookies.cell(fromFiles, 1).isEmpty())
        ++fromFiles;
    EXPECT_GT(fromFiles, 0);
    EXPECT_LT(fromFiles, cookies.rows()) << "the index adds rows after the text files";
    for (int r = fromFiles; r < cookies.rows(); ++r)
        EXPECT_TRUE(cookies.cell(r, 1).isEmpty()) << r;
    for (int r = 1; r < fromFiles; ++r)
        EXPECT_LE(cookies.cell(r - 1, 4).toLower(), cookies.cell(r, 4).toLower()) << r;
    EXPECT_EQ(cookies.cell(0, 4), QByteArray("joe@bank.example[1].txt"));
}

// Runs a recall with conditions over the sample profile and checks every
// table against the whole recall's table, row by row and in order: the rows
// kept are exactly those whose date and row text pass.
void expectFilteredRowByRow(const Rows (&all)[kRecallSectionCount], HeadlessRecallTarget& filtered,
                            const std::function<bool(const QDate&, const QByteArray&)>& keep,
                            int* keptTotal) {
    for (int s = 0; s < kRecallSectionCount; ++s) {
        Rows expected;
        for (const QList<QByteArray>& row : all[s]) {
            const QDate date =
                QDate::fromString(QString::fromLatin1(row.value(kDateColumn[s]).left(10)),
                                  QStringLiteral("yyyy-MM-dd"));
            if (keep(date, row.join(' ')))
                expected.append(row);
        }
        EXPECT_EQ(rowsOf(filtered.table(s)), expected) << "section " << s;
        *keptTotal += int(expected.size());
    }
}

TEST_F(RecallRunTest, ConditionsKeepExactlyThePassingRows) {
    openSample();
    HeadlessRecallTarget whole;
    run(whole, wholeRecallPlan());
    Rows all[kRecallSectionCount];
    for (int s = 0; s < kRecallSectionCount; ++s)
        all[s] = rowsOf(whole.table(s));
    std::array<bool, kRecallSectionCount> every{};
    every.fill(true);

    // A day of the cache and history AND a phrase.
    RecallChoice c = defaultRecallChoice();
    c.date1Set = true;
    c.date1 = QDate(2015, 8, 25);
    c.phrase = QStringLiteral("msn");
    BuildRecallConditions(c, conditions);
    HeadlessRecallTarget andTarget;
    const QString summary = run(andTarget, conditionalRecallPlan(every, conditions));
    int kept = 0;
    expectFilteredRowByRow(
        all, andTarget,
        [](const QDate& d, const QByteArray& row) {
            return d == QDate(2015, 8, 25) && row.contains("msn");
        },
        &kept);
    EXPECT_GT(kept, 0);
    EXPECT_GT(andTarget.table(0).rows(), 0);
    EXPECT_LT(andTarget.table(0).rows(), whole.table(0).rows());
    for (int s = 0; s < kRecallSectionCount; ++s)
        EXPECT_EQ(andTarget.labelText(s, RecallLabel::Condition),
                  DescribeRecallConditions(conditions));
    EXPECT_EQ(summary.count(QLatin1Char('\n')), kSourceCount - 1);

    // A month of the cookies (swapped) OR a phrase of the bank documents.
    c.date1 = QDate(2008, 4, 30);
    c.date2Set = true;
    c.date2 = QDate(2008, 4, 1);
    c.phrase = QStringLiteral("bank");
    c.join = 1;
    BuildRecallConditions(c, conditions);
    HeadlessRecallTarget orTarget;
    run(orTarget, conditionalRecallPlan(every, conditions));
    kept = 0;
    expectFilteredRowByRow(
        all, orTarget,
        [](const QDate& d, const QByteArray& row) {
            return (d >= QDate(2008, 4, 1) && d <= QDate(2008, 4, 30)) || row.contains("bank");
        },
        &kept);
    EXPECT_GT(orTarget.table(2).rows(), 0);
    EXPECT_GT(orTarget.table(4).rows(), 0) << "the recent bank letter";
    EXPECT_LT(orTarget.table(2).rows(), whole.table(2).rows());

    // The browsers' May 2011 (visits, downloads and cookie accesses of the
    // Chrome files) OR a phrase of Firefox's cookies: the date of each table's
    // own date column, the phrase anywhere in the row.
    c = defaultRecallChoice();
    c.date1Set = c.date2Set = true;
    c.date1 = QDate(2011, 5, 1);
    c.date2 = QDate(2011, 5, 31);
    c.phrase = QStringLiteral("wikipedia");
    c.join = 1;
    BuildRecallConditions(c, conditions);
    HeadlessRecallTarget webTarget;
    run(webTarget, conditionalRecallPlan(every, conditions));
    kept = 0;
    expectFilteredRowByRow(
        all, webTarget,
        [](const QDate& d, const QByteArray& row) {
            return (d >= QDate(2011, 5, 1) && d <= QDate(2011, 5, 31)) || row.contains("wikipedia");
        },
        &kept);
    for (int s : {6, 7, 8}) {
        EXPECT_GT(webTarget.table(s).rows(), 0) << s;
        EXPECT_LT(webTarget.table(s).rows(), whole.table(s).rows()) << s;
    }
}

TEST_F(RecallRunTest, OnlyCookieChecked) {
    openSample();
    std::array<bool, kRecallSectionCount> checked{};
    checked[2] = true;
    HeadlessRecallTarget target;
    RecallPlan plan = conditionalRecallPlan(checked, conditions);
    plan.description = QStringLiteral("Search Options: x");
    EXPECT_EQ(plan.share, 94);
    const QString summary = run(target, plan);
    EXPECT_EQ(target.opened(), (QList<int>{2}));
    EXPECT_EQ(gathered, (QList<int>{2}));
    for (int s : {0, 1, 3, 4, 5, 6, 7, 8})
        EXPECT_EQ(target.table(s).rows(), 0) << s;
    EXPECT_GT(target.table(2).rows(), 0);
    EXPECT_EQ(target.overallBar().position(), 100) << "shows full";
    EXPECT_EQ(target.labelText(2, RecallLabel::Condition), QStringLiteral("Search Options: x"));
    EXPECT_EQ(target.labelHint(2, RecallLabel::Condition), QStringLiteral("Search Options: x"));
    EXPECT_TRUE(summary.startsWith(QStringLiteral("Internet Explorer: Cookie. Records: ")));
    EXPECT_TRUE(summary.endsWith(QStringLiteral(". Cookie Files: 8\n")));
}

TEST_F(RecallRunTest, ProfileWithoutCacheIndexOrCookies) {
    // A profile with the XP folders but nothing in them (and no hive).
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char* sub :
         {"Cookies", "Favorites", "Recent", "Local Settings/Temp", "Local Settings/History",
          "Local Settings/Temporary Internet Files/Content.IE5"})
        ASSERT_TRUE(QDir(dir.path()).mkpath(QString::fromLatin1(sub)));
    QFile hive(dir.filePath(QStringLiteral("NTUSER.DAT")));
    ASSERT_TRUE(hive.open(QIODevice::WriteOnly));
    hive.close();
    QString error;
    machine = Machine::openProfile(dir.path(), &error);
    ASSERT_TRUE(machine) << qPrintable(error);

    HeadlessRecallTarget target;
    // Rows from an earlier load are removed.
    target.table(0).appendRow({"old"});
    target.table(2).appendRow({"old"});
    const QString summary = run(target, wholeRecallPlan());
    EXPECT_EQ(target.table(0).rows(), 0);
    EXPECT_EQ(target.table(2).rows(), 0);
    EXPECT_EQ(target.labelText(2, RecallLabel::Count), QStringLiteral("Records: 0"));
    EXPECT_EQ(target.labelText(2, RecallLabel::Files), QStringLiteral("Cookie Files: 0"));
    EXPECT_TRUE(summary.startsWith(
        QStringLiteral("Internet Explorer: Activity. File index.dat not found. Please, search "
                       "it manually\nInternet Explorer: History. Records: 0\n"
                       "Internet Explorer: Cookie. Records: 0. Cookie Files: 0\n")))
        << qPrintable(summary);
    // No browser databases: the three browser sections are empty, each on
    // a line of its own after the temporary files.
    EXPECT_TRUE(summary.contains(QStringLiteral("\nChrome, Edge, Firefox: History. Records: 0\n"
                                                "Chrome, Edge, Firefox: Downloads. Records: 0\n"
                                                "Chrome, Edge, Firefox: Cookies. Records: 0\n"
                                                "Chrome, Edge, Firefox: Cache. Records: 0\n")))
        << qPrintable(summary);
    EXPECT_EQ(summary.count(QLatin1Char('\n')), kSourceCount - 1);
    EXPECT_TRUE(reports.errors.isEmpty());
}

TEST_F(RecallRunTest, WorkFileThatCannotBeCreated) {
    openSample();
    // The work file's private folder is gone: every attempt to create it fails.
    ASSERT_TRUE(QFileInfo(workFile.fileName()).dir().removeRecursively());
    HeadlessRecallTarget target;
    target.table(1).appendRow({"old"});
    const QString summary = run(target, wholeRecallPlan());

    // Activity and Cookie stop at once: no result, no line break, no
    // condition label, no step of the overall bar; History ends normally.
    EXPECT_EQ(gathered, (QList<int>{1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
    EXPECT_TRUE(summary.startsWith(
        QStringLiteral("Internet Explorer: Activity. Internet Explorer: History. Records: 0\n"
                       "Internet Explorer: Cookie. Internet Explorer: Links. Records: ")))
        << qPrintable(summary);
    EXPECT_EQ(target.table(1).rows(), 0);
    ASSERT_EQ(reports.errors.size(), 3);
    for (const QString& error : reports.errors)
        EXPECT_EQ(error, QStringLiteral("Error when Opening Work File:\n") + workFile.fileName());
    // History, Links and recent documents step the bar by the share (5 for
    // nine sections), the temporary files once more in their own step; the
    // browser sections step it once per database read (two for the
    // history, three for the downloads, two for the cookies) and once at
    // their end. They need no work file.
    // The sections that ran stepped the bar; the run, which went on to its
    // last section, ends with it full.
    EXPECT_EQ(target.overallBar().position(), 100);
    EXPECT_EQ(target.table(7).rows(), 3);
    EXPECT_GT(target.table(5).rows(), 0);
}

} // namespace
