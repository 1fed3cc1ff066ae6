#include "TestData.h"
#include "language/InterfaceTexts.h"
#include "platform/CodePage.h"
#include "support/WindowFixture.h"
#include "tables/ExportCheck.h"
#include "tables/XmlSpreadsheetWriter.h"

#include <QBuffer>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vc;

class XmlExportAction : public WindowFixture {
protected:
    void fillRecent() {
        TableModel* model = window->tab(TabId::Recent).model;
        model->beginBulkUpdate();
        model->appendRow({"report", ".doc", "2008-01-02 03:04:05", "2008-02-03 04:05:06",
                          "C:/Docs/report.doc?x=1&y=2"});
        model->appendRow({"\xE9t\xE9", ".txt", "", " ", "C:/Docs/\xE9t\xE9.txt"});
        model->endBulkUpdate();
        window->showTab(TabId::Recent);
        window->UpdateTabState();
    }
    QTemporaryDir dir;
};

TEST_F(XmlExportAction, WritesTheCurrentTableToTheChosenFile) {
    fillRecent();
    ASSERT_TRUE(window->actions().ExportAction_XLS->isEnabled());
    // A name without extension gets ".xml"; the sheet is named after the file.
    chooser.saveAnswer = dir.filePath(QStringLiteral("recent"));
    window->actions().ExportAction_XLS->trigger();
    EXPECT_EQ(chooser.lastTitle, QStringLiteral("Save to .xml"));
    // The first export starts in the home folder (not the program's),
    // suggesting the tab's caption and the date as the name.
    EXPECT_EQ(chooser.lastStartFolder,
              QDir::homePath() +
                  QStringLiteral("/Documents - Links to recent documents and folders ") +
                  QDate::currentDate().toString(Qt::ISODate) + QStringLiteral(".xml"));
    EXPECT_EQ(chooser.lastFilter, QStringLiteral("XML files (*.xml)"));
    const QString path = dir.filePath(QStringLiteral("recent.xml"));
    ASSERT_TRUE(QFileInfo::exists(path));
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(window->progressBar(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    const QByteArray bytes = readAllOf(path);
    const ParsedSheet sheet = parseSheet(bytes);
    ASSERT_TRUE(sheet.wellFormed) << sheet.error.toStdString();
    EXPECT_EQ(sheet.sheetName, QStringLiteral("recent.xml"));
    EXPECT_EQ(sheet.expandedRowCount, QStringLiteral("4"));
    // Title: the window caption, the tab caption and the (empty) conditions.
    EXPECT_EQ(sheet.rows[0].value(0), QLatin1Char('"') + window->windowTitle() +
                                          QStringLiteral(".\" ") + window->currentTabCaption() +
                                          QStringLiteral(". "));
    EXPECT_TRUE(window->currentTabCaption().endsWith(tx(TextRecentTab)));
    EXPECT_EQ(sheet.rows[2].value(4), QStringLiteral("C:/Docs/report.doc?x=1&y=2"));
    EXPECT_EQ(sheet.rows[3].value(0), QString::fromUtf8("été"));
    EXPECT_EQ(sheet.rows[3].value(3), QStringLiteral(" "));
    expectXmllintClean(path);

    // A name with any extension keeps it, and the sheet name carries it.
    chooser.saveAnswer = dir.filePath(QStringLiteral("recent.v2.dat"));
    window->actions().ExportAction_XLS->trigger();
    EXPECT_EQ(parseSheet(readAllOf(chooser.saveAnswer)).sheetName, QStringLiteral("recent.v2.dat"));
}

TEST_F(XmlExportAction, AsksBeforeOverwritingAndReportsFailures) {
    fillRecent();
    const QString path = dir.filePath(QStringLiteral("old.xml"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("keep me");
    old.close();

    // The question concerns the file that would be written, also when the
    // name was chosen without its extension; Cancel keeps the old file.
    chooser.saveAnswer = dir.filePath(QStringLiteral("old"));
    messages.answers = {MessageAnswer::Cancel};
    window->actions().ExportAction_XLS->trigger();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].kind, MessageKind::Warning);
    EXPECT_EQ(messages.shown[0].text, tx(TextOverwriteQuestion));
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(readAllOf(path), QByteArray("keep me"));

    // OK replaces it.
    messages.shown.clear();
    window->actions().ExportAction_XLS->trigger();
    EXPECT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(parseSheet(readAllOf(path)).wellFormed);

    // A folder in the way cannot be deleted: the information box names it.
    messages.shown.clear();
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("taken.xml")));
    chooser.saveAnswer = dir.filePath(QStringLiteral("taken.xml"));
    window->actions().ExportAction_XLS->trigger();
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown[1].kind, MessageKind::Information);
    EXPECT_EQ(messages.shown[1].text,
              tx(TextDeleteFailed) + QStringLiteral(":\n") + chooser.saveAnswer);

    // A file that cannot be created: the error box names the export file
    // and the reason; the progress bar and the cursor are back to normal.
    messages.shown.clear();
    chooser.saveAnswer = dir.filePath(QStringLiteral("no/such/folder/x.xml"));
    window->actions().ExportAction_XLS->trigger();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].kind, MessageKind::Error);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("The export file cannot be written:\n") +
                                          chooser.saveAnswer +
                                          QStringLiteral("\nNo such file or directory"));
    EXPECT_EQ(window->progressBar(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // A cancelled dialog writes nothing; an empty table is not exported.
    messages.shown.clear();
    chooser.saveAnswer.clear();
    const int callsBefore = chooser.calls;
    window->actions().ExportAction_XLS->trigger();
    EXPECT_EQ(chooser.calls, callsBefore + 1);
    EXPECT_TRUE(messages.shown.isEmpty());
    window->showTab(TabId::Temp);
    window->UpdateTabState();
    EXPECT_FALSE(window->actions().ExportAction_XLS->isEnabled());
    window->ExportAction_XLSExecute();
    EXPECT_EQ(chooser.calls, callsBefore + 1);
}

TEST_F(XmlExportAction, ExportOfARealIndexFileReadsBackCellForCell) {
    chooser.fileAnswer = testDataPath(QStringLiteral("content-ie5-index.dat"));
    window->actions().ActionLoadIEActivity->trigger();
    TableModel* model = window->tab(TabId::Activity).model;
    ASSERT_GT(model->rows(), 10);

    chooser.saveAnswer = dir.filePath(QStringLiteral("activity.xml"));
    window->actions().ExportAction_XLS->trigger();
    const QByteArray bytes = readAllOf(chooser.saveAnswer);
    EXPECT_TRUE(allLinesEndCrLf(bytes));
    expectXmllintClean(chooser.saveAnswer);

    const ParsedSheet sheet = parseSheet(bytes);
    ASSERT_TRUE(sheet.wellFormed) << sheet.error.toStdString();
    EXPECT_EQ(sheet.expandedRowCount, QString::number(model->rows() + 2));
    ASSERT_EQ(sheet.rows.size(), model->rows() + 2);
    int withQuery = 0;
    for (int r = 0; r < model->rows(); ++r) {
        const QStringList& cells = sheet.rows[r + 2];
        ASSERT_EQ(cells.size(), model->columns()) << r;
        for (int c = 0; c < model->columns(); ++c)
            EXPECT_EQ(cells[c], model->cellText(r, c)) << r << "," << c;
        withQuery += model->cellText(r, 0).contains(QLatin1Char('&')) ? 1 : 0;
    }
    // The file holds addresses with query strings, the case escaping is for.
    RecordProperty("rows_with_ampersand", withQuery);
}

TEST_F(XmlExportAction, OpensInASpreadsheetProgram) {
    const QString office = QStandardPaths::findExecutable(QStringLiteral("libreoffice"));
    if (office.isEmpty())
        GTEST_SKIP() << "LibreOffice is not installed";
    fillRecent();
    chooser.saveAnswer = dir.filePath(QStringLiteral("sheet.xml"));
    window->actions().ExportAction_XLS->trigger();
    QProcess convert;
    convert.setWorkingDirectory(dir.path());
    convert.start(office, {QStringLiteral("--headless"),
                           QStringLiteral("-env:UserInstallation=file://") +
                               dir.filePath(QStringLiteral("lo")),
                           QStringLiteral("--convert-to"), QStringLiteral("csv"),
                           QStringLiteral("--outdir"), dir.path(), chooser.saveAnswer});
    ASSERT_TRUE(convert.waitForFinished(180000));
    const QString csv = QString::fromUtf8(readAllOf(dir.filePath(QStringLiteral("sheet.csv"))));
    EXPECT_TRUE(csv.contains(QStringLiteral("C:/Docs/report.doc?x=1&y=2"))) << csv.toStdString();
    EXPECT_TRUE(csv.contains(QStringLiteral("2008-01-02 03:04:05")));
}
