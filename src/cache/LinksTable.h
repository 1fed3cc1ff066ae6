#pragma once

#include "evidence/EvidenceFiles.h"
#include "platform/Progress.h"
#include "platform/WorkFile.h"
#include "tables/RowSink.h"

#include <QByteArray>
#include <QList>

namespace vc {

// The Links row of one row line (name, extension, creation time, last
// access, path, row tag): name, creation time, last access and path; the
// extension and the row tag have no column. The address the favorite
// stores follows in a last column.
QList<QByteArray> LinksRowCells(const QByteArray& rowLine, const QByteArray& address = {});

// Delivers one Links row per row line, moving the bar from its position by
// up to share units (to start + share at the end); the stored address is
// read from each .url file through files. The caller starts the fill.
void FillLinksRows(LineSource& lines, RowSink& rows, Progress* progress, int share,
                   const EvidenceFiles& files = localEvidenceFiles());

} // namespace vc
