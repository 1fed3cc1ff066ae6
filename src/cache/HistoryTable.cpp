#include "cache/HistoryTable.h"

#include "cache/IndexFormat.h"
#include "tables/LineFill.h"

namespace vc {

QByteArray ReplaceEscapedSpaces(const QByteArray& text, const QByteArray& pattern,
                                const QByteArray& replacement) {
    if (pattern.isEmpty())
        return text;
    // Occurrences at the start go one after the other: each removal
    // uncovers the next.
    qsizetype from = 0;
    while (text.mid(from, pattern.size()) == pattern)
        from += pattern.size();
    // Inside the text each occurrence becomes the replacement, which cannot
    // form a new one; only the last occurrence, when it ends the text, is
    // removed instead (by then it is the first one left).
    QByteArray out;
    out.reserve(text.size() - from);
    while (from < text.size()) {
        const qsizetype at = text.indexOf(pattern, from);
        if (at < 0) {
            out.append(text.mid(from));
            break;
        }
        out.append(text.mid(from, at - from));
        from = at + pattern.size();
        if (from < text.size())
            out.append(replacement);
    }
    return out;
}

QByteArray AfterFirstAt(const QByteArray& text) {
    const qsizetype at = text.indexOf('@');
    return at < 0 ? text : text.mid(at + 1);
}

namespace {

// Cuts the text before the next tab off the front of line; with no tab left
// the field is empty and the line stays as it is.
QByteArray cutField(QByteArrayView& line) {
    const qsizetype tab = line.indexOf('\t');
    if (tab < 0)
        return QByteArray();
    const QByteArray field = line.first(tab).toByteArray();
    line = line.sliced(tab + 1);
    return field;
}

} // namespace

QList<QByteArray> HistoryRowCells(const QByteArray& workFileLine) {
    QByteArrayView line(workFileLine);
    const QByteArray type = cutField(line);
    const QByteArray url = ReplaceEscapedSpaces(AfterFirstAt(cutField(line)));
    const QByteArray modified = cutField(line);
    const QByteArray accessed = cutField(line);
    QByteArray rest = line.toByteArray();
    CleanControlChars(rest);
    return {url, modified, accessed, type, rest};
}

void FillHistoryRows(LineSource& lines, RowSink& rows, Progress* progress, int share) {
    FillRowsFrom(lines, progress, share, EmptyFill::LeaveBar,
                 [&](QByteArrayView line) { rows.appendRow(HistoryRowCells(line.toByteArray())); });
}

} // namespace vc
