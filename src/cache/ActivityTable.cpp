#include "cache/ActivityTable.h"

#include "tables/LineFill.h"

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
    qsizetype extensionAt = out.size();
    for (int c = 0; c < 4; ++c)
        extensionAt += cells[c].size() + 1;
    AppendJoined(cells, 8, '\t', out);
    // The extension in small letters, as FileExtensionLower gives it.
    char* const lower = out.data() + extensionAt;
    for (qsizetype i = 0; i < extension.size(); ++i)
        lower[i] = (lower[i] >= 'A' && lower[i] <= 'Z') ? char(lower[i] - 'A' + 'a') : lower[i];
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
