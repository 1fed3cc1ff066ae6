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
    // Links: five columns. Two rows, one with empty cells and bytes that are
    // not ASCII (written as they are, not converted).
    TableModel* model = window->tab(TabId::Links).model;
    model->beginBulkUpdate();
    model->appendRow({"Caf\xE9", "2008-01-02 03:04:05", "", "/p/x.url", "http://x/?a=1&b=2"});
    model->appendRow({"", "", "", "", ""});
    model->endBulkUpdate();
    window->showTab(TabId::Links);
    window->UpdateTabState();
    ASSERT_TRUE(window->actions().ExportAction_Tab->isEnabled());

    chooser.saveAnswer = dir.filePath(QStringLiteral("links"));
    window->actions().ExportAction_Tab->trigger();
    EXPECT_EQ(chooser.lastTitle, QStringLiteral("Save to .txt"));
    // Two filters: the code page (shown first for a code-page table) and UTF-8.
    EXPECT_EQ(chooser.lastFilters,
              (QStringList{QStringLiteral("TXT files, code page %1 (*.txt)").arg(sourceCodePage()),
                           QStringLiteral("TXT files, UTF-8 (*.txt)")}));
    EXPECT_EQ(chooser.lastFilter, chooser.lastFilters.value(0));
    const QByteArray bytes = readAllOf(dir.filePath(QStringLiteral("links.txt")));
    EXPECT_EQ(bytes,
              QByteArray("Name\tCreation Time\tLast Access\tURL Address\tStored Address\tUser\r\n"
                         "Caf\xE9\t2008-01-02 03:04:05\t\t/p/x.url\thttp://x/?a=1&b=2\t\r\n"
                         "\t\t\t\t\t\r\n"));
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(window->progressBar(), nullptr);

    // The UTF-8 filter chosen: the same text, "é" as C3 A9.
    chooser.saveAnswer = dir.filePath(QStringLiteral("links-utf8"));
    chooser.filterAnswer = 1;
    window->actions().ExportAction_Tab->trigger();
    chooser.filterAnswer = -1;
    EXPECT_TRUE(readAllOf(dir.filePath(QStringLiteral("links-utf8.txt")))
                    .contains("\nCaf\xC3\xA9\t2008-01-02 03:04:05\t"));

    // After a sort the export follows the table's order.
    window->ListViewColumnClick(TabId::Links, 0);
    chooser.saveAnswer = dir.filePath(QStringLiteral("sorted.tsv"));
    window->actions().ExportAction_Tab->trigger();
    const QList<QByteArray> lines = readAllOf(chooser.saveAnswer).split('\n');
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[1], QByteArray("\t\t\t\t\t\r"));

    // The overwrite question is asked; Cancel keeps the file.
    messages.answers = {MessageAnswer::Cancel};
    chooser.saveAnswer = dir.filePath(QStringLiteral("links"));
    window->actions().ExportAction_Tab->trigger();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, tx(TextOverwriteQuestion));
    EXPECT_EQ(readAllOf(dir.filePath(QStringLiteral("links.txt"))), bytes);
}
