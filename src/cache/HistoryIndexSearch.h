#pragma once

#include "evidence/EvidenceFiles.h"

#include "evidence/EvidenceFiles.h"

#include <QString>
#include <QStringList>

namespace vc {

// Appends the path of every file named index.dat (any letter case) in
// startFolder and in all folders below it, depth first: the entries of a
// folder are taken in the order the listing gives them (readdir, not
// sorted), and a sub-folder is searched where the listing meets it. Paths
// are absolute; the process's current folder is never changed.
//
// Symbolic links to folders are not followed (a tree linking back into
// itself ends), and a folder already being searched higher up (a bind
// mount onto itself) is not entered again. A link to a file named
// index.dat is listed like the file; pipes and devices are never listed. A
// folder that cannot be listed adds nothing. No folder stays open while the
// search descends. The folders are listed through files (this machine's
// unless given).
void FindIndexFiles(QStringList& list, const QString& startFolder,
                    const EvidenceFiles& files = localEvidenceFiles());

} // namespace vc
