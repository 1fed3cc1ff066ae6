#pragma once

#include "evidence/Sources.h"
#include "windows/WindowsColumns.h"

namespace vc {

// The five tables of the Windows tab as sources of the catalogue: folders
// opened and typed entries of each user, programs run of each user and of
// the volume, the volume's deleted files, each user's activity timeline.
SourceSpec foldersOpenedSource();
SourceSpec programsRunSource();
SourceSpec typedEntriesSource();
SourceSpec deletedFilesSource();
SourceSpec windowsTimelineSource();

// The table of the Windows tab a source of the catalogue fills; false when
// the source is not one of them.
bool windowsTableOfSource(const SourceSpec& decl, WindowsTable* table);

} // namespace vc
