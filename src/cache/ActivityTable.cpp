#include "cache/ActivityTable.h"

#include "tables/LineFill.h"

#include <cstring>

namespace vc {

namespace {

// The extension of a file name with its dot, as it stands.
QByteArrayView extensionOf(QByteArrayView fileName) {
    for (qsizetype i = fileName.size() - 1; i >= 0; --i) {
        const char c = fileName[i];
        if (c == '.')
            return fileName.sliced(i);
        if (c == '\\' || c == '/' || c == ':')
            break;
    }
    return QByteArrayView();
}

// Six fields end at the first six tabs; the rest of the line is the seventh
// (the header), whatever it holds. Missing fields are empty.
void splitWorkFileLine(QByteArrayView line, QByteArrayView (&fields)[7]) {
    qsizetype from = 0;
    int f = 0;
    for (; f < 6; ++f) {
        const qsizetype tab = line.indexOf('\t', from);
        if (tab < 0)
            break;
        fields[f] = line.sliced(from, tab - from);
        from = tab + 1;
    }
    fields[f] = line.sliced(from);
    for (++f; f < 7; ++f)
        fields[f] = QByteArrayView();
}

} // namespace

QByteArray FileExtensionLower(const QByteArray& fileName) {
    return extensionOf(fileName).toByteArray().toLower();
}

QList<QByteArray> ActivityRowCells(const QByteArray& workFileLine) {
    QByteArrayView fields[7];
    splitWorkFileLine(workFileLine, fields);
    // URL, modification time, access time, file name, extension, type,
    // directory, header.
    return {fields[1].toByteArray(),
            fields[2].toByteArray(),
            fields[3].toByteArray(),
            fields[4].toByteArray(),
            FileExtensionLower(fields[4].toByteArray()),
            fields[0].toByteArray(),
            fields[5].toByteArray(),
            fields[6].toByteArray()};
}

void AppendActivityRowText(const RecordFields& fields, QByteArray& out) {
    const QByteArrayView extension = extensionOf(fields[4]);
    const QByteArrayView cells[] = {fields[1], fields[2], fields[3], fields[4],
                                    extension, fields[0], fields[5], fields[6]};
    qsizetype length = 0;
    for (QByteArrayView cell : cells)
        length += cell.size() + 1;
    const qsizetype at = out.size();
    out.resize(at + length - 1);
    char* p = out.data() + at;
    for (int c = 0; c < 8; ++c) {
        if (c > 0)
            *p++ = '\t';
        char* cellStart = p;
        if (!cells[c].isEmpty())
            std::memcpy(p, cells[c].data(), size_t(cells[c].size()));
        p += cells[c].size();
        if (c == 4) {
            // The extension in small letters, as FileExtensionLower gives it.
            for (char* q = cellStart; q != p; ++q)
                *q = (*q >= 'A' && *q <= 'Z') ? char(*q - 'A' + 'a') : *q;
        }
    }
}

void AppendActivityRow(QByteArrayView workFileLine, RowSink& rows) {
    QByteArrayView fields[7];
    splitWorkFileLine(workFileLine, fields);
    // The extension in small letters (ASCII only, as FileExtensionLower).
    char lowered[256];
    const QByteArrayView extension = extensionOf(fields[4]);
    QByteArray longExtension;
    QByteArrayView lowerExtension;
    if (extension.size() <= qsizetype(sizeof lowered)) {
        for (qsizetype i = 0; i < extension.size(); ++i) {
            const char c = extension[i];
            lowered[i] = (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
        }
        lowerExtension = QByteArrayView(lowered, extension.size());
    } else {
        longExtension = extension.toByteArray().toLower();
        lowerExtension = longExtension;
    }
    const QByteArrayView cells[] = {fields[1],      fields[2], fields[3], fields[4],
                                    lowerExtension, fields[0], fields[5], fields[6]};
    rows.appendCells(cells, 8);
}

void FillActivityRows(LineSource& lines, RowSink& rows, Progress* progress, int share) {
    FillRowsFrom(lines, progress, share, EmptyFill::LeaveBar,
                 [&](QByteArrayView line) { AppendActivityRow(line, rows); });
}

} // namespace vc
