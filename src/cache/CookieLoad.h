#pragma once

#include "evidence/EvidenceFiles.h"
#include "platform/LoadContext.h"

#include <QString>
#include <QStringList>

namespace vc {

class RowSink;
class WorkFile;

struct CookieFilesLoad {
    bool workFileOpened = true; // false: reported; the table is unchanged
    int fileCount = 0;          // cookie text files found in the folder
};

// The cookie text files of a folder, in name order, into the Cookie table in
// place of its rows; a folder without any empties the table. Reading the
// files moves the bar by half of the context's share, the fill by the other
// half. Each file that cannot be read is reported (text 101 and its path).
// The folder and its files are read through files.
CookieFilesLoad LoadCookieTextFiles(const QString& folder, WorkFile& workFile,
                                    const LoadContext& context, RowSink& rows,
                                    const EvidenceFiles& files = localEvidenceFiles());

struct CookieIndexLoad {
    bool found = false;         // the folder holds an index.dat
    bool workFileOpened = true; // false: reported; the table is unchanged
    // Distinct cookie file names the index names, first spelling kept.
    QStringList fileNames;
};

// The rows of the cookie folder's index.dat (any letter case), appended to
// the Cookie table, or in place of its rows with replaceRows. A folder
// without an index leaves the table as it is. The walk moves the bar by half
// of the context's share, the fill by the other half.
CookieIndexLoad LoadCookieIndex(const QString& folder, bool linearScan, bool replaceRows,
                                WorkFile& workFile, const LoadContext& context, RowSink& rows,
                                const EvidenceFiles& files = localEvidenceFiles());

} // namespace vc
