#include "tables/XmlSpreadsheetWriter.h"

#include "tables/ColumnShare.h"

namespace vc {

namespace {

const QByteArray kEol = QByteArrayLiteral("\r\n");

// One style of the sheet: alignment line, border weight, font line, fill
// colour (empty for none) and whether it carries the date number format.
struct SheetStyle {
    const char* id;
    const char* alignment;
    int weight;
    const char* font;
    const char* colour;
    bool dateFormat;
};

const char kA1[] = "   <Alignment ss:Vertical=\"Center\"/>";
const char kA2[] =
    "   <Alignment ss:Horizontal=\"Left\" ss:Vertical=\"Center\" ss:WrapText=\"1\"/>";
const char kA3[] = "   <Alignment ss:Horizontal=\"Center\" ss:Vertical=\"Center\"/>";
const char kA4[] = "   <Alignment ss:Horizontal=\"Left\" ss:Vertical=\"Center\"/>";
const char kF1[] = "   <Font ss:Size=\"8\"/>";
const char kF2[] = "   <Font x:Family=\"Swiss\" ss:Size=\"8\" ss:Bold=\"1\"/>";

const SheetStyle kStyles[] = {
    {"s22", kA1, 1, kF1, "", false},        {"s23", kA2, 1, kF1, "#FFFFFF", false},
    {"s24", kA3, 1, kF1, "#FFFFCC", false}, {"s25", kA3, 1, kF1, "#FFFFFF", false},
    {"s26", kA2, 1, kF1, "#FFFFCC", false}, {"s27", kA3, 1, kF2, "#C0C0C0", false},
    {"s28", kA4, 1, kF2, "#99FF66", false}, {"s29", kA3, 2, kF2, "#FFFFCC", false},
    {"s30", kA4, 1, kF1, "#CCCCFF", true},  {"s31", kA3, 1, kF1, "#FFFFFF", true},
};

void line(QByteArray& out, const char* text) {
    out.append(text).append(kEol);
}

bool isForbidden(char16_t c) {
    return (c < 0x20 && c != 0x09 && c != 0x0A && c != 0x0D) || c == 0xFFFE || c == 0xFFFF;
}

// The element that holds one cell: a data cell, with the date style for the
// table's odd columns.
const QByteArray kCellOpen = QByteArrayLiteral("    <Cell><Data ss:Type=\"String\">");
const QByteArray kStyledCellOpen =
    QByteArrayLiteral("    <Cell ss:StyleID=\"s30\"><Data ss:Type=\"String\">");
const QByteArray kCellClose = QByteArrayLiteral("</Data></Cell>\r\n");

} // namespace

QByteArray XmlHeaderText() {
    QByteArray out;
    line(out, "<?xml version=\"1.0\"?>");
    line(out, "<Workbook xmlns=\"urn:schemas-microsoft-com:office:spreadsheet\"");
    line(out, " xmlns:o=\"urn:schemas-microsoft-com:office:office\"");
    line(out, " xmlns:x=\"urn:schemas-microsoft-com:office:excel\"");
    line(out, " xmlns:ss=\"urn:schemas-microsoft-com:office:spreadsheet\"");
    line(out, " xmlns:html=\"http://www.w3.org/TR/REC-html40\">");
    line(out, " <DocumentProperties xmlns=\"urn:schemas-microsoft-com:office:office\">");
    line(out, "  <LastAuthor>kfq</LastAuthor>");
    line(out, "  <Created>2006-10-15T12:32:03Z</Created>");
    line(out, "  <Version>10.2625</Version>");
    line(out, " </DocumentProperties>");
    line(out, " <OfficeDocumentSettings xmlns=\"urn:schemas-microsoft-com:office:office\">");
    line(out, "  <DownloadComponents/>");
    line(out, "  <LocationOfComponents HRef=\"file:///\\\"/>");
    line(out, " </OfficeDocumentSettings>");
    line(out, " <ExcelWorkbook xmlns=\"urn:schemas-microsoft-com:office:excel\">");
    line(out, "  <WindowHeight>11640</WindowHeight>");
    line(out, "  <WindowWidth>15480</WindowWidth>");
    line(out, "  <WindowTopX>360</WindowTopX>");
    line(out, "  <WindowTopY>60</WindowTopY>");
    line(out, "  <ActiveSheet>1</ActiveSheet>");
    line(out, "  <ProtectStructure>False</ProtectStructure>");
    line(out, "  <ProtectWindows>False</ProtectWindows>");
    line(out, " </ExcelWorkbook>");
    line(out, " <Styles>");
    line(out, "  <Style ss:ID=\"Default\" ss:Name=\"Normal\">");
    line(out, "   <Alignment ss:Vertical=\"Bottom\"/>");
    line(out, "   <Borders/>");
    line(out, "   <Font/>");
    line(out, "   <Interior/>");
    line(out, "   <NumberFormat/>");
    line(out, "   <Protection/>");
    line(out, "  </Style>");
    for (const SheetStyle& s : kStyles) {
        out.append("  <Style ss:ID=\"").append(s.id).append("\">").append(kEol);
        line(out, s.alignment);
        line(out, "   <Borders>");
        for (const char* position : {"Bottom", "Left", "Right", "Top"})
            out.append("    <Border ss:Position=\"")
                .append(position)
                .append("\" ss:LineStyle=\"Continuous\" ss:Weight=\"")
                .append(QByteArray::number(s.weight))
                .append("\"/>")
                .append(kEol);
        line(out, "   </Borders>");
        line(out, s.font);
        if (*s.colour)
            out.append("   <Interior ss:Color=\"")
                .append(s.colour)
                .append("\" ss:Pattern=\"Solid\"/>")
                .append(kEol);
        if (s.dateFormat)
            line(out, "   <NumberFormat ss:Format=\"General Date\"/>");
        line(out, "  </Style>");
    }
    line(out, " </Styles>");
    return out;
}

QByteArray XmlFooterText() {
    QByteArray out;
    line(out, "  <WorksheetOptions xmlns=\"urn:schemas-microsoft-com:office:excel\">");
    line(out, "   <PageSetup>");
    line(out, "    <PageMargins x:Bottom=\"0.984251969\" x:Left=\"0.78740157499999996\"");
    line(out, "     x:Right=\"0.78740157499999996\" x:Top=\"0.984251969\"/>");
    line(out, "   </PageSetup>");
    line(out, "   <Unsynced/>");
    line(out, "   <ProtectObjects>False</ProtectObjects>");
    line(out, "   <ProtectScenarios>False</ProtectScenarios>");
    line(out, "  </WorksheetOptions>");
    line(out, " </Worksheet>");
    line(out, "</Workbook>");
    return out;
}

QByteArray xmlText(const QString& text) {
    bool plain = true;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '&' || u == '<' || u == '>' || u == '"' || u < 0x20 || u >= 0xD800) {
            plain = false;
            break;
        }
    }
    if (plain)
        return text.toUtf8();

    QString safe;
    safe.reserve(text.size() + 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        switch (u) {
        case '&':
            safe += QLatin1String("&amp;");
            continue;
        case '<':
            safe += QLatin1String("&lt;");
            continue;
        case '>':
            safe += QLatin1String("&gt;");
            continue;
        case '"':
            safe += QLatin1String("&quot;");
            continue;
        case 0x09:
            safe += QLatin1String("&#9;");
            continue;
        case 0x0A:
            safe += QLatin1String("&#10;");
            continue;
        case 0x0D:
            safe += QLatin1String("&#13;");
            continue;
        default:
            break;
        }
        if (QChar::isHighSurrogate(u) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text[i + 1].unicode())) {
            safe += text[i];
            safe += text[i + 1];
            ++i;
            continue;
        }
        if (QChar::isSurrogate(u) || isForbidden(u))
            safe += QChar(QChar::ReplacementCharacter);
        else
            safe += text[i];
    }
    return safe.toUtf8();
}

QString xmlTitleText(const QString& windowCaption, const QString& tabCaption,
                     const QString& conditions) {
    return QLatin1Char('"') + windowCaption + QStringLiteral(".\" ") + tabCaption +
           QStringLiteral(". ") + conditions;
}

std::vector<int> defaultColumnWidths(const TableModel& table, int width) {
    const auto& columns = table.columnSpecs();
    std::vector<double> factors;
    for (const TableColumn& column : columns)
        factors.push_back(column.widthFactor);
    // The columns up to the one that takes the rest share the width as they
    // always have; trailing columns after it keep their own shares.
    const int all = int(columns.size());
    const int n = all == 0 ? 0 : int(restColumnOf(factors)) + 1;
    std::vector<int> widths(static_cast<size_t>(all), 0);
    for (int c = n; c < all; ++c)
        widths[size_t(c)] = int(width * columns[size_t(c)].widthFactor);
    int sumButLastTwo = 0;
    for (int c = 0; c < n - 1; ++c) {
        widths[size_t(c)] = int(width * columns[size_t(c)].widthFactor);
        if (c < n - 2)
            sumButLastTwo += widths[size_t(c)] + 1;
    }
    // A table wider than its view keeps its last column at its own share
    // rather than squeezing it to nothing.
    if (n > 0)
        widths[size_t(n - 1)] =
            std::max(int(width * columns[size_t(n - 1)].widthFactor), width - sumButLastTwo);
    return widths;
}

bool WriteXmlSpreadsheet(const TableModel& table, QIODevice& out, const XmlSheetInfo& info,
                         Progress* progress) {
    // The shown columns in their order (widths by column number); the rows
    // shown.
    const std::vector<int>& shown = table.shownColumns();
    const int columns = int(shown.size());
    const int rows = table.rows();
    std::vector<int> widths = defaultColumnWidths(table, 980);
    for (size_t c = 0; c < widths.size() && c < info.columnWidths.size(); ++c)
        widths[c] = info.columnWidths[c];

    QByteArray chunk = XmlHeaderText();
    auto flush = [&out, &chunk](bool always) {
        if (!always && chunk.size() < (1 << 16))
            return true;
        const bool ok = out.write(chunk) == chunk.size();
        chunk.clear();
        return ok;
    };

    // Worksheet head.
    chunk.append("<Worksheet ss:Name=\"")
        .append(xmlText(info.sheetName))
        .append("\">")
        .append(kEol);
    chunk.append("  <Table ss:ExpandedColumnCount=\"")
        .append(QByteArray::number(columns))
        .append("\" ss:ExpandedRowCount=\"")
        .append(QByteArray::number(qint64(rows) + 2))
        .append("\" x:FullColumns=\"1\"")
        .append(kEol);
    line(chunk, "   x:FullRows=\"1\" ss:StyleID=\"s22\" ss:DefaultRowHeight=\"11.25\">");
    for (int c : shown)
        chunk.append("   <Column ss:StyleID=\"s23\" ss:AutoFitWidth=\"0\" ss:Width=\"")
            .append(QByteArray::number(widths[size_t(c)]))
            .append("\"/>")
            .append(kEol);

    // Title row.
    line(chunk, "  <Row ss:AutoFitHeight=\"0\" ss:Height=\"23.25\" ss:StyleID=\"s27\">");
    chunk.append("    <Cell ss:StyleID=\"s28\"><Data ss:Type=\"String\">")
        .append(xmlText(info.title))
        .append(kCellClose);
    chunk.append("    <Cell ss:Index=\"")
        .append(QByteArray::number(columns - 1))
        .append("\" ss:StyleID=\"s28\"/>")
        .append(kEol);
    line(chunk, "    <Cell ss:StyleID=\"s28\"/>");
    line(chunk, "  </Row>");

    // Caption row.
    line(chunk, "  <Row ss:AutoFitHeight=\"0\" ss:Height=\"12\">");
    for (int c : shown)
        chunk.append("    <Cell ss:StyleID=\"s29\"><Data ss:Type=\"String\">")
            .append(xmlText(table.caption(c)))
            .append(kCellClose);
    line(chunk, "   </Row>");

    // Data rows, in the table's current order.
    for (int r = 0; r < rows; ++r) {
        line(chunk, "   <Row>");
        for (int i = 0; i < columns; ++i) {
            // Sheet columns 1, 3, 5 ... carry the date style.
            const int c = shown[size_t(i)];
            chunk.append(i % 2 == 1 ? kStyledCellOpen : kCellOpen)
                .append(xmlText(table.decodeCell(c, table.cellView(r, c))))
                .append(kCellClose);
        }
        line(chunk, "   </Row>");
        if (!flush(false))
            return false;
        if (progress)
            progress->raiseTo(int(double(r) / double(rows + 1) * 100.0));
    }

    line(chunk, "   </Table>");
    chunk.append(XmlFooterText());
    return flush(true);
}

} // namespace vc
