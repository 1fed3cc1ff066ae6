#pragma once

#include "evidence/Sources.h"

namespace vc {

// The sources of the Documents tab: links to recent documents and folders
// (the Recent folder, the MRU lists, the jump lists) and the temporary files
// never erased.
SourceSpec recentSource();
SourceSpec tempSource();

} // namespace vc
