#pragma once

#include "windows/WindowsRowWriter.h"

#include <QByteArray>

namespace vc {

class EvidenceFiles;
class Hive;
class KnownFolderLocations;
class RowSink;
struct LoadContext;

// The Programs run table has rows of two sources: UserAssist, one user's
// (NTUSER.DAT), and Prefetch, the volume's. Each loader appends its rows to
// the sink (the caller starts the fill) and offers each to the context's
// filter with the last run as its date.

// One row per value of every UserAssist Count key: the decoded name (known
// folders resolved), run count, last run, and on Windows 7 and later the
// focus count and time.
WindowsLoadResult loadUserAssist(const Hive& ntUser, const KnownFolderLocations& locations,
                                 const LoadContext& context, RowSink& sink);

// One row per Windows/Prefetch/*.pf file of the volume (names matched
// without regard to letter case), in name order: the executable, run count,
// last run and up to seven earlier runs, prefetch hash, volumes. A file
// libscca cannot read still gives a row with its name and a note; one that
// cannot be read at all is also reported.
WindowsLoadResult loadPrefetch(const EvidenceFiles& files, const QByteArray& volumeRoot,
                               const LoadContext& context, RowSink& sink);

// The folder Prefetch files lie in (Windows/Prefetch of the volume, letter
// case matched); empty when there is none.
QByteArray prefetchFolder(const EvidenceFiles& files, const QByteArray& volumeRoot);

} // namespace vc
