#pragma once

#include "evidence/Sources.h"

namespace vc {

// The sources of the "Chrome, Edge, Firefox" tab: the history, downloads
// and cookies of every browser profile of a user.
SourceSpec webHistorySource();
SourceSpec webDownloadsSource();
SourceSpec webCookiesSource();

} // namespace vc
