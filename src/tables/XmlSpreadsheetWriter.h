#pragma once

#include "platform/Progress.h"
#include "tables/TableModel.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <vector>

namespace vc {

// What an XML spreadsheet needs besides the table.
struct XmlSheetInfo {
    QString sheetName; // the file name of the export, extension included
    QString title;     // the text of the title row
    // Column widths in pixels; columns without one get the width of the
    // table's first layout (see defaultColumnWidths).
    std::vector<int> columnWidths;
};

// The fixed workbook prologue with the style sheet, and the closing part
// after the table; UTF-8 with CR LF line ends.
QByteArray XmlHeaderText();
QByteArray XmlFooterText();

// A text made safe for XML 1.0 character data and attribute values: "&",
// "<", ">" and the double quote become entities; tab, line feed and carriage
// return become character references (so they survive a parser's line-end
// handling); every other character that XML 1.0 forbids (control characters,
// U+FFFE, U+FFFF, lone surrogates) becomes U+FFFD. Returned as UTF-8.
QByteArray xmlText(const QString& text);

// The title row's text: a double quote, the window caption, a full stop, a
// double quote and a blank, the current tab's caption, a full stop and a
// blank, and the conditions shown for the tab.
QString xmlTitleText(const QString& windowCaption, const QString& tabCaption,
                     const QString& conditions);

// Widths of the columns in the table's first layout in a table `width`
// pixels wide: the width factors, the last column taking the rest (at least
// its own factor's share).
std::vector<int> defaultColumnWidths(const TableModel& table, int width);

// Writes the table as an XML spreadsheet (SpreadsheetML 2003): prologue and
// styles, one worksheet with the title row, the caption row and one row per
// shown row in the table's order (the shown columns in their order), every cell typed as text; then
// the closing part. Cell bytes are decoded with the table's cell encoding and written exactly,
// escaped. Moves the bar to i / (N + 1) x 100 as rows go out. False when a write fails.
bool WriteXmlSpreadsheet(const TableModel& table, QIODevice& out, const XmlSheetInfo& info,
                         Progress* progress);

} // namespace vc
