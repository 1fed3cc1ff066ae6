#include "TestData.h"
#include "language/InterfaceTexts.h"
#include "platform/CodePage.h"
#include "support/RunProgram.h"
#include "support/WindowFixture.h"
#include "tables/ExportCheck.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vc;

class TabExportAction : public WindowFixture {
protected:
    QTemporaryDir dir;
};

TEST_F(TabExportAction, CaptionLineAndRowLinesAsBytes) {
    // Links: four columns. Two rows, one with empty cells and bytes that are
    // not ASCII (written as they are, not converted).
    TableModel* model = window->tab(TabId::Links).model;
    model->beginBulkUpdate();
    model->appendRow({"Caf\xE9", "2008-01-02 03:04:05", "", "http://x/?a=1&b=2"});
    model->appendRow({"", "", "", ""});
    model->endBulkUpdate();
    window->showTab(TabId::Links);
    window->UpdateTabState();
    ASSERT_TRUE(window->ExportAction_Tab->isEnabled());

    chooser.saveAnswer = dir.filePath(QStringLiteral("links"));
    window->ExportAction_Tab->trigger();
    EXPECT_EQ(chooser.lastTitle, QStringLiteral("Save to .txt"));
    EXPECT_EQ(chooser.lastFilter, QStringLiteral("TXT files (*.txt)"));
    const QByteArray bytes = readAllOf(dir.filePath(QStringLiteral("links.txt")));
    EXPECT_EQ(bytes, QByteArray("Name\tCreation Time\tLast Access\tURL Address\r\n"
                                "Caf\xE9\t2008-01-02 03:04:05\t\thttp://x/?a=1&b=2\r\n"
                                "\t\t\t\r\n"));
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(window->ProgressBar, nullptr);

    // After a sort the export follows the table's order.
    window->ListViewColumnClick(TabId::Links, 0);
    chooser.saveAnswer = dir.filePath(QStringLiteral("sorted.tsv"));
    window->ExportAction_Tab->trigger();
    const QList<QByteArray> lines = readAllOf(chooser.saveAnswer).split('\n');
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[1], QByteArray("\t\t\t\r"));

    // The overwrite question is asked; Cancel keeps the file.
    messages.answers = {MessageAnswer::Cancel};
    chooser.saveAnswer = dir.filePath(QStringLiteral("links"));
    window->ExportAction_Tab->trigger();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, tx(124));
    EXPECT_EQ(readAllOf(dir.filePath(QStringLiteral("links.txt"))), bytes);
}

TEST(XmlCommandLine, EverySubCommandWritesTheWindowsSpreadsheet) {
    QTemporaryDir dir;
    const QString file = testDataPath(QStringLiteral("content-ie5-index.dat"));
    const QString xml = dir.filePath(QStringLiteral("activity.xml"));
    const ProgramRun run =
        runProgram({QStringLiteral("activity"), file, QStringLiteral("--xml"), xml,
                    QStringLiteral("--date-format"), QStringLiteral("yyyy-MM-dd HH:mm:ss")});
    ASSERT_EQ(run.status, 0) << run.err.constData();
    const ProgramRun tsv =
        runProgram({QStringLiteral("activity"), file, QStringLiteral("--date-format"),
                    QStringLiteral("yyyy-MM-dd HH:mm:ss")});
    ASSERT_EQ(tsv.status, 0);

    const QByteArray bytes = readAllOf(xml);
    EXPECT_TRUE(allLinesEndCrLf(bytes));
    expectXmllintClean(xml);
    const ParsedSheet sheet = parseSheet(bytes);
    ASSERT_TRUE(sheet.wellFormed) << sheet.error.toStdString();
    EXPECT_EQ(sheet.sheetName, QStringLiteral("activity.xml"));
    EXPECT_TRUE(sheet.rows.value(0).value(0).contains(file));
    // The same rows as the tab-delimited output, cell for cell.
    QList<QByteArray> lines = tsv.out.split('\n');
    lines.removeLast();
    ASSERT_EQ(sheet.rows.size(), lines.size() + 1);
    EXPECT_EQ(sheet.expandedRowCount, QString::number(lines.size() + 1));
    for (int i = 0; i < lines.size(); ++i) {
        QStringList cells;
        for (const QByteArray& cell : lines[i].split('\t'))
            cells.append(decodeEvidence(cell));
        // The caption line is the sheet's row 1; row 0 is the title.
        const QStringList& xmlCells = sheet.rows[i + 1];
        ASSERT_EQ(xmlCells.size(), cells.size()) << i;
        for (int c = 0; c < cells.size(); ++c)
            EXPECT_EQ(xmlCells[c], cells[c]) << i << "," << c;
    }

    // A file that cannot be written: status 1, the path on stderr.
    const ProgramRun bad = runProgram({QStringLiteral("activity"), file, QStringLiteral("--xml"),
                                       QStringLiteral("/no/such/dir/out.xml")});
    EXPECT_EQ(bad.status, 1);
    EXPECT_TRUE(bad.err.contains("/no/such/dir/out.xml"));
}
