// What the five tables share: their columns, the row filter of the recall
// (dates and phrases, with UTF-8 cells against a code-page phrase), the
// progress bar, and the known folders that lead stored paths.
#include "evidence/EvidenceFiles.h"
#include "platform/CodePage.h"
#include "platform/LoadContext.h"
#include "platform/Progress.h"
#include "recall/RecallConditions.h"
#include "tables/RowSink.h"
#include "windows/KnownFolderPaths.h"
#include "windows/WindowsRowWriter.h"
#include "windows/WindowsTestSupport.h"

using namespace vc;
using namespace vc::testing;

namespace {

class WindowsRowsTest : public WindowsTablesTest {
protected:
    // Writes three rows of the Deleted files table through the filter.
    std::unique_ptr<TableModel> filtered(const RecallConditionSet& filter) {
        auto table = makeWindowsTable(WindowsTable::Deleted);
        WindowsRowWriter writer(WindowsTable::Deleted, *table, &filter);
        const struct {
            const char* path;
            quint64 deleted;
        } rows[] = {{"C:\\Users\\jo\\Zürich.png", 131117098650000000ULL}, // 2016-06-29 21:37:45
                    {"C:\\Users\\jo\\plan.txt", 127379243050000000ULL},   // 2004-08-25 16:18:25
                    {"C:\\Users\\jo\\undated.txt", 0}};
        for (const auto& row : rows) {
            writer.setText(kDeletedPath, QString::fromUtf8(row.path));
            writer.setFileTime(kDeletedTime, row.deleted);
            writer.keepText(kDeletedSid, QStringLiteral("S-1-5-21-7"));
            writer.write();
        }
        return table;
    }
};

} // namespace

TEST_F(WindowsRowsTest, EveryDateColumnSaysWhatItsTimeMeans) {
    for (const WindowsTable table :
         {WindowsTable::Folders, WindowsTable::Programs, WindowsTable::Typed, WindowsTable::Deleted,
          WindowsTable::Timeline}) {
        const auto columns = windowsTableColumns(table);
        const int filterDate = windowsFilterDateColumn(table);
        ASSERT_LT(filterDate, int(columns.size()));
        EXPECT_TRUE(columns[size_t(filterDate)].isDate);
        // Notes go last; the typed entries' source file (a shell's history)
        // came after them.
        EXPECT_EQ(columns[columns.size() - (table == WindowsTable::Typed ? 2 : 1)].captionText,
                  TextNote);
        for (const TableColumn& column : columns) {
            EXPECT_FALSE(tx(column.captionText).isEmpty());
            // Only the activity's expiry is no event of its own.
            if (column.isDate && column.captionText != TextExpirationTime) {
                EXPECT_NE(column.eventText, kNoEvent) << tx(column.captionText).toStdString();
            }
            if (column.eventText != kNoEvent) {
                EXPECT_FALSE(tx(column.eventText).isEmpty());
            }
        }
        EXPECT_EQ(makeWindowsTable(table)->cellEncoding(), CellEncoding::Utf8);
    }
    EXPECT_EQ(int(folderColumns().size()), int(kFolderColumnCount));
    EXPECT_EQ(int(programColumns().size()), int(kProgramColumnCount));
    EXPECT_EQ(int(typedColumns().size()), int(kTypedColumnCount));
    EXPECT_EQ(int(deletedColumns().size()), int(kDeletedColumnCount));
    EXPECT_EQ(int(timelineColumns().size()), int(kActivityColumnCount));
}

TEST_F(WindowsRowsTest, TheRecallsConditionsJudgeTimesAndTexts) {
    RecallConditionSet none;
    EXPECT_EQ(filtered(none)->rows(), 3);
    // A kept cell stays on every row.
    EXPECT_EQ(shown(*filtered(none), 2, kDeletedSid), QStringLiteral("S-1-5-21-7"));

    RecallChoice choice = defaultRecallChoice();
    choice.date1Set = true;
    choice.date1 = QDate(2016, 6, 29);
    RecallConditionSet day;
    BuildRecallConditions(choice, day);
    auto table = filtered(day);
    ASSERT_EQ(table->rows(), 1);
    EXPECT_EQ(shown(*table, 0, kDeletedPath), QStringLiteral("C:\\Users\\jo\\Zürich.png"));
    EXPECT_EQ(shown(*table, 0, kDeletedTime), QStringLiteral("2016-06-29 21:37:45"));

    // The phrase is held in the source code page; the cells are UTF-8. The
    // time's text is part of the row's text too.
    const QString codePage = sourceCodePage();
    setSourceCodePage(QStringLiteral("windows-1252"));
    RecallChoice phrase = defaultRecallChoice();
    phrase.phrase = QStringLiteral("Zürich");
    RecallConditionSet byName;
    BuildRecallConditions(phrase, byName);
    EXPECT_EQ(filtered(byName)->rows(), 1);
    phrase.phrase = QStringLiteral("2004-08-25");
    BuildRecallConditions(phrase, byName);
    table = filtered(byName);
    ASSERT_EQ(table->rows(), 1);
    EXPECT_EQ(shown(*table, 0, kDeletedPath), QStringLiteral("C:\\Users\\jo\\plan.txt"));
    setSourceCodePage(codePage);
}

TEST_F(WindowsRowsTest, ControlCharactersNeverSplitARow) {
    auto table = makeWindowsTable(WindowsTable::Typed);
    WindowsRowWriter writer(WindowsTable::Typed, *table, nullptr);
    writer.setText(kTypedText, QStringLiteral("a\tb\nc\rd"));
    writer.setText(kTypedSource, QStringLiteral("x") + QChar(0) + QStringLiteral("y"));
    writer.addNote(QStringLiteral("one"));
    writer.addNote(QStringLiteral("two"));
    writer.addNote(QStringLiteral("one"));
    writer.write();
    ASSERT_EQ(table->rows(), 1);
    EXPECT_EQ(shown(*table, 0, kTypedText), QStringLiteral("a b c d"));
    EXPECT_EQ(shown(*table, 0, kTypedSource), QStringLiteral("x"));
    EXPECT_EQ(shown(*table, 0, kTypedNote), QStringLiteral("one; two"));
    // The next row starts empty.
    writer.write();
    EXPECT_TRUE(shown(*table, 1, kTypedNote).isEmpty());
    EXPECT_TRUE(shown(*table, 1, kTypedText).isEmpty());
}

TEST_F(WindowsRowsTest, TheBarMovesOverItsShareOnly) {
    CountingProgress bar;
    bar.setPosition(40);
    LoadContext context;
    context.progress = &bar;
    context.share = 20;
    LoadSteps steps(context, 4);
    steps.done(0);
    EXPECT_EQ(bar.position(), 45);
    steps.done(3);
    EXPECT_EQ(bar.position(), 60);
    steps.finish();
    EXPECT_EQ(bar.position(), 60);
    // A load of nothing takes its share at once, from where the bar stands.
    LoadSteps(context, 0).finish();
    EXPECT_EQ(bar.position(), 80);
}

TEST_F(WindowsRowsTest, KnownFoldersLeadingStoredPaths) {
    KnownFolderLocations locations;
    locations.setProfilePath(QStringLiteral("C:\\Users\\jo"));
    locations.setShellFolder(QStringLiteral("Programs"), QStringLiteral("D:\\Menu\\Programs"));
    const auto resolved = [&](const char* path) {
        return withKnownFolderPath(QString::fromLatin1(path), locations);
    };
    // A machine folder at its default place, a user folder from Shell
    // Folders, one below a user folder's default.
    EXPECT_EQ(resolved("{7C5A40EF-A0FB-4BFC-874A-C0F2E0B9FA8E}\\Google\\chrome.exe"),
              QStringLiteral("C:\\Program Files (x86)\\Google\\chrome.exe"));
    EXPECT_EQ(resolved("{A77F5D77-2E2B-44C3-A6A2-ABA601054A51}\\Games.lnk"),
              QStringLiteral("D:\\Menu\\Programs\\Games.lnk"));
    EXPECT_EQ(resolved("{5CD7AEE2-2219-4A67-B85D-6C9CE15660CB}\\tool\\t.exe"),
              QStringLiteral("C:\\Users\\jo\\AppData\\Local\\Programs\\tool\\t.exe"));
    EXPECT_EQ(resolved("::{1AC14E77-02E7-4E5D-B744-2EB1AE5198B7}"),
              QStringLiteral("C:\\Windows\\System32"));
    EXPECT_EQ(resolved("%csidl2%\\Games.lnk"), QStringLiteral("D:\\Menu\\Programs\\Games.lnk"));
    EXPECT_EQ(resolved("%CSIDL2%"), QStringLiteral("D:\\Menu\\Programs"));
    // Unchanged: an unknown GUID, a folder the hive does not place, a GUID
    // that runs on into a name, and a CSIDL the table does not know.
    for (const char* same : {"{00000000-1111-2222-3333-444444444444}\\x.exe",
                             "{4BD8D571-6D19-48D3-BE97-422220080E43}\\song.mp3",
                             "{1AC14E77-02E7-4E5D-B744-2EB1AE5198B7}cmd.exe", "%csidl999%\\x",
                             "{short}", "", "Microsoft.Windows.Explorer"})
        EXPECT_EQ(resolved(same), QLatin1String(same)) << same;
    // Without the profile's path the folders below it stay unplaced.
    EXPECT_EQ(withKnownFolderPath(QStringLiteral("{A52BBA46-E9E1-435F-B3D9-28DAA648C0F6}\\a"),
                                  KnownFolderLocations()),
              QStringLiteral("{A52BBA46-E9E1-435F-B3D9-28DAA648C0F6}\\a"));
}
