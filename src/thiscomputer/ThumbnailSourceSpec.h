#pragma once

#include "evidence/Sources.h"

namespace vc {

// The Thumbnails table of the Documents tab: the thumbnail cache of each
// Linux home of this computer.
SourceSpec thumbnailsSource();

} // namespace vc
