#include "TestData.h"
#include "language/InterfaceTexts.h"
#include "platform/CodePage.h"
#include "tables/ExportCheck.h"
#include "tables/XmlSpreadsheetWriter.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vc;

namespace {

std::vector<TableColumn> fourColumns() {
    return {{92, false, 0.3}, {87, true, 0.2}, {93, true, 0.2}, {95, false, 0.0}};
}

QByteArray exportToBytes(const TableModel& table, const XmlSheetInfo& info,
                         Progress* progress = nullptr) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(WriteXmlSpreadsheet(table, buffer, info, progress));
    return buffer.data();
}

// A device that accepts only so many bytes, like a full disk.
class FullDevice : public QIODevice {
public:
    explicit FullDevice(qint64 room) : m_room(room) { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 size) override {
        if (size > m_room)
            return -1;
        m_room -= size;
        return size;
    }

private:
    qint64 m_room;
};

} // namespace

TEST(XmlSpreadsheet, LayoutCountsAndFixedParts) {
    TableModel table(QStringLiteral("t"), fourColumns());
    table.appendRow({"a", "2001-01-01 10:00:00", "", "/x/a"});
    table.appendRow({"b"}); // missing cells are written empty
    table.appendRow({"c", "", "2002-02-02 00:00:00", "/x/c"});
    XmlSheetInfo info;
    info.sheetName = QStringLiteral("report.xml");
    info.title = xmlTitleText(QStringLiteral("\"Vellacord\"   w"), QStringLiteral("Docs: Recent"),
                              QString());
    info.columnWidths = {120, 80, 80, 200};
    CountingProgress progress;
    const QByteArray bytes = exportToBytes(table, info, &progress);

    EXPECT_TRUE(bytes.startsWith(XmlHeaderText()));
    EXPECT_TRUE(bytes.endsWith(QByteArray("   </Table>\r\n") + XmlFooterText()));
    EXPECT_TRUE(allLinesEndCrLf(bytes));
    EXPECT_TRUE(bytes.contains("<Worksheet ss:Name=\"report.xml\">\r\n"
                               "  <Table ss:ExpandedColumnCount=\"4\" ss:ExpandedRowCount=\"5\" "
                               "x:FullColumns=\"1\"\r\n"
                               "   x:FullRows=\"1\" ss:StyleID=\"s22\" "
                               "ss:DefaultRowHeight=\"11.25\">\r\n"
                               "   <Column ss:StyleID=\"s23\" ss:AutoFitWidth=\"0\" "
                               "ss:Width=\"120\"/>\r\n"));
    // Title row: the title, then empty cells at C - 1 and C.
    EXPECT_TRUE(bytes.contains(
        "  <Row ss:AutoFitHeight=\"0\" ss:Height=\"23.25\" ss:StyleID=\"s27\">\r\n"
        "    <Cell ss:StyleID=\"s28\"><Data ss:Type=\"String\">&quot;&quot;Vellacord&quot;   "
        "w.&quot; Docs: Recent. </Data></Cell>\r\n"
        "    <Cell ss:Index=\"3\" ss:StyleID=\"s28\"/>\r\n"
        "    <Cell ss:StyleID=\"s28\"/>\r\n  </Row>\r\n"));
    // Data rows: table columns 1 and 3 carry the date style.
    EXPECT_TRUE(bytes.contains("   <Row>\r\n"
                               "    <Cell><Data ss:Type=\"String\">b</Data></Cell>\r\n"
                               "    <Cell ss:StyleID=\"s30\"><Data ss:Type=\"String\"></Data>"
                               "</Cell>\r\n"
                               "    <Cell><Data ss:Type=\"String\"></Data></Cell>\r\n"
                               "    <Cell ss:StyleID=\"s30\"><Data ss:Type=\"String\"></Data>"
                               "</Cell>\r\n   </Row>\r\n"));

    const ParsedSheet sheet = parseSheet(bytes);
    ASSERT_TRUE(sheet.wellFormed) << sheet.error.toStdString();
    EXPECT_EQ(sheet.expandedColumnCount, QStringLiteral("4"));
    EXPECT_EQ(sheet.expandedRowCount, QStringLiteral("5"));
    ASSERT_EQ(sheet.rows.size(), 5);
    EXPECT_EQ(sheet.rows[1], QStringList({tx(TextName), tx(TextCreationTime), tx(TextLastAccess),
                                          tx(TextFilePath)}));
    EXPECT_EQ(sheet.rows[4], QStringList({"c", "", "2002-02-02 00:00:00", "/x/c"}));
    EXPECT_GE(progress.position(), 50);
    EXPECT_LT(progress.position(), 100);

    // The fixed prologue: the style sheet of eleven styles, s30 and s31
    // with the date format, and the lines with unusual characters.
    const QByteArray head = XmlHeaderText();
    EXPECT_EQ(head.count("<Style ss:ID="), 11);
    EXPECT_EQ(head.count("<NumberFormat ss:Format=\"General Date\"/>"), 2);
    EXPECT_EQ(head.count("ss:Weight=\"2\"/>"), 4); // s29's borders
    EXPECT_TRUE(head.contains("\r\n  <LocationOfComponents HRef=\"file:///\\\"/>\r\n"));
    EXPECT_TRUE(head.contains("\r\n xmlns:html=\"http://www.w3.org/TR/REC-html40\">\r\n"));
    EXPECT_TRUE(head.contains("  <Style ss:ID=\"s28\">\r\n"
                              "   <Alignment ss:Horizontal=\"Left\" ss:Vertical=\"Center\"/>\r\n"
                              "   <Borders>\r\n"));
    EXPECT_TRUE(head.endsWith("  </Style>\r\n </Styles>\r\n"));
    EXPECT_EQ(XmlFooterText().count("\r\n"), 11);

    // A failing device ends the export with false.
    FullDevice full(4000);
    EXPECT_FALSE(WriteXmlSpreadsheet(table, full, info, nullptr));
}

TEST(XmlSpreadsheet, EscapesEveryTextAndKeepsItExact) {
    // Web addresses with query strings, markup-like texts, quotes, tabs and
    // line breaks, and characters XML 1.0 cannot hold at all.
    TableModel table(QStringLiteral("t"), fourColumns());
    const QByteArray query = "http://example.com/a?b=1&c=<2>&d=\"3\"";
    table.appendRow({query, "<Row ss:x>", "a<b & <%= x %> <Data", "tab\there\r\nline"});
    table.appendRow({QByteArray("bell\x07") + "end", "\x01", "&amp;", "]]>"});
    XmlSheetInfo info;
    info.sheetName = QStringLiteral("a&b <\"c\">.xml");
    info.title = QStringLiteral("T & <t>");
    const QByteArray bytes = exportToBytes(table, info);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("escaped.xml"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    expectXmllintClean(path);

    const ParsedSheet sheet = parseSheet(bytes);
    ASSERT_TRUE(sheet.wellFormed) << sheet.error.toStdString();
    EXPECT_EQ(sheet.sheetName, info.sheetName);
    EXPECT_EQ(sheet.rows[0].value(0), info.title);
    ASSERT_EQ(sheet.rows.size(), 4);
    EXPECT_EQ(sheet.rows[2], QStringList({QString::fromLatin1(query), "<Row ss:x>",
                                          "a<b & <%= x %> <Data", "tab\there\r\nline"}));
    const QString replaced(QChar::ReplacementCharacter);
    EXPECT_EQ(sheet.rows[3],
              QStringList({QStringLiteral("bell") + replaced + "end", replaced, "&amp;", "]]>"}));

    EXPECT_EQ(xmlText(QStringLiteral("<&>\"'")), QByteArray("&lt;&amp;&gt;&quot;'"));
    // A character outside the basic plane stays; a lone surrogate does not.
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    EXPECT_EQ(xmlText(emoji), emoji.toUtf8());
    EXPECT_EQ(xmlText(QString(QChar(0xD800))), QString(replaced).toUtf8());
}

TEST(XmlSpreadsheet, CyrillicCellIsWrittenAsUtf8) {
    // The code page goes back to windows-1252 however the test ends.
    struct CodePageGuard {
        ~CodePageGuard() { setSourceCodePage(QStringLiteral("windows-1252")); }
    } guard;
    ASSERT_TRUE(setSourceCodePage(QStringLiteral("windows-1251")));
    TableModel table(QStringLiteral("t"), fourColumns());
    // "Привет" and "ёЁ" in windows-1251.
    table.appendRow({"\xCF\xF0\xE8\xE2\xE5\xF2", "", "", "\xB8\xA8"});
    XmlSheetInfo info;
    info.sheetName = QStringLiteral("ru.xml");
    const QByteArray bytes = exportToBytes(table, info);

    EXPECT_TRUE(bytes.contains(QByteArray("<Data ss:Type=\"String\">") +
                               QString::fromUtf8("Привет").toUtf8() + "</Data>"));
    EXPECT_TRUE(bytes.contains(QString::fromUtf8("ёЁ").toUtf8()));
    EXPECT_FALSE(bytes.contains("\xCF\xF0"));
    const ParsedSheet sheet = parseSheet(bytes);
    ASSERT_TRUE(sheet.wellFormed);
    EXPECT_EQ(sheet.rows.value(2).value(0), QString::fromUtf8("Привет"));
}
