#include "TestData.h"
#include "language/InterfaceTexts.h"
#include "platform/CodePage.h"
#include "support/RunProgram.h"
#include "tables/ExportCheck.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vc;

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
