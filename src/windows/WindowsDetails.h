#pragma once

#include "windows/WindowsColumns.h"

#include <QString>

namespace vc {

class EvidenceFiles;

// The detail pane's text of a row of one of the Windows tables: every
// non-empty field by its caption, one a line, then what the table adds: on
// Typed and searched, that the key's last-written time belongs to the newest
// entry only; on Programs run, for a Prefetch row whose file the evidence
// still holds (files given), its volumes (device path, serial number,
// creation time) and the files it loaded, read again from the file.
QString windowsRowDetail(WindowsTable table, const TableModel& model, int row,
                         const EvidenceFiles* files);

// Every non-empty field of a row by its caption, one a line (times in the
// zone shown).
QString rowFieldsDetail(const TableModel& model, int row);

// The volumes and loaded files of one Prefetch file, one a line, under their
// headings; empty when the file cannot be read.
QString prefetchDetail(const EvidenceFiles& files, const QByteArray& path);

} // namespace vc
