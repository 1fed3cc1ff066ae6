#pragma once

#include "evidence/EvidenceFiles.h"
#include "platform/Progress.h"
#include "platform/WorkFile.h"
#include "tables/RowSink.h"

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QStringList>

namespace vc {

// The index.dat of a cookie folder: the name as written when it exists,
// else an entry of that name in another letter case (the profile may come
// from a file system that ignores case); the empty text when there is none.
// The folder is looked in through files.
QString FindCookieIndexFile(const QString& folder,
                            const EvidenceFiles& files = localEvidenceFiles());

// Cuts count fields off the front of a work-file line, each the text
// before the next tab; when no tab is left the field is empty and the line
// stays as it is. The rest of the line is the last element (count + 1 in
// all), so text after the last tab of a short line lands in the last column.
QList<QByteArray> CutWorkFileFields(const QByteArray& line, int count);

// The Cookie row of a cache index work-file line (type, URL, modified,
// accessed, file name, directory, header): the site (URL after its first
// "@"), an empty variable, the two times, file name, directory, header.
QList<QByteArray> CookieIndexRowCells(const QByteArray& workFileLine);

// The Cookie row of a cookie text work-file line (host and path, name,
// creation, expiration, file name, value, flags), field by field.
QList<QByteArray> CookieFileRowCells(const QByteArray& workFileLine);

// Distinct cookie file names, compared without regard to letter case (as
// the file system they came from does). names keeps the first spelling met.
class DistinctFileNames {
public:
    explicit DistinctFileNames(QStringList& names);
    // Adds name unless it is already there in some letter case.
    void add(const QByteArray& name);

private:
    QStringList& m_names;
    QSet<QString> m_folded;
};

// Delivers one Cookie row per cache index work-file line and collects the
// distinct file names into fileNames (emptied first when there are lines).
// Moves the bar from its position by up to share units, to start + share at
// the end. The caller starts the fill.
void FillCookieRowsFromIndex(LineSource& lines, RowSink& rows, QStringList& fileNames,
                             Progress* progress, int share);

// Delivers one Cookie row per cookie text work-file line, moving the bar as
// above.
void FillCookieRowsFromFiles(LineSource& lines, RowSink& rows, Progress* progress, int share);

} // namespace vc
