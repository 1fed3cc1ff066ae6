#include "cache/CookieTable.h"

#include "cache/HistoryTable.h"
#include "platform/CodePage.h"
#include "tables/LineFill.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <optional>

namespace vc {

QString FindCookieIndexFile(const QString& folder, const EvidenceFiles& files) {
    const QString exact = joinPath(folder, QStringLiteral("index.dat"));
    if (files.isFile(EvidenceFiles::pathBytes(exact)))
        return exact;
    std::vector<EvidenceEntry> entries;
    if (!files.list(EvidenceFiles::pathBytes(folder), entries, nullptr))
        return QString();
    for (const EvidenceEntry& e : entries)
        if (e.type == EntryType::File && e.name.toLower() == "index.dat")
            return joinPath(folder, EvidenceFiles::pathText(e.name));
    return QString();
}

QList<QByteArray> CutWorkFileFields(const QByteArray& line, int count) {
    QList<QByteArray> fields;
    fields.reserve(count + 1);
    QByteArrayView rest(line);
    for (int i = 0; i < count; ++i) {
        const qsizetype tab = rest.indexOf('\t');
        if (tab < 0) {
            fields.append(QByteArray());
            continue;
        }
        fields.append(rest.first(tab).toByteArray());
        rest = rest.sliced(tab + 1);
    }
    fields.append(rest.toByteArray());
    return fields;
}

QList<QByteArray> CookieIndexRowCells(const QByteArray& workFileLine) {
    const QList<QByteArray> f = CutWorkFileFields(workFileLine, 6);
    return {AfterFirstAt(f[1]), QByteArray(), f[2], f[3], f[4], f[5], f[6]};
}

QList<QByteArray> CookieFileRowCells(const QByteArray& workFileLine) {
    return CutWorkFileFields(workFileLine, 6);
}

DistinctFileNames::DistinctFileNames(QStringList& names) : m_names(names) {
    for (const QString& n : names)
        m_folded.insert(n.toCaseFolded());
}

void DistinctFileNames::add(const QByteArray& name) {
    const QString text = decodeEvidence(name);
    const QString folded = text.toCaseFolded();
    if (m_folded.contains(folded))
        return;
    m_folded.insert(folded);
    m_names.append(text);
}

void FillCookieRowsFromIndex(LineSource& lines, RowSink& rows, QStringList& fileNames,
                             Progress* progress, int share) {
    bool first = true;
    std::optional<DistinctFileNames> distinct;
    FillRowsFrom(lines, progress, share, EmptyFill::FinishBar, [&](QByteArrayView line) {
        if (first) {
            // Lines replace the names of an earlier fill.
            fileNames.clear();
            distinct.emplace(fileNames);
            first = false;
        }
        const QList<QByteArray> cells = CookieIndexRowCells(line.toByteArray());
        distinct->add(cells[4]);
        rows.appendRow(cells);
    });
}

void FillCookieRowsFromFiles(LineSource& lines, RowSink& rows, Progress* progress, int share) {
    FillRowsFrom(lines, progress, share, EmptyFill::FinishBar, [&](QByteArrayView line) {
        rows.appendRow(CookieFileRowCells(line.toByteArray()));
    });
}

} // namespace vc
