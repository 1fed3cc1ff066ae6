#pragma once

#include "tables/TableModel.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace vc {

// The text encoding of a tab-delimited export: the chosen source code page
// (the bytes of the evidence as they are) or UTF-8 (what Linux tools read).
enum class ExportEncoding { CodePage, Utf8 };

// The encoding a table's text cells are held in: the export that changes
// no byte of them.
ExportEncoding naturalExportEncoding(const TableModel& table);

// Parses a name given on the command line: "utf-8" (or "utf8") and
// "codepage", case ignored. False for any other name.
bool parseExportEncoding(const QString& name, ExportEncoding* encoding);

// True when the user's locale says text is UTF-8: the first of LC_ALL,
// LC_CTYPE and LANG that is set names the UTF-8 character set.
bool localeIsUtf8();

// Appends one cell of the table's column in the export's encoding. A cell
// already in that encoding is copied byte for byte (date cells of a UTF-8
// table converted where they are not plain ASCII); otherwise it is decoded as
// the table shows it and encoded again — a character the code page lacks
// becomes what the code page's converter gives for it.
void appendCellAs(const TableModel& table, int column, QByteArrayView bytes,
                  ExportEncoding encoding, QByteArray& out);

// A text (a caption) in the export's encoding.
QByteArray encodeTextAs(const QString& text, ExportEncoding encoding);

} // namespace vc
