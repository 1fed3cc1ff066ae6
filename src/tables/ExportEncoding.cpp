#include "tables/ExportEncoding.h"

#include "platform/CodePage.h"
#include "platform/TimeValue.h"

#include <algorithm>

namespace vc {

namespace {

bool isAscii(QByteArrayView bytes) {
    return std::none_of(bytes.begin(), bytes.end(), [](char c) { return c & 0x80; });
}

} // namespace

ExportEncoding naturalExportEncoding(const TableModel& table) {
    return table.cellEncoding() == CellEncoding::Utf8 ? ExportEncoding::Utf8
                                                      : ExportEncoding::CodePage;
}

bool parseExportEncoding(const QString& name, ExportEncoding* encoding) {
    const QString n = name.toLower();
    if (n == QLatin1String("utf-8") || n == QLatin1String("utf8")) {
        *encoding = ExportEncoding::Utf8;
        return true;
    }
    if (n == QLatin1String("codepage")) {
        *encoding = ExportEncoding::CodePage;
        return true;
    }
    return false;
}

bool localeIsUtf8() {
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const QByteArray value = qgetenv(name).toLower();
        if (value.isEmpty())
            continue;
        return value.contains("utf-8") || value.contains("utf8");
    }
    return false;
}

void appendCellAs(const TableModel& table, int column, QByteArrayView bytes,
                  ExportEncoding encoding, QByteArray& out) {
    if (isTimeCell(bytes)) {
        QByteArray text;
        TableModel::appendShown(bytes, text);
        appendCellAs(table, column, text, encoding, out);
        return;
    }
    if (encoding == naturalExportEncoding(table)) {
        table.appendExportCell(column, bytes, out);
        return;
    }
    if (isAscii(bytes)) {
        out.append(bytes);
        return;
    }
    const QString text = table.decodeCell(column, bytes);
    out.append(encoding == ExportEncoding::Utf8 ? text.toUtf8() : encodeEvidence(text));
}

QByteArray encodeTextAs(const QString& text, ExportEncoding encoding) {
    return encoding == ExportEncoding::Utf8 ? text.toUtf8() : encodeEvidence(text);
}

} // namespace vc
