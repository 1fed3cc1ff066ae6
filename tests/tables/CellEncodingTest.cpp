// Tables whose text cells are UTF-8 (the browsers' databases) beside tables
// of code-page bytes: what is shown, what a find looks for and what the two
// exports write.
#include "platform/CodePage.h"
#include "tables/ExportEncoding.h"
#include "tables/RowSearch.h"
#include "tables/TabDelimitedWriter.h"
#include "tables/TableModel.h"
#include "tables/XmlSpreadsheetWriter.h"

#include <QBuffer>

#include <gtest/gtest.h>

using namespace vc;

namespace {

// Name, a date column, File Path.
std::vector<TableColumn> columns() {
    return {{92, false, 0.3}, {87, true, 0.3}, {95, false, 0.0}};
}

class CellEncodings : public ::testing::Test {
protected:
    void SetUp() override { m_codePage = sourceCodePage(); }
    void TearDown() override { setSourceCodePage(m_codePage); }

private:
    QString m_codePage;
};

QByteArray tabExport(const TableModel& table) {
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    EXPECT_TRUE(WriteTabDelimited(table, out, "\n", nullptr, naturalExportEncoding(table)));
    return out.data();
}

QByteArray tabExportAs(const TableModel& table, ExportEncoding encoding) {
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    EXPECT_TRUE(WriteTabDelimited(table, out, "\n", nullptr, encoding));
    return out.data();
}

QByteArray xmlExport(const TableModel& table) {
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    EXPECT_TRUE(WriteXmlSpreadsheet(table, out, XmlSheetInfo{}, nullptr));
    return out.data();
}

} // namespace

TEST_F(CellEncodings, Utf8TableBesideACodePageTable) {
    // Windows-1251: "Д" is the byte C4, which windows-1252 would show as "Ä".
    ASSERT_TRUE(setSourceCodePage(QStringLiteral("windows-1251")));
    const QByteArray utf8Name = QStringLiteral("Дом ёж").toUtf8();
    const QByteArray date =
        encodeEvidence(QStringLiteral("1 мая 2011")); // a date with a month name
    TableModel web(QStringLiteral("web"), columns());
    web.setCellEncoding(vc::CellEncoding::Utf8);
    web.appendRow({utf8Name, date, "C:\\x"});
    TableModel ie(QStringLiteral("ie"), columns());
    ie.appendRow({encodeEvidence(QStringLiteral("Дом ёж")), date, "C:\\x"});
    EXPECT_EQ(ie.cellEncoding(), vc::CellEncoding::SourceCodePage);

    // Shown: the text cells by the table's encoding, dates by the code page.
    EXPECT_EQ(web.cellText(0, 0), QStringLiteral("Дом ёж"));
    EXPECT_EQ(web.cellText(0, 1), QStringLiteral("1 мая 2011"));
    EXPECT_EQ(web.data(web.index(0, 0)).toString(), QStringLiteral("Дом ёж"));
    EXPECT_EQ(ie.cellText(0, 0), QStringLiteral("Дом ёж"));
    EXPECT_EQ(ie.cellText(0, 1), QStringLiteral("1 мая 2011"));

    // A find looks for the text in the table's bytes.
    EXPECT_EQ(web.encodeText(QStringLiteral("ёж")), QStringLiteral("ёж").toUtf8());
    EXPECT_EQ(web.decodeText(web.encodeText(QStringLiteral("ёж"))), QStringLiteral("ёж"));
    EXPECT_EQ(ie.encodeText(QStringLiteral("ёж")), QByteArray("\xB8\xE6"));
    RowSearch search;
    search.columns = {true, true, true};
    search.text = web.encodeText(QStringLiteral("ёж"));
    EXPECT_EQ(findRow(web, search, 0, 1), 0);
    EXPECT_EQ(findRow(ie, search, 0, 1), -1) << "UTF-8 bytes are not in a code-page row";
    search.text = ie.encodeText(QStringLiteral("ёж"));
    EXPECT_EQ(findRow(ie, search, 0, 1), 0);

    // The tab-delimited export: a code-page table gives code-page bytes, a
    // UTF-8 table UTF-8 throughout (its date cell converted).
    EXPECT_EQ(tabExport(ie), encodeEvidence(QStringLiteral("Name\tCreation Time\tFile Path\n"
                                                           "Дом ёж\t1 мая 2011\tC:\\x\n")));
    EXPECT_EQ(
        tabExport(web),
        QStringLiteral("Name\tCreation Time\tFile Path\nДом ёж\t1 мая 2011\tC:\\x\n").toUtf8());
    // Either table in the other encoding: the same text, converted cell by
    // cell (captions too); a character the code page lacks becomes "?".
    const QByteArray asUtf8 =
        QStringLiteral("Name\tCreation Time\tFile Path\nДом ёж\t1 мая 2011\tC:\\x\n").toUtf8();
    EXPECT_EQ(tabExportAs(ie, ExportEncoding::Utf8), asUtf8);
    EXPECT_EQ(tabExportAs(web, ExportEncoding::Utf8), asUtf8);
    EXPECT_EQ(tabExportAs(web, ExportEncoding::CodePage), tabExport(ie));
    TableModel greek(QStringLiteral("web"), columns());
    greek.setCellEncoding(vc::CellEncoding::Utf8);
    greek.appendRow({QStringLiteral("Ωx").toUtf8(), "", ""});
    EXPECT_TRUE(tabExportAs(greek, ExportEncoding::CodePage).endsWith("?x\t\t\n"));

    // The XML export holds the same text for both.
    const QByteArray webXml = xmlExport(web);
    EXPECT_EQ(webXml, xmlExport(ie));
    EXPECT_TRUE(webXml.contains(QStringLiteral(">Дом ёж<").toUtf8()));
    EXPECT_TRUE(webXml.contains(QStringLiteral(">1 мая 2011<").toUtf8()));

    // Bytes that are not UTF-8 in a UTF-8 table become replacement
    // characters, never a crash; the export still writes them as they are.
    web.appendRow({"bad \xFF\xFE", "", ""});
    EXPECT_EQ(web.cellText(1, 0), QStringLiteral("bad \uFFFD\uFFFD"));
    EXPECT_TRUE(tabExport(web).endsWith("bad \xFF\xFE\t\t\n"));
    QByteArray exported;
    web.appendExportCell(1, date, exported);
    EXPECT_EQ(exported, QStringLiteral("1 мая 2011").toUtf8());
    exported.clear();
    web.appendExportCell(0, date, exported);
    EXPECT_EQ(exported, date) << "a text cell goes out as its bytes";
}
