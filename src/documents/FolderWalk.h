#pragma once

#include "evidence/EvidenceFiles.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace vc {

class RecallConditionSet;

// Appends one row line (see RowLine.h) per file below folder to list, for
// the recent-documents, temporary-files and favorites tables. Needs no window.
//
// Entries come in the order the directory listing gives them (readdir, not
// sorted): that order is what the examiner would see on the original
// system, and sorting is left to the table. A subfolder is walked at the
// point where the listing meets it, so its files are interleaved
// depth-first with the other entries. Hidden files are listed;
// "desktop.ini" (any case) and names holding both "EXCEL" and ".XLB" (any
// case, the spreadsheet's tool-bar file) are not. The name field loses its
// last nameCut characters; the path field is the full path; rowTag is the
// sixth field. Each row is offered to the filter (nullptr: none) with its
// last-access text and appended only when it passes.
//
// File names stay the bytes the file system gives. Symbolic links to
// folders are neither followed nor listed (they could loop); a folder that
// is already being walked higher up (a bind mount onto itself) is not
// entered again. A folder that cannot be listed adds nothing, silently.
// The walk keeps no folder open while it descends, so depth is bounded
// only by the longest path the system accepts.
//
// The folder is listed through files (this machine's folders unless given);
// each file's times are those its folder's listing gives (FileDates.h).
// Inside a disk image, deleted entries the file system still lists are
// listed too (evidence/FolderTree.h).
void CollectFolderFiles(QList<QByteArray>& list, const QString& folder, const QByteArray& rowTag,
                        int nameCut, const RecallConditionSet* filter,
                        const EvidenceFiles& files = localEvidenceFiles());

// The row line of one file (as the walk makes it), appended when it passes
// the filter; a name the walk never lists is passed over. Its times are the
// entry's where the walk gives one, else read from files.
void CollectFileRow(QList<QByteArray>& list, const QByteArray& path, const QByteArray& name,
                    const QByteArray& rowTag, int nameCut, const RecallConditionSet* filter,
                    const EvidenceFiles& files = localEvidenceFiles(),
                    const EvidenceEntry* entry = nullptr);

// True for the names the walk never lists.
bool isSkippedFileName(const QByteArray& name);

} // namespace vc
