#include "cli/TableOutput.h"

#include "language/InterfaceTexts.h"
#include "platform/CodePage.h"
#include "platform/ProgramInfo.h"
#include "tables/TabDelimitedWriter.h"
#include "tables/XmlSpreadsheetWriter.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>

namespace vc {

ExportEncoding outputEncoding(const QString& encodingOption, const TableModel& table,
                              bool toStdout) {
    ExportEncoding encoding;
    if (!encodingOption.isEmpty() && parseExportEncoding(encodingOption, &encoding))
        return encoding;
    if (toStdout && localeIsUtf8())
        return ExportEncoding::Utf8;
    return naturalExportEncoding(table);
}

int writeTableOutput(const TableModel& table, const CliOptions& options, const QString& title) {
    if (!options.xmlFile.isEmpty()) {
        // The window's export, with the table's first-layout column widths
        // and the program's caption above the given title.
        QFile out(options.xmlFile);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            std::fprintf(stderr, "vellacord: cannot write %s: %s\n", qPrintable(options.xmlFile),
                         qPrintable(out.errorString()));
            return kExitInput;
        }
        XmlSheetInfo info;
        info.sheetName = QFileInfo(options.xmlFile).fileName();
        info.title = xmlTitleText(QLatin1Char('"') + tx(TextProgramName) + QStringLiteral("\"   ") +
                                      kMakerWebAddress,
                                  title, QString());
        if (!WriteXmlSpreadsheet(table, out, info, nullptr) || !out.flush()) {
            std::fprintf(stderr, "vellacord: writing %s failed: %s\n", qPrintable(options.xmlFile),
                         qPrintable(out.errorString()));
            return kExitInput;
        }
        return kExitOk;
    }
    if (!options.tsvFile.isEmpty()) {
        QFile out(options.tsvFile);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            std::fprintf(stderr, "vellacord: cannot write %s: %s\n", qPrintable(options.tsvFile),
                         qPrintable(out.errorString()));
            return kExitInput;
        }
        if (!WriteTabDelimited(table, out, QByteArrayLiteral("\r\n"), nullptr,
                               outputEncoding(options.encoding, table, false)) ||
            !out.flush()) {
            std::fprintf(stderr, "vellacord: writing %s failed: %s\n", qPrintable(options.tsvFile),
                         qPrintable(out.errorString()));
            return kExitInput;
        }
        return kExitOk;
    }
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly) ||
        !WriteTabDelimited(table, out, QByteArrayLiteral("\n"), nullptr,
                           outputEncoding(options.encoding, table, true)) ||
        !out.flush()) {
        std::fprintf(stderr, "vellacord: writing to standard output failed\n");
        return kExitInput;
    }
    return kExitOk;
}

} // namespace vc

namespace vc {

bool TabRowStream::open(const CliOptions& options) {
    m_encodingOption = options.encoding;
    m_toStdout = options.tsvFile.isEmpty();
    if (!options.tsvFile.isEmpty()) {
        m_name = options.tsvFile;
        m_lineEnd = QByteArrayLiteral("\r\n");
        m_out.setFileName(options.tsvFile);
        if (!m_out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            std::fprintf(stderr, "vellacord: cannot write %s: %s\n", qPrintable(options.tsvFile),
                         qPrintable(m_out.errorString()));
            return false;
        }
        return true;
    }
    m_name = QStringLiteral("standard output");
    m_lineEnd = QByteArrayLiteral("\n");
    return m_out.open(stdout, QIODevice::WriteOnly);
}

void TabRowStream::writeHeader(const TableModel& layout) {
    m_columns = layout.columns();
    m_layout = &layout;
    m_encoding = outputEncoding(m_encodingOption, layout, m_toStdout);
    QByteArray header;
    for (int c = 0; c < layout.columns(); ++c) {
        if (c > 0)
            header.append('\t');
        header.append(encodeTextAs(layout.caption(c), m_encoding));
    }
    m_buffer.append(header).append(m_lineEnd);
}

void TabRowStream::appendCells(const QByteArrayView* cells, int count) {
    for (int c = 0; c < m_columns; ++c) {
        if (c > 0)
            m_buffer.append('\t');
        if (c >= count)
            continue;
        const qsizetype at = m_buffer.size();
        if (m_layout)
            appendCellAs(*m_layout, c, cells[c], m_encoding, m_buffer);
        else
            m_buffer.append(cells[c]);
        for (char *p = m_buffer.data() + at, *end = m_buffer.data() + m_buffer.size(); p != end;
             ++p) {
            if (*p == '\0')
                *p = ' ';
        }
    }
    endRow();
}

void TabRowStream::writeRows(QByteArrayView rows) {
    if (m_encoding == ExportEncoding::Utf8 &&
        std::any_of(rows.begin(), rows.end(), [](char c) { return c & 0x80; })) {
        // Tabs and line ends are ASCII, so the laid-out rows convert as a
        // whole just as their cells would one by one.
        writeLaidOut(decodeEvidence(rows).toUtf8());
        return;
    }
    writeLaidOut(rows);
}

void TabRowStream::writeLaidOut(QByteArrayView rows) {
    if (m_buffer.size() + rows.size() < (1 << 16)) {
        m_buffer.append(rows);
        return;
    }
    if (!m_buffer.isEmpty() && m_out.write(m_buffer) != m_buffer.size())
        m_failed = true;
    m_buffer.resize(0);
    if (m_out.write(rows.data(), rows.size()) != rows.size())
        m_failed = true;
}

void TabRowStream::endRow() {
    m_buffer.append(m_lineEnd);
    if (m_buffer.size() >= (1 << 16)) {
        if (m_out.write(m_buffer) != m_buffer.size())
            m_failed = true;
        // Keeps the capacity for the next rows.
        m_buffer.resize(0);
    }
}

int writeLoadedRows(TableModel& table, const CliOptions& options, const QString& title,
                    const std::function<bool(RowSink& rows)>& load) {
    if (!options.xmlFile.isEmpty()) {
        if (!load(table))
            return kExitInput;
        return writeTableOutput(table, options, title);
    }
    TabRowStream out;
    if (!out.open(options))
        return kExitInput;
    out.writeHeader(table);
    const bool loaded = load(out);
    const int status = out.finish();
    return loaded ? status : kExitInput;
}

int TabRowStream::finish() {
    if (!m_buffer.isEmpty() && m_out.write(m_buffer) != m_buffer.size())
        m_failed = true;
    m_buffer.clear();
    if (!m_out.flush())
        m_failed = true;
    if (m_failed) {
        std::fprintf(stderr, "vellacord: writing %s failed: %s\n", qPrintable(m_name),
                     qPrintable(m_out.errorString()));
        return kExitInput;
    }
    return kExitOk;
}

} // namespace vc
